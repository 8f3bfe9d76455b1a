#include "camera/webcam/CameraFrameSource.h"

#include <QCamera>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QMetaObject>
#include <QVideoFrame>
#include <QVideoSink>

CameraFrameSource::CameraFrameSource(QObject* parent) : QObject(parent) {}

CameraFrameSource::~CameraFrameSource()
{
    close();
    if (m_sink)
        m_sink->disconnect(this);
}

QList<CaptureDevice> CameraFrameSource::devices()
{
    m_devices = QMediaDevices::videoInputs();
    QList<CaptureDevice> list;
    for (const QCameraDevice& device : m_devices)
        list.append({device.description(), true});
    return list;
}

bool CameraFrameSource::open(int index)
{
    close();
    if (index < 0 || index >= m_devices.size())
        return false;
    // The capture backend starts only when a camera is first used.
    if (!m_session) {
        m_session = std::make_unique<QMediaCaptureSession>();
        m_sink = std::make_unique<QVideoSink>();
        m_session->setVideoSink(m_sink.get());
        // Direct: the conversion runs on the thread that delivers the frame.
        connect(m_sink.get(), &QVideoSink::videoFrameChanged, this, &CameraFrameSource::frameArrived,
                Qt::DirectConnection);
    }
    m_camera = std::make_unique<QCamera>(m_devices[index]);
    if (m_camera->error() != QCamera::NoError) {
        m_camera.reset();
        return false;
    }
    m_session->setCamera(m_camera.get());
    m_camera->start();
    if (m_camera->error() != QCamera::NoError) {
        close();
        return false;
    }
    return true;
}

void CameraFrameSource::close()
{
    if (!m_camera)
        return;
    m_camera->stop();
    m_session->setCamera(nullptr);
    m_camera.reset();
    const std::lock_guard lock(m_lock);
    m_waiting = QImage();
}

bool CameraFrameSource::isOpen() const
{
    return m_camera != nullptr;
}

void CameraFrameSource::frameArrived(const QVideoFrame& frame)
{
    if (!frame.isValid())
        return;
    QImage image = frame.toImage();
    if (image.isNull())
        return;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32
        && image.format() != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_RGB32);
    const std::lock_guard lock(m_lock);
    m_waiting = std::move(image);
    if (!m_isPosted) {
        m_isPosted = true;
        QMetaObject::invokeMethod(this, &CameraFrameSource::takeFrame, Qt::QueuedConnection);
    }
}

void CameraFrameSource::takeFrame()
{
    QImage frame;
    {
        const std::lock_guard lock(m_lock);
        frame = std::move(m_waiting);
        m_waiting = QImage();
        m_isPosted = false;
    }
    if (!frame.isNull() && m_camera)
        deliver(frame);
}
