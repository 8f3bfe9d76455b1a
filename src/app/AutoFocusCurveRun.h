#pragma once

#include "camera/webcam/FocusCurveRun.h"
#include "focus/AutoFocusRun.h"

// A focuser window's autofocus run as the webcam marks the star it measures.
class AutoFocusCurveRun final : public FocusCurveRun {
public:
    explicit AutoFocusCurveRun(const AutoFocusRun& run) : m_run(run) {}

    bool isCurveRun() const override { return m_run.isRun(); }
    QPointF curvePt() const override { return m_run.curvePt(); }

private:
    const AutoFocusRun& m_run;
};
