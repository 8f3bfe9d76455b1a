#pragma once

#include <QString>

#include <array>

// The Optec window's own fields: the four move speeds and the slope
// learning's.
class OptecDisplay {
public:
    virtual ~OptecDisplay() = default;
    // Fine, slow, medium and fast, steps.
    virtual void showSpeeds(const std::array<quint16, 4>& speeds) = 0;
    // The slope stored in the controller, steps per degree.
    virtual void showCurrentSlope(int slope) = 0;
    // The learning's fields: average and calculated slopes, the start
    // temperature and the temperature difference ("---" when unset).
    virtual void showLearning(const QString& average, const QString& calculated,
                              const QString& startTemp, const QString& delta) = 0;
};
