// The entry of the movie module: MovieWriter's own code, with FFmpeg.
#include "camera/movie/MovieModule.h"
#include "camera/movie/MovieWriter.h"

extern "C" {
#include <libavutil/log.h>
}

extern "C" Q_DECL_EXPORT const MovieModule::Calls* norvaneMovieCalls()
{
    static const MovieModule::Calls calls{
        [](MovieWriter& writer, const QString& path, const QString& codec, int quality) {
            // Failures come back through error(); the libraries' chatter stays out of the program's output.
            av_log_set_level(AV_LOG_ERROR);
            return writer.create(path, codec, quality);
        },
        [](MovieWriter& writer, const QImage& frame, int duration) { return writer.addFrame(frame, duration); },
        [](MovieWriter& writer) { return writer.finish(); },
    };
    return &calls;
}
