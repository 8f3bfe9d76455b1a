#pragma once

#include "chart/panels/FloatingControlPanel.h"
#include "model/settings/links/ViewSliders.h"
#include "platform/widgets/FloatingPanel.h"

#include <array>

class QPushButton;
class QSlider;
class SkyKeyboard;
class UpdateChain;

// The "Direction" panel: sliders for the azimuth and altitude of the view
// centre and the view angle, and compass buttons. The sliders follow every
// change of the view, wherever it comes from; keys typed while the panel has
// the keyboard act as on the chart.
class DirectionControlPanel final : public FloatingControlPanel, public FloatingPanel, public ViewSliders {
    Q_OBJECT
public:
    enum SliderTag { AzimuthSlider = 1, AltitudeSlider, ViewAngleSlider };
    enum ButtonTag { North = 1, South, East, West };

    DirectionControlPanel(PrefControl& prefs, UpdateChain& chain, SkyKeyboard* keyboard, QWidget* parent = nullptr);

    void directionControlAction(int tag, double value);
    void directionButtonAction(int tag);

    // The sliders as the settings move them.
    void setAzimuthSlider(double degrees) override;
    void setAltitudeSlider(double degrees) override;
    void setViewAngleSlider(double degrees) override;
    // The speed slider is the preferences window's; this panel has none.
    void setArrowSpeedSlider(float) override {}
    const QSlider& slider(int tag) const { return *m_sliders[std::size_t(tag - 1)]; }
    QPushButton& compassButton(int tag) { return *m_buttons[std::size_t(tag - 1)]; }

    void setHide(bool hide) override { applyHide(hide); }
    void setToolTips() override;
    void clearToolTips() override;
    void orderFront() override;
    void orderOut() override { hide(); }
    bool isPanelVisible() const override { return isVisible(); }
    void setTransparency() override { applyTransparency(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setSlider(int tag, double degrees);

    UpdateChain& m_chain;
    SkyKeyboard* m_keyboard;
    std::array<QSlider*, 3> m_sliders{};
    std::array<QPushButton*, 4> m_buttons{};
};
