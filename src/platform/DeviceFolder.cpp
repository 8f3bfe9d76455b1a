#include "platform/DeviceFolder.h"

#include <mutex>

namespace {

std::mutex& folderLock()
{
    static std::mutex lock;
    return lock;
}

QString& folder()
{
    static QString path = QStringLiteral("/dev");
    return path;
}

}  // namespace

namespace DeviceFolder {

QString path()
{
    const std::lock_guard lock(folderLock());
    return folder();
}

void setPath(const QString& path)
{
    const std::lock_guard lock(folderLock());
    folder() = path;
}

}  // namespace DeviceFolder
