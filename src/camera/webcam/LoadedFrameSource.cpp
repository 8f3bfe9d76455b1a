#include "camera/webcam/LoadedFrameSource.h"

#include "camera/CameraModules.h"
#include "platform/DeviceModule.h"

QList<CaptureDevice> LoadedFrameSource::devices()
{
    if (!m_tried) {
        m_tried = true;
        const DeviceModule::Entry entry = DeviceModule::find(CameraModules::kWebcam, CameraModules::kCreateFrameSource);
        if (entry.address) {
            m_source = reinterpret_cast<CameraModules::CreateFrameSource*>(entry.address)();
            m_source->setFrameHandler([this](const QImage& frame) { deliver(frame); });
        } else {
            m_missing = {DeviceModule::missingTitle(QStringLiteral("the webcam")), entry.error};
        }
    }
    return m_source ? m_source->devices() : QList<CaptureDevice>();
}

bool LoadedFrameSource::open(int index)
{
    return m_source && m_source->open(index);
}

void LoadedFrameSource::close()
{
    if (m_source)
        m_source->close();
}

bool LoadedFrameSource::isOpen() const
{
    return m_source && m_source->isOpen();
}
