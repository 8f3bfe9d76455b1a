#pragma once

#include <QColor>
#include <QFont>

// The all-sky camera's date-stamp panel: it keeps its own font, colour and
// movie settings, which the settings object hands it at start.
class AllSkyDateStamp {
public:
    virtual ~AllSkyDateStamp() = default;
    virtual void setDateColor(const QColor& color) = 0;
    virtual void setDateFont(const QFont& font) = 0;
    virtual void setDateFPS(float framesPerSecond) = 0;
    virtual void setDateMovieDict(int codec, quint32 quality) = 0;
    // Position 0..3 of the stamp, universal time or not, with seconds or not.
    virtual void setDatePosn(int position, bool isUTC, bool isSec) = 0;
};
