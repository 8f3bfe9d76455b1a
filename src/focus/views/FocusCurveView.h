#pragma once

#include <QWidget>

class AutoFocusRun;

// The focus-curve plot of a focuser window; it keeps nothing of its own
// and draws the window's autofocus run at each repaint.
class FocusCurveView final : public QWidget {
    Q_OBJECT
public:
    explicit FocusCurveView(const AutoFocusRun& run, QWidget* parent = nullptr);

    // The MoonLite plot places its columns at whole points.
    void setIntegerColumns(bool integer) { m_isIntegerColumns = integer; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const AutoFocusRun& m_run;
    bool m_isIntegerColumns = false;
};
