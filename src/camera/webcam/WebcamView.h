#pragma once

#include "camera/image/ColorAdjust.h"
#include "camera/webcam/WebcamDeviceList.h"

#include <QImage>
#include <QString>

// The webcam panel as its controller updates it.
class WebcamView {
public:
    virtual ~WebcamView() = default;
    virtual void setDeviceItems(const QList<WebcamDeviceList::Item>& items) = 0;
    virtual void selectDeviceTag(int tag) = 0;
    virtual void setSizeText(const QString& text) = 0;
    virtual void setFrequencyText(const QString& text) = 0;
    virtual void setDarkCheckbox(bool on, bool enabled) = 0;
    virtual void setAddCheckbox(bool on) = 0;
    // The sliders and their fields show these values.
    virtual void showAdjustments(const ColorAdjust::Values& values, float scale) = 0;
    // Shows a processed frame in the capture view.
    virtual void showFrame(const QImage& frame) = 0;
    // Record enabled, and stop disabled and codec, quality and zoom enabled,
    // when idle; the reverse while recording.
    virtual void setRecordingControls(bool recording) = 0;
    // Record and Take Dark, which need frames, are enabled only with a camera.
    virtual void setCameraControls(bool hasCamera) = 0;
    virtual void setFrameCount(quint32 count) = 0;
    // An indeterminate (busy) bar, or a determinate one at `percent`.
    virtual void setProgress(bool indeterminate, double percent) = 0;
    virtual void setMovieNameTitle(const QString& title) = 0;
};
