#pragma once

#include "camera/movie/MovieEncoder.h"

#include <memory>

// The movies' FFmpeg code (FfmpegMovieEncoder) lives in a module loaded with
// the first movie (DeviceModule), which FFmpeg's hundred libraries come
// with; MovieWriter holds the encoder the module makes.
namespace MovieModule {

inline constexpr const char* kName = "norvane-movie";
inline constexpr const char* kCreateEncoder = "norvaneCreateMovieEncoder";
using CreateEncoder = std::unique_ptr<MovieEncoder>();

}  // namespace MovieModule
