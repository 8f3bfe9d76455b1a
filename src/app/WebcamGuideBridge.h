#pragma once

#include "camera/guide/WebcamGuide.h"
#include "camera/webcam/WebcamGuideLink.h"

// The autoguider as the webcam's pipeline and capture view call it: the
// guider keeps its own point types, the webcam speaks Qt's.
class WebcamGuideBridge final : public WebcamGuideLink {
public:
    explicit WebcamGuideBridge(WebcamGuide& guide) : m_guide(guide) {}

    void setGuideBuff(bool hasBuffer) override { m_guide.centroid().setGuideBuff(hasBuffer); }
    bool isCalibrating() const override { return m_guide.isCalibrating(); }
    bool isGuiding() const override { return m_guide.isGuiding(); }
    bool isNewSkip() const override { return m_guide.centroid().isNewSkip(); }
    void setIsNewSkip(bool waiting) override { m_guide.centroid().setIsNewSkip(waiting); }
    QRectF skipRect() const override
    {
        const GuideRect r = m_guide.centroid().skipRect();
        return {r.x, r.y, r.width, r.height};
    }
    QPointF clickPt() const override { return toQt(m_guide.clickPt()); }
    QPointF calCurrentPt() const override { return toQt(m_guide.calCurrentPt()); }
    void setHotPoint(QPointF point) override { m_guide.centroid().setHotPoint(toGuide(point)); }
    void starCentroid(QPointF point) override { m_guide.starCentroid(toGuide(point)); }
    void resetSkipRect() override { m_guide.centroid().resetSkipRect(); }

private:
    static QPointF toQt(GuidePoint p) { return {p.x, p.y}; }
    static GuidePoint toGuide(QPointF p) { return {float(p.x()), float(p.y())}; }

    WebcamGuide& m_guide;
};
