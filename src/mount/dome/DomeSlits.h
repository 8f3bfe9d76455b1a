#pragma once

#include "mount/dome/DDWControl.h"
#include "mount/dome/DomeControl.h"
#include "mount/dome/DomeSlit.h"

// The two dome controllers as the chart's slit marks read them; the lead of
// both is the board's, as the settings share it.
class DomeSlits final : public DomeSlit {
public:
    DomeSlits(const DomeControl& dome, const DDWControl& ddw) : m_dome(dome), m_ddw(ddw) {}

    bool isDomeTrack() const override { return m_dome.isDomeTrack(); }
    double domeSkyAzimuth() const override { return m_dome.domeSkyAzimuth(); }
    double domeDelta() const override { return m_dome.domeDelta(); }
    bool isDDWTracking() const override { return m_ddw.isDDWTracking(); }
    double ddwSkyAzimuth() const override { return m_ddw.ddwSkyAzimuth(); }

private:
    const DomeControl& m_dome;
    const DDWControl& m_ddw;
};
