#pragma once

#include <QtGlobal>

// One star measurement of an autofocus run. A radius below
// kEmptyRadius marks a record not measured yet.
struct FocusSample {
    static constexpr float kEmptyRadius = 0.1f;

    quint16 focusPosition = 0;  // focuser steps
    double starArea = 0.0;      // square pixels, pi r^2: the fitted quantity
    float halfFluxRadius = 0.0f;  // pixels

    bool isMeasured() const { return halfFluxRadius >= kEmptyRadius; }
};
