#pragma once

#include <QString>
#include <QtGlobal>

// The exposure controls the SG-4 panel and the AllSky panel share: the
// controller reads the exposure time and the focus checkbox through them and
// shows its state in them, always on the main thread.
class SG4DevicePanel {
public:
    virtual ~SG4DevicePanel() = default;

    struct ExposureFields {
        int minutes = 0;
        int seconds = 0;
        double milliseconds = 0.0;
    };
    virtual ExposureFields exposureFields() const = 0;
    virtual bool isFocusChecked() const = 0;
    virtual void setFocusChecked(bool on) = 0;
    // "Expose" or "Abort".
    virtual void setExposeTitle(const QString& title) = 0;
    virtual void setStatus(const QString& text) = 0;
    virtual void setProgressRunning(bool running) = 0;
    // The speed menu shows this speed.
    virtual void selectSpeed(long baud) = 0;
    // The image type menu selects the item of this tag.
    virtual void selectImageType(int itemTag) = 0;
    // The read-out mode menu selects the item of this tag (the AllSky panel's only).
    virtual void selectReadoutMode(int itemTag) = 0;
    virtual void setReadoutMenuEnabled(bool enabled) = 0;
    virtual void setDeviceTitle(const QString& title) = 0;
    virtual void bringToFront() = 0;
    virtual bool isPanelVisible() const = 0;
    virtual void hidePanel() = 0;
    // Redraws the panel and its image view.
    virtual void redraw() = 0;
};
