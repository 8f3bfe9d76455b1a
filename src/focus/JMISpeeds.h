#pragma once

#include <QtGlobal>

// The JMI focuser's three speeds, derived from its maximum travel and the
// user's adjustment factors, and the sliders that set those factors.
struct JMISpeeds {
    quint16 posn = 0;
    quint16 move = 0;
    quint16 shuttle = 0;

    // Single-precision products truncated toward zero, as the focuser's
    // firmware expects them; a product beyond 16 bits gives the largest value.
    static JMISpeeds forMaximum(quint16 maximum, float slowAdj, float fastAdj, float ioAdj);
};

namespace JMISpeedSlider {

// A slider at s sets the factor 2^(s / 25): 25 doubles, -25 halves.
float factor(int slider);
// Where a slider stands for a factor (25 log2 factor, rounded).
int position(float factor);

}  // namespace JMISpeedSlider
