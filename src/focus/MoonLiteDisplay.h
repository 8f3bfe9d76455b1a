#pragma once

#include <QString>

// The MoonLite window's own fields: the maximum, the speed cells and the
// temperature-compensation controls.
class MoonLiteDisplay {
public:
    virtual ~MoonLiteDisplay() = default;
    virtual void showMaximum(quint16 maximum) = 0;
    // Cells 1 to 5 for the step delays 32 ... 2; 0 selects none.
    virtual void selectSpeedCell(int cell) = 0;
    virtual void showSlope(const QString& text) = 0;
    virtual void showDelta(const QString& text) = 0;
    virtual void enableCompensation(bool enabled) = 0;
    virtual void enableRatePopup(bool enabled) = 0;
    // "Learn", or "Reset" while learning.
    virtual void showLearnTitle(const QString& title) = 0;
};
