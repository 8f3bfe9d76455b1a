#include "chart/panels/DirectionControlPanel.h"

#include "chart/UpdateChain.h"
#include "chart/controls/SkyKeyboard.h"
#include "chart/controls/ViewLimits.h"
#include "model/settings/PrefControl.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include <cmath>

namespace {

// The sliders count tenths of a degree.
constexpr double kSliderScale = 10.0;

struct SliderRow {
    const char* label;
    const char* toolTip;
    double minimum, maximum;
};
constexpr SliderRow kSliders[] = {
    {"Azimuth", "Rotate to change azimuth direction", 0.0, 360.0},
    {"Altitude", "Change viewing altitude", -90.0, 90.0},
    {"View Angle", "Change viewing angle (corner to corner)", ViewLimits::kMinField, ViewLimits::kMaxField},
};

struct CompassPoint {
    const char* letter;
    const char* toolTip;
    double azimuth;
};
constexpr CompassPoint kCompass[] = {
    {"N", "Set azimuth to north", 0.0},
    {"S", "Set azimuth to south", 180.0},
    {"E", "Set azimuth to east", 90.0},
    {"W", "Set azimuth to west", 270.0},
};

}  // namespace

DirectionControlPanel::DirectionControlPanel(PrefControl& prefs, UpdateChain& chain, SkyKeyboard* keyboard,
                                             QWidget* parent)
    : FloatingControlPanel(prefs, tr("Direction"), [&prefs] { prefs.setIsDirectionPanel(); }, parent),
      m_chain(chain),
      m_keyboard(keyboard)
{
    auto* layout = new QGridLayout(this);
    for (int i = 0; i < int(m_sliders.size()); ++i) {
        const SliderRow& row = kSliders[i];
        auto* slider = new QSlider(Qt::Horizontal, this);
        slider->setRange(int(row.minimum * kSliderScale), int(row.maximum * kSliderScale));
        const int tag = i + 1;
        connect(slider, &QSlider::valueChanged, this,
                [this, tag](int value) { directionControlAction(tag, value / kSliderScale); });
        layout->addWidget(new QLabel(tr(row.label), this), i, 0);
        layout->addWidget(slider, i, 1, 1, 4);
        m_sliders[std::size_t(i)] = slider;
    }
    for (int i = 0; i < int(m_buttons.size()); ++i) {
        auto* button = new QPushButton(tr(kCompass[i].letter), this);
        const int tag = i + 1;
        connect(button, &QPushButton::clicked, this, [this, tag] { directionButtonAction(tag); });
        layout->addWidget(button, int(m_sliders.size()), i + 1);
        m_buttons[std::size_t(i)] = button;
    }
}

void DirectionControlPanel::directionControlAction(int tag, double value)
{
    switch (tag) {
    case AzimuthSlider:
        m_prefs.setAzimuth(value);
        break;
    case AltitudeSlider:
        m_prefs.setAltitude(value);
        break;
    case ViewAngleSlider:
        m_prefs.setViewAngle(value);
        break;
    default:
        break;
    }
    m_chain.updateView();
}

void DirectionControlPanel::directionButtonAction(int tag)
{
    if (tag >= North && tag <= West)
        m_prefs.setAzimuth(kCompass[tag - 1].azimuth);
    m_chain.updateView();
}

void DirectionControlPanel::setAzimuthSlider(double degrees) { setSlider(AzimuthSlider, degrees); }

void DirectionControlPanel::setAltitudeSlider(double degrees) { setSlider(AltitudeSlider, degrees); }

void DirectionControlPanel::setViewAngleSlider(double degrees) { setSlider(ViewAngleSlider, degrees); }

void DirectionControlPanel::setSlider(int tag, double degrees)
{
    if (!std::isfinite(degrees))
        return;
    QSlider* slider = m_sliders[std::size_t(tag - 1)];
    const QSignalBlocker quiet(slider);
    slider->setValue(int(std::lround(degrees * kSliderScale)));
}

void DirectionControlPanel::setToolTips()
{
    for (std::size_t i = 0; i < m_sliders.size(); ++i)
        m_sliders[i]->setToolTip(tr(kSliders[i].toolTip));
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        m_buttons[i]->setToolTip(tr(kCompass[i].toolTip));
        m_buttons[i]->setText(tr(kCompass[i].letter));
    }
}

void DirectionControlPanel::clearToolTips()
{
    for (QSlider* slider : m_sliders)
        slider->setToolTip(QString());
    for (QPushButton* button : m_buttons)
        button->setToolTip(QString());
}

void DirectionControlPanel::orderFront()
{
    show();
    raise();
}

void DirectionControlPanel::keyPressEvent(QKeyEvent* event)
{
    if (m_keyboard)
        m_keyboard->keyDown(*event);
    else
        FloatingControlPanel::keyPressEvent(event);
}
