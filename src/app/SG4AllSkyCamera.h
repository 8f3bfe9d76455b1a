#pragma once

#include "camera/allsky/AllSkyCamera.h"
#include "camera/allsky/AllSkyFrame.h"

class SG4Control;
struct SG4Image;

// The SG-4 controller as the all-sky schedule sees it while the AllSky
// camera is connected: exposures go through the controller's own Expose
// path (completion polls, panel state), the heater is the X-plus relay, and
// a downloaded image becomes an AllSkyFrame here and nowhere else.
class SG4AllSkyCamera final : public AllSkyCamera {
public:
    explicit SG4AllSkyCamera(SG4Control& control) : m_control(control) {}

    bool startExposure(float seconds, quint8 imageType) override;
    bool abortExposure() override;
    bool isIdle() const override;
    quint8 readOutMode() const override;
    quint8 imageType() const override;
    float lastTransferSeconds() const override;
    void setHeater(bool on) override;
    bool hasDarkFrame() const override;
    void forgetDarkFrame() override;
    bool defineSubFrame(quint16 x, quint16 y, quint8 side) override;

    static AllSkyFrame allSkyFrame(const SG4Image& image);

private:
    SG4Control& m_control;
};
