#pragma once

#include "camera/webcam/FrameSource.h"

#include <memory>

// The system's video inputs through the webcam module, loaded when the
// devices are first listed, so that Qt Multimedia costs nothing until a
// webcam is used. Without the module the list is empty and missingSupport()
// says which support is missing, for the caller to tell at every attempt.
class LoadedFrameSource final : public FrameSource {
public:
    QList<CaptureDevice> devices() override;
    bool open(int index) override;
    void close() override;
    bool isOpen() const override;
    Missing missingSupport() const override { return m_missing; }

private:
    std::unique_ptr<FrameSource> m_source;
    Missing m_missing;
    bool m_tried = false;
};
