#pragma once

#include "focus/FCUSBDisplay.h"
#include "mount/links/ConnectMenuLinks.h"
#include "platform/widgets/DevicePanel.h"

#include <array>

class FCUSBControl;
class QAbstractButton;
class QButtonGroup;
class QSlider;
class QTabWidget;

// The FCUSB window: a tab per unit, each with its two direction buttons
// (the motor runs while one is held down), its speed slider and its PWM
// radio. The second unit's tab opens only while that unit is connected.
// Closing the window stores the settings and leaves the units connected.
class FCUSB final : public DevicePanel, public FCUSBDisplay, public MenuPanel {
    Q_OBJECT
public:
    explicit FCUSB(FCUSBControl& control, QWidget* parent = nullptr);

    void showUnit(int unit, bool connected, int pwmColumn, quint8 speed) override;
    void showAddressedUnit(int unit) override;
    void orderFront() override;
    void orderOut() override { DevicePanel::hide(); }

    bool isVisible() const override { return DevicePanel::isVisible(); }
    void show() override { orderFront(); }
    void hide() override { DevicePanel::hide(); }

    QTabWidget* tabs() const { return m_tabs; }
    // The unit's direction button of `tag` (1 or 2), slider and PWM radio.
    QAbstractButton* motorButton(int unit, int tag) const;
    QSlider* speedSlider(int unit) const { return m_units[index(unit)].slider; }
    QButtonGroup* pwmRadio(int unit) const { return m_units[index(unit)].pwm; }

private:
    struct UnitControls {
        std::array<QAbstractButton*, 2> motor{};
        QSlider* slider = nullptr;
        QButtonGroup* pwm = nullptr;
    };

    static std::size_t index(int unit) { return unit == 2 ? 1 : 0; }
    QWidget* buildUnitTab(int unit);
    void tabChanged(int tabIndex);

    FCUSBControl& m_control;
    QTabWidget* m_tabs;
    std::array<UnitControls, 2> m_units;
    int m_lastTab = 0;
};
