#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Places a window once, as it first shows (before the window system maps
// it), by `place`, unless it was moved before; later shows leave it where
// the user put it. Lives as long
// as the window or until that first show.
class FirstShowPlacement final : public QObject {
public:
    static void install(QWidget& window, std::function<void()> place);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FirstShowPlacement(QWidget& window, std::function<void()> place);

    QWidget& m_window;
    std::function<void()> m_place;
};
