#pragma once

#include "camera/webcam/WebcamGuideLink.h"

#include <vector>

// The guider's side of the webcam, recording what it is told.
struct FakeGuide final : WebcamGuideLink {
    std::vector<bool> guideBuffs;
    bool calibrating = false;
    bool guiding = false;
    bool newSkip = false;
    QRectF skip;
    QPointF click;
    QPointF calPoint;
    QPointF hotPoint{-1, -1};
    int centroids = 0;
    int resets = 0;

    void setGuideBuff(bool has) override { guideBuffs.push_back(has); }
    bool isCalibrating() const override { return calibrating; }
    bool isGuiding() const override { return guiding; }
    bool isNewSkip() const override { return newSkip; }
    void setIsNewSkip(bool waiting) override { newSkip = waiting; }
    QRectF skipRect() const override { return skip; }
    QPointF clickPt() const override { return click; }
    QPointF calCurrentPt() const override { return calPoint; }
    void setHotPoint(QPointF point) override { hotPoint = point; }
    void starCentroid(QPointF) override { ++centroids; }
    void resetSkipRect() override { ++resets; }
};
