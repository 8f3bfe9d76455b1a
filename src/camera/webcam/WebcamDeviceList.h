#pragma once

#include "camera/webcam/FrameSource.h"

#include <QList>
#include <QString>

// The device pop-up's items built from the platform's devices: built-in
// cameras and devices without video are left out, and a name of the form
// "macam: Model" shows the model alone. Each item's tag is the device's index.
struct WebcamDeviceList {
    struct Item {
        QString name;
        int tag = 0;
    };

    static constexpr char kNoCameras[] = "No Cameras";

    QList<Item> items;
    // The index of the first usable device; -1 when none (the list then holds
    // the single item "No Cameras" with tag 0).
    int validDevice = -1;

    static WebcamDeviceList build(const QList<CaptureDevice>& devices);
};
