#pragma once

#include "camera/guide/WebcamGuide.h"
#include "remote/events/RemoteGuider.h"

// The webcam autoguider's correction for an outside guiding program.
class GuideRemote final : public RemoteGuider {
public:
    explicit GuideRemote(WebcamGuide& guide) : m_guide(guide) {}
    bool phdGuideControl(float eastWest, float northSouth) override
    {
        return m_guide.phdGuideControl(eastWest, northSouth);
    }

private:
    WebcamGuide& m_guide;
};
