#pragma once

#include "camera/movie/MovieEncoder.h"

#include <memory>

// Every movie of the program goes through here: the movie module's encoder
// (MovieModule), made with the first movie, so that a start without movies
// maps no FFmpeg library. Without the module no movie is made, the user
// told, and create() says why.
class MovieWriter final : public MovieEncoder {
public:
    MovieWriter();
    // The encoder finishes a movie still open.
    ~MovieWriter() override;
    MovieWriter(const MovieWriter&) = delete;
    MovieWriter& operator=(const MovieWriter&) = delete;

    bool create(const QString& path, const QString& codec, int quality) override;
    bool addFrame(const QImage& frame, int duration) override;
    bool finish() override;

    bool isOpen() const override { return m_encoder && m_encoder->isOpen(); }
    int frameCount() const override { return m_encoder ? m_encoder->frameCount() : 0; }
    int writtenFrames() const override { return m_encoder ? m_encoder->writtenFrames() : 0; }
    QString error() const override { return m_encoder ? m_encoder->error() : m_error; }
    const MovieCodec& codec() const override { return m_encoder ? m_encoder->codec() : m_noCodec; }

private:
    std::unique_ptr<MovieEncoder> m_encoder;
    QString m_error;  // why there is no encoder
    MovieCodec m_noCodec;
};
