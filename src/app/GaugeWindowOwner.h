#pragma once

#include "app/FocuserWindowOwner.h"
#include "focus/FocuserGauge.h"

// A focuser window with the position level and moving indicator, made at
// first use; both are kept until then.
template <class Window>
class GaugeWindowOwner : public FocuserWindowOwner<Window>, public FocuserGauge {
public:
    using FocuserWindowOwner<Window>::FocuserWindowOwner;

    void showLevel(int percent) override { m_gauge.template keep<&FocuserGauge::showLevel>(percent); }
    void showMoving(bool moving) override { m_gauge.template keep<&FocuserGauge::showMoving>(moving); }

protected:
    void fillOwn(Window& made) override
    {
        m_gauge.join(made);
        fillModel(made);
    }
    // The model's own fields beside the gauge.
    virtual void fillModel(Window& made) = 0;

private:
    KeptView<FocuserGauge> m_gauge;
};
