#pragma once

#include <QImage>
#include <QString>

class MovieWriter;

// MovieWriter's FFmpeg side lives in a module loaded with the first movie
// (DeviceModule): the program keeps MovieWriter's objects and hands each
// call on to the module's code, which FFmpeg's hundred libraries come with.
namespace MovieModule {

inline constexpr const char* kName = "norvane-movie";
inline constexpr const char* kCalls = "norvaneMovieCalls";

// MovieWriter's public calls, as the module makes them.
struct Calls {
    bool (*create)(MovieWriter& writer, const QString& path, const QString& codec, int quality);
    bool (*addFrame)(MovieWriter& writer, const QImage& frame, int duration);
    bool (*finish)(MovieWriter& writer);
};
using GetCalls = const Calls*();

}  // namespace MovieModule
