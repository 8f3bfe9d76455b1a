#pragma once

#include <QPointF>
#include <QRectF>

// The autoguider as the webcam's frame pipeline and capture view use it.
// Points are frame pixels with rows counted from the top; the zero point
// means none.
class WebcamGuideLink {
public:
    virtual ~WebcamGuideLink() = default;
    // The webcam (re)made its focus buffer (true) or has none (false).
    virtual void setGuideBuff(bool hasBuffer) = 0;
    virtual bool isCalibrating() const = 0;
    virtual bool isGuiding() const = 0;
    // Waiting for a frame to find the hot pixel in.
    virtual bool isNewSkip() const = 0;
    virtual void setIsNewSkip(bool waiting) = 0;
    // The hot pixel's square; width 0 when none.
    virtual QRectF skipRect() const = 0;
    // The star locked on while guiding.
    virtual QPointF clickPt() const = 0;
    // The star's place in the current calibration step.
    virtual QPointF calCurrentPt() const = 0;
    virtual void setHotPoint(QPointF point) = 0;
    virtual void starCentroid(QPointF point) = 0;
    virtual void resetSkipRect() = 0;
};
