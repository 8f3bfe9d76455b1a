#pragma once

#include "solarsystem/MpcLines.h"

#include <QByteArray>

#include <string_view>

// `line` and a newline, `count` times: an element list.
inline QByteArray repeatedLines(std::string_view line, int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += QByteArray(line.data(), qsizetype(line.size())) + "\n";
    return text;
}

// A header, the rule line and Ceres's orbit line over and over, about `size` bytes.
inline QByteArray orbitFile(qsizetype size)
{
    QByteArray bytes = "MINOR PLANET ORBITS\n\n" + QByteArray(202, '-') + "\n";
    const QByteArray ceres = QByteArray(MpcLines::kCeres.data(), qsizetype(MpcLines::kCeres.size())) + "\n";
    while (bytes.size() < size)
        bytes += ceres;
    return bytes;
}
