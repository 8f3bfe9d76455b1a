#pragma once

#include "app/FocuserWindowOwner.h"
#include "focus/RoboDisplay.h"
#include "focus/views/RoboWindow.h"

// The RoboFocus window, made when first shown; its configuration, outputs,
// level and slope learning are kept until then.
class RoboWindowLink final : public FocuserWindowOwner<RoboWindow>, public RoboDisplay {
public:
    using FocuserWindowOwner::FocuserWindowOwner;

    void showConfig(int duty, int delay, int stepSize) override;
    void showBacklash(int amount) override;
    void selectBacklashDirection(int direction) override;
    void showMaximum(int steps) override;
    void showOutputs(const std::array<bool, 4>& on) override;
    void showLevel(int percent) override;
    void clearMoveButtons() override;
    void showSlope(const QString& slope) override;
    void showTempDelta(const QString& delta) override;

protected:
    void fillOwn(RoboWindow& made) override { m_own.join(made); }

private:
    KeptView<RoboDisplay> m_own;
};
