#include "mount/SerialPortScan.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <set>

namespace {

const QString kDeviceFolder = QStringLiteral("/dev");
const QString kByIdFolder = QStringLiteral("/dev/serial/by-id");

// Names in the order a person reads them: ttyUSB2 before ttyUSB10.
QStringList sortedNumerically(QStringList names)
{
    QCollator collator(QLocale::c());
    collator.setNumericMode(true);
    std::sort(names.begin(), names.end(), collator);
    return names;
}

QStringList devices(const QStringList& patterns)
{
    const QDir dev(kDeviceFolder);
    QStringList paths;
    for (const QString& pattern : patterns) {
        for (const QString& name :
             sortedNumerically(dev.entryList({pattern}, QDir::System | QDir::Files)))
            paths.append(dev.filePath(name));
    }
    return paths;
}

// The name shown for a device path: a link's own name, else the path under /dev.
QString displayName(const QString& path)
{
    if (path.startsWith(kByIdFolder + '/'))
        return QFileInfo(path).fileName();
    const QString prefix = kDeviceFolder + '/';
    return path.startsWith(prefix) ? path.mid(prefix.size()) : path;
}

}  // namespace

std::vector<SerialPortEntry> SerialPortScan::scan(const QStringList& extraPaths, bool everyStream)
{
    QStringList candidates = extraPaths;
    const QDir byId(kByIdFolder);
    for (const QString& link : sortedNumerically(byId.entryList(QDir::System | QDir::Files)))
        candidates.append(byId.filePath(link));
    QStringList patterns = {QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*")};
    if (everyStream)
        patterns += {QStringLiteral("ttyS*"), QStringLiteral("rfcomm*")};
    candidates += devices(patterns);

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
        ports.push_back({displayName(path), QFile::encodeName(path)});
    }
    return ports;
}
