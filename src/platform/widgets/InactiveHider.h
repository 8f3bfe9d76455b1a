#pragma once

#include <QObject>

class ProgramActivity;
class QWidget;

// Hides a window while the program is inactive (ProgramActivity), when its
// setting asks for it, and shows it again once the program is active. The window system
// leaves tool windows up when another program comes to the front, so the
// program does it itself. The last window the program shows is minimised
// instead: withdrawn, it would leave nothing on screen or in the window list
// to bring the program back with; a focus report on it while it is still
// minimised does not bring it back.
class InactiveHider final : public QObject {
public:
    // Follows the program's state from here on; a member of `window`.
    explicit InactiveHider(QWidget& window);
    InactiveHider(QWidget& window, ProgramActivity& activity);

    void setHides(bool hides) { m_hides = hides; }
    bool hides() const { return m_hides; }

    void applicationStateChanged(Qt::ApplicationState state);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Once hidden, the window maps as it is, not minimised.
    void forgetMinimizedStart();
    // Whether another window of the program shows (minimised or not).
    bool isOtherWindowShown() const;

    QWidget& m_window;
    bool m_hides = false;
    bool m_isHiddenWhileInactive = false;
    bool m_isMinimizedWhileInactive = false;
    // Minimised here since the window last hid.
    bool m_mayOpenMinimized = false;
};
