#include "camera/movie/MovieWriter.h"

#include "camera/movie/MovieModule.h"
#include "platform/DeviceModule.h"

MovieWriter::MovieWriter() : m_noCodec(MovieCodec::fallback()) {}

MovieWriter::~MovieWriter() = default;

bool MovieWriter::create(const QString& path, const QString& codec, int quality)
{
    if (!m_encoder) {
        const DeviceModule::Entry entry =
            DeviceModule::findOrWarn(MovieModule::kName, MovieModule::kCreateEncoder, QStringLiteral("movies"));
        if (!entry.address) {
            m_error = entry.error;
            return false;
        }
        m_encoder = reinterpret_cast<MovieModule::CreateEncoder*>(entry.address)();
    }
    return m_encoder->create(path, codec, quality);
}

bool MovieWriter::addFrame(const QImage& frame, int duration)
{
    // Only an open movie can take a frame, and only create() opens one.
    return m_encoder && m_encoder->addFrame(frame, duration);
}

bool MovieWriter::finish()
{
    return m_encoder && m_encoder->finish();
}
