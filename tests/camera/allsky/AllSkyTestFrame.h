#pragma once

#include "camera/allsky/AllSkyFrame.h"

#include <QTimeZone>

// A frame of `mode` whose pixel i holds (i * step) mod 65536.
inline AllSkyFrame allSkyTestFrame(quint8 mode = AllSkyFrame::kFullMode, quint8 type = AllSkyFrame::kLightType,
                                   int step = 7)
{
    AllSkyFrame frame;
    frame.readOutMode = mode;
    frame.imageType = type;
    const QSize size = AllSkyFrame::fileSize(mode).value_or(QSize(20, 20));
    frame.width = size.width();
    frame.height = size.height();
    frame.exposureSeconds = 12.5F;
    frame.startUtc = QDateTime(QDate(2026, 12, 7), QTime(3, 4, 5, 678), QTimeZone::utc());
    frame.pixels.resize(std::size_t(frame.width) * frame.height);
    for (std::size_t i = 0; i < frame.pixels.size(); ++i)
        frame.pixels[i] = quint16((i * step) & 0xFFFF);
    return frame;
}
