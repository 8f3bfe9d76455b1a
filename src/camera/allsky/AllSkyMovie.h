#pragma once

#include "camera/movie/MovieWriter.h"
#include "mount/DebugWriter.h"

#include <QImage>
#include <QString>

// The all-sky movie: saved pictures appended on the main thread, each
// lasting one frame at the chosen rate, in a new numbered "-N.mov" file
// written in place (MovieWriter), so a movie cut short keeps its frames. A
// frame that cannot be written ends the movie with an alert, and no new one
// starts until the movie is stopped.
class AllSkyMovie {
public:
    static constexpr char kStartError[] = "Start Recording error";
    static constexpr char kCreateError[] = "Unable to create AllSky movie.";

    explicit AllSkyMovie(DebugWriter debug);

    // round(600 / fps) in 1/600 s, at least 1.
    static int frameDuration(float fps);

    void setAllSkyMovieFPS(float fps) { m_fps = fps; }
    float allSkyMovieFPS() const { return m_fps; }
    // Codec "avc1" when the flag is set, else "jpeg", with the quality.
    void allSkySetMovieDict(int codecFlag, quint32 quality);
    QString codecStr() const { return m_codecStr; }
    quint32 quality() const { return m_quality; }

    // Appends `frame`, opening a movie beside `basePath` first when none is
    // open; the alert when it cannot be made. Nothing for a null frame.
    void allSkyRecordMovie(const QImage& frame, const QString& basePath);
    // Opens basePath + "-N.mov" with the first free N; false after the alert.
    bool allSkyMovieStart(const QString& basePath);
    // Finishes the open movie's file (an alert when that fails); the next
    // start takes the next number.
    void allSkyMovieStop();

    bool isAllSkyRecording() const { return m_isRecording; }
    QString allSkyMoviePath() const { return m_path; }

private:
    void finishMovie();

    DebugWriter m_debug;
    MovieWriter m_writer;
    QString m_path;
    QString m_codecStr = QStringLiteral("jpeg");
    quint32 m_quality = 1024;
    float m_fps = 30.0F;
    bool m_isRecording = false;
    // A frame failed: nothing more is added until the movie is stopped.
    bool m_isHalted = false;
};
