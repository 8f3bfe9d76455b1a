#pragma once

#include "camera/webcam/FrameSource.h"

#include <memory>

// The system's video inputs through the webcam module, loaded when the
// devices are first listed, so that Qt Multimedia costs nothing until a
// webcam is used. Without the module the list is empty, and the user is
// told which support is missing.
class LoadedFrameSource final : public FrameSource {
public:
    QList<CaptureDevice> devices() override;
    bool open(int index) override;
    void close() override;
    bool isOpen() const override;

private:
    std::unique_ptr<FrameSource> m_source;
    bool m_tried = false;
};
