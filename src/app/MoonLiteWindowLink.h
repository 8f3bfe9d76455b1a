#pragma once

#include "app/GaugeWindowOwner.h"
#include "focus/MoonLiteDisplay.h"
#include "focus/views/MoonLiteWindow.h"

// The MoonLite window, made when first shown; its maximum, speed and
// temperature-compensation fields are kept until then.
class MoonLiteWindowLink final : public GaugeWindowOwner<MoonLiteWindow>, public MoonLiteDisplay {
public:
    using GaugeWindowOwner::GaugeWindowOwner;

    void showMaximum(quint16 maximum) override;
    void selectSpeedCell(int cell) override;
    void showSlope(const QString& text) override;
    void showDelta(const QString& text) override;
    void enableCompensation(bool enabled) override;
    void enableRatePopup(bool enabled) override;
    void showLearnTitle(const QString& title) override;

protected:
    void fillModel(MoonLiteWindow& made) override { m_own.join(made); }

private:
    KeptView<MoonLiteDisplay> m_own;
};
