#include "camera/guide/LoadedHidDevice.h"

#include "camera/CameraModules.h"
#include "platform/DeviceModule.h"

HidOpen LoadedHidDevice::open(quint16 vendorId, quint16 productId)
{
    if (!m_device) {
        if (auto* create = DeviceModule::functionOrWarn<CameraModules::CreateHidDevice>(
                CameraModules::kHid, CameraModules::kCreateHidDevice, m_feature))
            m_device = create();
    }
    return m_device ? m_device->open(vendorId, productId) : HidOpen::NoSupport;
}

bool LoadedHidDevice::sendReport(const QByteArray& data)
{
    return m_device && m_device->sendReport(data);
}

bool LoadedHidDevice::close()
{
    return !m_device || m_device->close();
}

bool LoadedHidDevice::isOpen() const
{
    return m_device && m_device->isOpen();
}
