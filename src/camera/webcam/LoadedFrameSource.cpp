#include "camera/webcam/LoadedFrameSource.h"

#include "camera/CameraModules.h"
#include "platform/DeviceModule.h"

QList<CaptureDevice> LoadedFrameSource::devices()
{
    if (!m_tried) {
        m_tried = true;
        if (auto* create = DeviceModule::functionOrWarn<CameraModules::CreateFrameSource>(
                CameraModules::kWebcam, CameraModules::kCreateFrameSource, QStringLiteral("the webcam"))) {
            m_source = create();
            m_source->setFrameHandler([this](const QImage& frame) { deliver(frame); });
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
