#pragma once

#include "MpcLines.h"

#include <QByteArray>

#include <cstdio>
#include <string>

// An orbit file ("MPCORB.DAT") of `count` copies of Vesta's line, numbered in
// turn, bright to faint and spread along the orbit: large enough tables for
// the passes that skip bodies, with something to skip.
inline QByteArray largeOrbitFile(std::size_t count)
{
    QByteArray text = "MPCORB\n\n" + QByteArray(202, '-') + "\n";
    for (std::size_t i = 0; i < count; ++i) {
        std::string line(MpcLines::kVesta);
        char field[16];
        std::snprintf(field, sizeof field, "%05zu", i % 100000);
        line.replace(0, 5, field);
        std::snprintf(field, sizeof field, "%5.2f", 3.0 + double(i % 170) / 10.0);
        line.replace(8, 5, field);
        std::snprintf(field, sizeof field, "%9.5f", double(i * 37 % 36000) / 100.0);
        line.replace(27, 9, field);
        text += QByteArray(line.data(), qsizetype(line.size())) + "\n";
    }
    return text;
}
