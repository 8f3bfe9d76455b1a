#pragma once

#include "app/GaugeWindowOwner.h"
#include "focus/JMISetupDisplay.h"
#include "focus/views/JMIWindow.h"

// The JMI window, made when first shown; its set-up fields and gauge are
// kept until then.
class JMIWindowLink final : public GaugeWindowOwner<JMIWindow>, public JMISetupDisplay {
public:
    using GaugeWindowOwner::GaugeWindowOwner;

    void setJMIBacklashButton(bool on) override;
    void setJMIBacklashText(quint16 amount) override;
    void setJMIMaxValueText(quint16 maximum) override;
    void setJMISpeedSlider(float slow, float fast, float io) override;

protected:
    void fillModel(JMIWindow& made) override { m_own.join(made); }

private:
    KeptView<JMISetupDisplay> m_own;
};
