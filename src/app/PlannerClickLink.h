#pragma once

#include "chart/PlannerLink.h"
#include "remote/events/AppDelegate.h"

// The chart's planner clicks, handed to the delegate that sends them on.
class PlannerClickLink final : public PlannerLink {
public:
    explicit PlannerClickLink(AppDelegate& delegate) : m_delegate(delegate) {}
    void sendAPClick(bool track) override { m_delegate.sendAPClick(track); }

private:
    AppDelegate& m_delegate;
};
