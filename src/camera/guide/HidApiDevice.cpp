#include "camera/guide/HidApiDevice.h"

#include <hidapi.h>

#include <mutex>

namespace {

// hid_init and hid_exit for the devices open now: the first open starts the
// library, the last close ends it.
std::mutex contextMutex;
int contextUsers = 0;

bool acquireContext()
{
    const std::lock_guard lock(contextMutex);
    if (contextUsers == 0 && hid_init() != 0)
        return false;
    ++contextUsers;
    return true;
}

void releaseContext()
{
    const std::lock_guard lock(contextMutex);
    if (--contextUsers == 0)
        hid_exit();
}

}  // namespace

HidApiDevice::~HidApiDevice()
{
    close();
}

HidOpen HidApiDevice::open(quint16 vendorId, quint16 productId)
{
    close();
    if (!acquireContext())
        return HidOpen::NotOpened;
    hid_device_info* found = hid_enumerate(vendorId, productId);
    int count = 0;
    for (const hid_device_info* info = found; info; info = info->next)
        ++count;
    if (count == 1)
        m_device = hid_open_path(found->path);
    hid_free_enumeration(found);
    if (m_device)
        return HidOpen::Opened;
    releaseContext();
    return count == 0 ? HidOpen::NotFound : count > 1 ? HidOpen::SeveralFound : HidOpen::NotOpened;
}

bool HidApiDevice::sendReport(const QByteArray& data)
{
    if (!m_device)
        return false;
    // The report id leads the bytes written; id 0 is not sent on the wire.
    const QByteArray report = QByteArray(1, '\0') + data;
    return hid_write(m_device, reinterpret_cast<const unsigned char*>(report.constData()), size_t(report.size()))
           == report.size();
}

bool HidApiDevice::close()
{
    if (!m_device)
        return true;
    hid_close(m_device);
    m_device = nullptr;
    releaseContext();
    return true;
}
