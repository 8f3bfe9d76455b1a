#pragma once

#include "camera/webcam/FrameSource.h"

// Plays synthetic frames to the webcam controller: no device is touched.
class FakeFrameSource final : public FrameSource {
public:
    QList<CaptureDevice> list{{QStringLiteral("USB Camera"), true}};
    bool refuses = false;
    int openIndex = -1;
    int opens = 0;
    // Set: the support for webcams is missing.
    Missing missing;

    QList<CaptureDevice> devices() override { return list; }
    bool open(int index) override
    {
        ++opens;
        if (refuses)
            return false;
        openIndex = index;
        return true;
    }
    void close() override { openIndex = -1; }
    bool isOpen() const override { return openIndex >= 0; }
    Missing missingSupport() const override { return missing; }

    // Hands one frame over as the capture would.
    void play(const QImage& frame) const { deliver(frame); }
};
