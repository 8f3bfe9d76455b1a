#pragma once

#include "camera/guide/GuideView.h"
#include "camera/guide/WebcamGuide.h"
#include "remote/CompanionGuider.h"
#include "remote/Controller.h"

// The autoguider as the companion-app server reports it, and the server as
// the guider tells it of each recorded error while the companion follows
// the trend.
class CompanionGuideLink final : public CompanionGuider, public GuideDataListener {
public:
    static_assert(WebcamGuide::kHistory == CompanionGuider::kHistory);

    CompanionGuideLink(WebcamGuide& guide, Controller& controller) : m_guide(guide), m_controller(controller) {}

    bool isGuiding() const override { return m_guide.isGuiding(); }
    float errX() const override { return m_guide.errX(); }
    float errY() const override { return m_guide.errY(); }
    History errXArray() const override { return m_guide.errXArray(); }
    History errYArray() const override { return m_guide.errYArray(); }
    float guideRate() const override { return m_guide.guideRate(); }
    void clearErrArrays() override { m_guide.clearErrArrays(); }
    void setLumarikTrend(bool on) override { m_guide.setLumarikTrend(on); }
    void setLumarikTrendUpdate(bool on) override { m_guide.setLumarikTrendUpdate(on); }

    void requestGuideData() override { m_controller.requestGuideData(); }

private:
    WebcamGuide& m_guide;
    Controller& m_controller;
};
