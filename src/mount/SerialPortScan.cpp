#include "mount/SerialPortScan.h"

#include "platform/DeviceFolder.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <deque>
#include <optional>
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

// The device node a path leads to; empty when there is none.
QString deviceOf(const QByteArray& path)
{
    return QFileInfo(QFile::decodeName(path)).canonicalFilePath();
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

std::vector<SerialPortEntry> SerialPortScan::keepingPlaces(const std::vector<SerialPortEntry>& before,
                                                           const std::vector<SerialPortEntry>& found,
                                                           const std::vector<bool>& kept)
{
    std::vector<std::optional<SerialPortEntry>> places;
    std::set<QByteArray> keptPaths;
    std::set<QString> keptDevices;
    std::set<QByteArray> foundPaths;
    for (const SerialPortEntry& port : found)
        foundPaths.insert(port.path);
    std::deque<SerialPortEntry> gone;
    for (std::size_t i = 0; i < before.size() && i < std::size_t(kMaxPorts); ++i) {
        if (i < kept.size() && kept[i]) {
            places.resize(i + 1);
            places[i] = before[i];
            keptPaths.insert(before[i].path);
            if (const QString device = deviceOf(before[i].path); !device.isEmpty())
                keptDevices.insert(device);
        } else if (!foundPaths.contains(before[i].path)) {
            gone.push_back(before[i]);
        }
    }
    std::deque<SerialPortEntry> others;
    for (const SerialPortEntry& port : found) {
        if (!keptPaths.contains(port.path) && !keptDevices.contains(deviceOf(port.path)))
            others.push_back(port);
    }

    std::vector<SerialPortEntry> ports;
    for (std::size_t index = 0; index < std::size_t(kMaxPorts); ++index) {
        std::deque<SerialPortEntry>& source = others.empty() ? gone : others;
        if (index < places.size() && places[index]) {
            ports.push_back(*places[index]);
        } else if (!others.empty() || (index < places.size() && !gone.empty())) {
            ports.push_back(std::move(source.front()));
            source.pop_front();
        } else {
            break;
        }
    }
    return ports;
}
