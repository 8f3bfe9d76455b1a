#pragma once

#include "app/FocuserWindowOwner.h"
#include "focus/OptecDisplay.h"
#include "focus/views/OptecWindow.h"

// The Optec TCF-S window, made when first shown; its speeds and slope
// learning are kept until then.
class OptecWindowLink final : public FocuserWindowOwner<OptecWindow>, public OptecDisplay {
public:
    using FocuserWindowOwner::FocuserWindowOwner;

    void showSpeeds(const std::array<quint16, 4>& speeds) override;
    void showCurrentSlope(int slope) override;
    void showLearning(const QString& average, const QString& calculated, const QString& startTemp,
                      const QString& delta) override;

protected:
    void fillOwn(OptecWindow& made) override { m_own.join(made); }

private:
    KeptView<OptecDisplay> m_own;
};
