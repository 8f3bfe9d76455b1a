// MovieWriter in the program: its calls go to the movie module, loaded with
// the first movie, so that a start without movies maps no FFmpeg library.
// The tests and benchmarks link MovieWriter.cpp itself instead. FFmpeg's
// state exists only while a movie is open and is let go by finish(), in the
// module, so these definitions only ever hold plain members.
#include "camera/movie/MovieModule.h"
#include "camera/movie/MovieWriter.h"
#include "platform/DeviceModule.h"
#include "platform/SafeWrite.h"

namespace {

const MovieModule::Calls* calls(QString& error)
{
    static const DeviceModule::Entry entry = DeviceModule::find(MovieModule::kName, MovieModule::kCalls);
    if (!entry.address)
        error = QStringLiteral("Movies cannot be written: %1").arg(entry.error);
    return entry.address ? reinterpret_cast<MovieModule::GetCalls*>(entry.address)() : nullptr;
}

}  // namespace

MovieWriter::MovieWriter() : m_codec(MovieCodec::fallback()) {}

MovieWriter::~MovieWriter()
{
    if (m_isOpen)
        finish();
}

bool MovieWriter::create(const QString& path, const QString& codec, int quality)
{
    const MovieModule::Calls* module = calls(m_error);
    return module && module->create(*this, path, codec, quality);
}

bool MovieWriter::addFrame(const QImage& frame, int duration)
{
    // Only an open movie can take a frame, and only create() opens one.
    return m_isOpen && calls(m_error)->addFrame(*this, frame, duration);
}

bool MovieWriter::finish()
{
    return m_isOpen && calls(m_error)->finish(*this);
}
