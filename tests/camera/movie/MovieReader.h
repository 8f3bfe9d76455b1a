#pragma once

#include <QImage>
#include <QString>

#include <vector>

// What a written movie holds, read back with FFmpeg's demuxer and decoders.
struct MovieContents {
    bool opened = false;
    QString container;  // the demuxer's names, "mov,mp4,..." for QuickTime
    QString tag;        // the video track's four characters
    QString codec;      // the decoder's codec name
    int timeBase = 0;   // units per second of the track
    std::vector<long long> durations;  // per packet, in track units
    QImage firstFrame;  // decoded, 32-bit

    static MovieContents read(const QString& path);
};
