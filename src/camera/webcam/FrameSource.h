#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include <functional>

// A video input the platform reports.
struct CaptureDevice {
    QString name;  // the localised display name
    bool hasVideo = true;  // delivers video (or muxed audio and video)
};

// Where the webcam's frames come from: the platform's capture devices, or
// synthetic frames in tests. Frames are handed over on the main thread, one
// 32-bit image each, whatever the device delivers.
class FrameSource {
public:
    using FrameHandler = std::function<void(const QImage&)>;

    virtual ~FrameSource() = default;
    // The devices present now; `open` takes an index into the last list.
    virtual QList<CaptureDevice> devices() = 0;
    // Opens device `index` and starts its frames; false when it cannot be opened.
    virtual bool open(int index) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Why no device can be listed at all (the program's support for them is
    // missing), as an alert's title and text; empty while devices can be listed.
    struct Missing {
        QString title;
        QString text;
    };
    virtual Missing missingSupport() const { return {}; }

    void setFrameHandler(FrameHandler handler) { m_handler = std::move(handler); }

protected:
    void deliver(const QImage& frame) const
    {
        if (m_handler)
            m_handler(frame);
    }

private:
    FrameHandler m_handler;
};
