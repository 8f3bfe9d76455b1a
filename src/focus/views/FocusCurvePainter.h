#pragma once

#include "focus/FocusSample.h"

#include <QRectF>

#include <array>
#include <span>

class AutoFocusRun;
class QPainter;

// What the plot reads of a focuser window's run, at each drawing.
struct FocusCurveData {
    std::span<const FocusSample> store;
    int images = 0;
    int samples = 0;
    bool isConnected = false;
    bool isCurveDone = false;
    std::array<double, 3> coeff{};
    quint16 bestFocus = 0;
    double scale = 1.0;  // N of the fit, steps

    static FocusCurveData of(const AutoFocusRun& run);
};

// Draws an autofocus run on black, y growing upward: each sample's
// half-flux radius as a yellow circle in its position's column (radius
// scale), and once fitted the green area curve, 4 points per segment from
// the first column (area scale), with a green line at the best focus. Both
// scales put their minimum 10 points above the bottom and their maximum at
// 10 + 0.8 h. The area scale never starts above 1000.
class FocusCurvePainter {
public:
    // `integerColumns`: the column spacing is a whole number of points.
    static void paint(QPainter& painter, const QRectF& rect, const FocusCurveData& run,
                      bool integerColumns = false);
};
