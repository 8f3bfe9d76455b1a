#include "focus/views/FCUSB.h"

#include "focus/FCUSBControl.h"
#include "platform/widgets/WindowStacking.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kTabIdentifier[] = {FCUSBControl::kUnit1, FCUSBControl::kUnit2};

}  // namespace

FCUSB::FCUSB(FCUSBControl& control, QWidget* parent)
    : DevicePanel(parent), m_control(control), m_tabs(new QTabWidget(this))
{
    setWindowTitle(QStringLiteral("FCUSB"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    m_tabs->addTab(buildUnitTab(FCUSBControl::kUnit1), QStringLiteral("FCUSB"));
    m_tabs->addTab(buildUnitTab(FCUSBControl::kUnit2), QStringLiteral("FCUSB2"));
    m_tabs->setTabEnabled(1, false);
    connect(m_tabs, &QTabWidget::currentChanged, this, &FCUSB::tabChanged);
    setCloseObserver([this] { m_control.closeButtonHit(); });
    m_control.setDisplay(this);
}

QWidget* FCUSB::buildUnitTab(int unit)
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    UnitControls& controls = m_units[index(unit)];
    const std::pair<int, QString> buttons[] = {{1, tr("Forward")}, {2, tr("Back")}};
    for (const auto& [tag, title] : buttons) {
        auto* button = new QPushButton(title, page);
        button->setFocusPolicy(Qt::NoFocus);
        // Held down, the motor runs; let go, it stops.
        connect(button, &QPushButton::pressed, this, [this, tag = tag] { m_control.fcusbMotorAction(tag, true); });
        connect(button, &QPushButton::released, this, [this, tag = tag] { m_control.fcusbMotorAction(tag, false); });
        grid->addWidget(button, 0, tag - 1);
        controls.motor[std::size_t(tag - 1)] = button;
    }
    controls.slider = new QSlider(Qt::Horizontal, page);
    controls.slider->setRange(0, 255);
    controls.slider->setValue(FCUSBControl::kStartSpeed);
    // One report when the slider is let go, not one per step of a drag.
    controls.slider->setTracking(false);
    connect(controls.slider, &QSlider::valueChanged, this, [this](int value) { m_control.fcusbSpeedAction(value); });
    grid->addWidget(new QLabel(tr("Speed:"), page), 1, 0);
    grid->addWidget(controls.slider, 1, 1, 1, 2);
    controls.pwm = new QButtonGroup(page);
    grid->addWidget(new QLabel(tr("PWM:"), page), 2, 0);
    auto* radios = new QHBoxLayout;
    for (const auto& [column, title] : {std::pair{0, "1"}, std::pair{1, "4"}, std::pair{2, "16"}}) {
        auto* radio = new QRadioButton(QString::fromLatin1(title), page);
        controls.pwm->addButton(radio, column);
        radios->addWidget(radio);
    }
    controls.pwm->button(0)->setChecked(true);
    connect(controls.pwm, &QButtonGroup::idClicked, this, [this](int column) { m_control.fcusbPWMAction(column); });
    grid->addLayout(radios, 2, 1, 1, 2);
    return page;
}

QAbstractButton* FCUSB::motorButton(int unit, int tag) const
{
    return m_units[index(unit)].motor[tag == 2 ? 1 : 0];
}

void FCUSB::showUnit(int unit, bool connected, int pwmColumn, quint8 speed)
{
    const UnitControls& controls = m_units[index(unit)];
    {
        const QSignalBlocker blockSlider(controls.slider);
        controls.slider->setValue(speed);
    }
    if (QAbstractButton* radio = controls.pwm->button(pwmColumn))
        radio->setChecked(true);
    if (unit == FCUSBControl::kUnit2)
        m_tabs->setTabEnabled(1, connected);
}

void FCUSB::showAddressedUnit(int unit)
{
    const QSignalBlocker block(m_tabs);
    m_tabs->setCurrentIndex(int(index(unit)));
    m_lastTab = m_tabs->currentIndex();
}

void FCUSB::orderFront() { WindowStacking::bringToFront(*this); }

void FCUSB::tabChanged(int tabIndex)
{
    if (tabIndex < 0)
        return;
    if (m_control.selectTab(kTabIdentifier[tabIndex])) {
        m_lastTab = tabIndex;
        return;
    }
    const QSignalBlocker block(m_tabs);
    m_tabs->setCurrentIndex(m_lastTab);
}
