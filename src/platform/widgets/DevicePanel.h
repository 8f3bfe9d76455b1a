#pragma once

#include "platform/widgets/HidesOnDeactivate.h"
#include "platform/widgets/InactiveHider.h"

#include <QDialog>

#include <functional>

// The set-up every floating device panel and focuser window shares: a tool
// window above the program's windows, brought back to the lower-left corner
// of the screen when it first shows partly outside it, hidden while the
// program is inactive when the setting asks for it, and closing it by its
// close button tells its close observer (which may ask the user, and ends
// or keeps its device's connection). Escape does not close it: a key
// meant for a field must not end a device's work.
class DevicePanel : public QDialog, public HidesOnDeactivate {
public:
    explicit DevicePanel(QWidget* parent = nullptr);

    void setHide(bool hide) override { m_inactiveHider.setHides(hide); }
    // Told while the panel still shows; the panel hides once it returns.
    void setCloseObserver(std::function<void()> closed) { m_closed = std::move(closed); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    InactiveHider m_inactiveHider{*this};
    std::function<void()> m_closed;
    bool m_isPlaced = false;  // shown once
};
