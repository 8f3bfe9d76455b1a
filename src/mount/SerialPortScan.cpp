#include "mount/SerialPortScan.h"

#include "platform/DeviceFolder.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <set>

namespace {

const QString kByIdSubfolder = QStringLiteral("serial/by-id");

// Names in the order a person reads them: ttyUSB2 before ttyUSB10.
QStringList sortedNumerically(QStringList names)
{
    QCollator collator(QLocale::c());
    collator.setNumericMode(true);
    std::sort(names.begin(), names.end(), collator);
    return names;
}

QStringList devices(const QDir& dev, const QStringList& patterns)
{
    QStringList paths;
    for (const QString& pattern : patterns) {
        for (const QString& name :
             sortedNumerically(dev.entryList({pattern}, QDir::System | QDir::Files)))
            paths.append(dev.filePath(name));
    }
    return paths;
}

// The name shown for a device path: a link's own name, else the path under /dev.
QString displayName(const QString& path, const QDir& dev, const QDir& byId)
{
    if (path.startsWith(byId.path() + '/'))
        return QFileInfo(path).fileName();
    // Pseudo-terminals are under /dev whatever folder the scan reads.
    for (const QString& prefix : {dev.path() + '/', QStringLiteral("/dev/")}) {
        if (path.startsWith(prefix))
            return path.mid(prefix.size());
    }
    return path;
}

}  // namespace

std::vector<SerialPortEntry> SerialPortScan::scan(const QStringList& extraPaths, bool everyStream)
{
    QStringList candidates = extraPaths;
    const QDir dev(DeviceFolder::path());
    const QDir byId(dev.filePath(kByIdSubfolder));
    for (const QString& link : sortedNumerically(byId.entryList(QDir::System | QDir::Files)))
        candidates.append(byId.filePath(link));
    QStringList patterns = {QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*")};
    if (everyStream)
        patterns += {QStringLiteral("ttyS*"), QStringLiteral("rfcomm*")};
    candidates += devices(dev, patterns);

    std::vector<SerialPortEntry> ports;
    std::set<QString> seen;
    for (const QString& path : candidates) {
        if (ports.size() == std::size_t(kMaxPorts))
            break;
        const QString device = QFileInfo(path).canonicalFilePath();
        if (device.isEmpty() || !seen.insert(device).second)
            continue;
        // Opened by the name it was found under: a by-id link follows its
        // adapter when it comes back as another ttyUSB number.
        ports.push_back({displayName(path, dev, byId), QFile::encodeName(path)});
    }
    return ports;
}
