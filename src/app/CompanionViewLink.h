#pragma once

#include "chart/ChartOutlets.h"
#include "remote/CompanionTelescopeView.h"
#include "scopeview/ScopeViewControl.h"
#include "scopeview/TelescopeDrawer.h"

// The telescope view for the companion server, read from the chart's
// outlets when used: the view joins after the chart and may be absent.
class CompanionViewLink final : public CompanionTelescopeView {
public:
    explicit CompanionViewLink(const ChartOutlets& outlets) : m_outlets(outlets) {}

    double trackRA() const override { return m_outlets.svControl ? m_outlets.svControl->trackRA() : 0.0; }
    double trackDec() const override { return m_outlets.svControl ? m_outlets.svControl->trackDec() : 0.0; }
    void setSVPower(float power) override
    {
        if (m_outlets.svDrawer)
            m_outlets.svDrawer->setSVPower(power);
    }

private:
    const ChartOutlets& m_outlets;
};
