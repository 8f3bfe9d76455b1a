#pragma once

#include "platform/DeviceFolder.h"

#include <QString>

// Points the port scan at a folder of its own for a while.
class DeviceFolderAt {
public:
    explicit DeviceFolderAt(const QString& folder) : m_was(DeviceFolder::path())
    {
        DeviceFolder::setPath(folder);
    }
    ~DeviceFolderAt() { DeviceFolder::setPath(m_was); }
    DeviceFolderAt(const DeviceFolderAt&) = delete;
    DeviceFolderAt& operator=(const DeviceFolderAt&) = delete;

private:
    QString m_was;
};
