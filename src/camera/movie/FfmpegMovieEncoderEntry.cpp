// The entry of the movie module.
#include "camera/movie/FfmpegMovieEncoder.h"
#include "camera/movie/MovieModule.h"

extern "C" Q_DECL_EXPORT std::unique_ptr<MovieEncoder> norvaneCreateMovieEncoder()
{
    return std::make_unique<FfmpegMovieEncoder>();
}
