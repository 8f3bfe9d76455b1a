#pragma once

#include "platform/widgets/HidesOnDeactivate.h"
#include "platform/widgets/InactiveHider.h"

#include <QDialog>

#include <functional>

// The set-up every floating device panel and focuser window shares: a tool
// window above the program's windows, brought back to the lower-left corner
// of the screen when it first shows partly outside it, hidden while the
// program is inactive when the setting asks for it, and closing it tells its
// close observer (which disconnects the device).
class DevicePanel : public QDialog, public HidesOnDeactivate {
public:
    explicit DevicePanel(QWidget* parent = nullptr);

    void setHide(bool hide) override { m_inactiveHider.setHides(hide); }
    void setCloseObserver(std::function<void()> closed) { m_closed = std::move(closed); }

protected:
    void showEvent(QShowEvent* event) override;
    // The title bar's close button and Escape both end here.
    void reject() override;

private:
    InactiveHider m_inactiveHider{*this};
    std::function<void()> m_closed;
    bool m_isPlaced = false;  // shown once
};
