#pragma once

#include <QObject>

class QWidget;

// Fits a window to the work area of its screen as it shows with no size
// given (none restored, none set since): its whole size hint, or as much of
// it as the work area holds. Left to Qt, such a window shows at most two
// thirds of the screen. Lives as long as the window (it is its child).
class ScreenFit final : public QObject {
public:
    // Installed after a placement, it acts before it: the last event filter
    // installed acts first.
    static void install(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ScreenFit(QWidget& window);
    void fit();

    QWidget& m_window;
};
