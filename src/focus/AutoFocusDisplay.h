#pragma once

#include <QtGlobal>

// Where an autofocus run shows itself: the focuser window's fields and its
// curve view.
class AutoFocusDisplay {
public:
    virtual ~AutoFocusDisplay() = default;
    // The start button reads "Abort" while running, else "Start".
    virtual void showRunning(bool running) = 0;
    virtual void showProgress(int percent) = 0;
    // The best focus ("%.4d") and its standard error ("%.1f").
    virtual void showFocusResult(quint16 bestFocus, float rms) = 0;
    // The position of the last sample ("%.4d").
    virtual void showRunPosition(quint16 position) = 0;
    virtual void redrawCurve() = 0;
};
