#pragma once

#include "camera/webcam/FrameSource.h"

#include <QCameraDevice>
#include <QList>
#include <QObject>

#include <memory>
#include <mutex>

class QCamera;
class QMediaCaptureSession;
class QVideoFrame;
class QVideoSink;

// The system's video inputs through Qt's multimedia capture (V4L2 on Linux).
// The capture runs on the multimedia backend's threads; each frame is turned
// into a 32-bit image there and only the newest waiting one is handed to the
// main thread, so a slow frame handler drops frames instead of queueing them.
class CameraFrameSource final : public QObject, public FrameSource {
    Q_OBJECT
public:
    explicit CameraFrameSource(QObject* parent = nullptr);
    ~CameraFrameSource() override;

    QList<CaptureDevice> devices() override;
    bool open(int index) override;
    void close() override;
    bool isOpen() const override;

private:
    void frameArrived(const QVideoFrame& frame);
    void takeFrame();

    QList<QCameraDevice> m_devices;
    std::unique_ptr<QMediaCaptureSession> m_session;
    std::unique_ptr<QVideoSink> m_sink;
    std::unique_ptr<QCamera> m_camera;
    std::mutex m_lock;
    QImage m_waiting;  // guarded by m_lock
    bool m_isPosted = false;  // guarded by m_lock
};
