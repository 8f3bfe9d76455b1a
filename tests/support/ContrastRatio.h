#pragma once

#include <QColor>

#include <algorithm>
#include <cmath>

// Relative luminance and contrast ratio as accessibility guides define them:
// text needs a ratio of 4.5 against its background to read.
inline double relativeLuminance(QColor c)
{
    const auto channel = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

inline double contrastRatio(QColor a, QColor b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
