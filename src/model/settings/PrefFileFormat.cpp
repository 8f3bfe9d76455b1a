#include "model/settings/PrefFileFormat.h"

#include "platform/SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QMutex>
#include <QMutexLocker>
#include <QSet>
#include <QTemporaryDir>

#include <optional>

namespace {

// How long a write waits for another writer of the file to finish.
constexpr int kLockWaitMs = 5000;
const QString kUnreadFile = QStringLiteral("the file could not be read, so it is left as it is");

// The outcome of the last write of each file, and the files whose last read
// failed, by path. Such a file is never written: what Qt would write holds
// none of the settings it could not read.
QMutex g_outcomesLock;
QHash<QString, bool> g_outcomes;
QHash<QString, QString> g_reasons;
QSet<QString> g_unread;

QString pathOf(const QIODevice& device)
{
    const auto* file = qobject_cast<const QFileDevice*>(&device);
    return file ? file->fileName() : QString();
}

void recordOutcome(const QString& path, bool succeeded, const QString& reason = {})
{
    const QMutexLocker lock(&g_outcomesLock);
    g_outcomes.insert(path, succeeded);
    g_reasons.insert(path, succeeded ? QString() : reason);
}

void recordRead(const QString& path, bool succeeded)
{
    const QMutexLocker lock(&g_outcomesLock);
    if (succeeded)
        g_unread.remove(path);
    else
        g_unread.insert(path);
}

bool wasRead(const QString& path)
{
    const QMutexLocker lock(&g_outcomesLock);
    return !g_unread.contains(path);
}

// Qt's own INI reader and writer work on named files only, and not on the
// file being synced (its lock is held), so both go through a private file of
// a fresh name (Qt caches what it read or wrote under a file's name).
QString scratchFile(const QTemporaryDir& dir) { return dir.filePath(QStringLiteral("settings.ini")); }

std::optional<QSettings::SettingsMap> parseIni(const QByteArray& text)
{
    const QTemporaryDir dir;
    if (!dir.isValid() || !SafeWrite::replace(scratchFile(dir), text).isEmpty())
        return std::nullopt;
    const QSettings ini(scratchFile(dir), QSettings::IniFormat);
    QSettings::SettingsMap map;
    for (const QString& key : ini.allKeys())
        map.insert(key, ini.value(key));
    return map;
}

bool sameValue(const QVariant& a, const QVariant& b) { return a == b || a.toString() == b.toString(); }

bool sameMap(const QSettings::SettingsMap& a, const QSettings::SettingsMap& b)
{
    if (a.size() != b.size())
        return false;
    for (auto it = a.cbegin(); it != a.cend(); ++it) {
        const auto other = b.constFind(it.key());
        if (other == b.cend() || !sameValue(it.value(), other.value()))
            return false;
    }
    return true;
}

// The INI text of `map`, checked by reading it back; none when it could not
// be made whole.
std::optional<QByteArray> iniText(const QSettings::SettingsMap& map)
{
    const QTemporaryDir dir;
    if (!dir.isValid())
        return std::nullopt;
    {
        QSettings ini(scratchFile(dir), QSettings::IniFormat);
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            ini.setValue(it.key(), it.value());
        ini.sync();
        if (ini.status() != QSettings::NoError)
            return std::nullopt;
    }
    QFile file(scratchFile(dir));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray text = file.readAll();
    const auto reread = parseIni(text);
    if (file.error() != QFileDevice::NoError || !reread || !sameMap(*reread, map))
        return std::nullopt;
    return text;
}

bool readFile(QIODevice& device, QSettings::SettingsMap& map)
{
    const auto parsed = parseIni(device.readAll());
    if (parsed)
        map = *parsed;
    recordRead(pathOf(device), parsed.has_value());
    return parsed.has_value();
}

bool writeWhole(QIODevice& device, const QSettings::SettingsMap& map)
{
    const std::optional<QByteArray> text = iniText(map);
    // The commit that follows does not report a failed flush of the buffer.
    return text && SafeWrite::writeAll(device, *text);
}

bool writeFile(QIODevice& device, const QSettings::SettingsMap& map)
{
    const QString path = pathOf(device);
    if (!wasRead(path)) {
        recordOutcome(path, false, kUnreadFile);
        return false;
    }
    const bool written = writeWhole(device, map);
    recordOutcome(path, written, device.errorString());
    return written;
}

}  // namespace

namespace PrefFileFormat {

QSettings::Format format()
{
    static const QSettings::Format registered =
        QSettings::registerFormat(QStringLiteral("ini"), readFile, writeFile, Qt::CaseSensitive);
    return registered;
}

bool lastWriteSucceeded(const QString& path)
{
    const QMutexLocker lock(&g_outcomesLock);
    return g_outcomes.value(path, true);
}

QString lastWriteError(const QString& path)
{
    const QMutexLocker lock(&g_outcomesLock);
    return g_reasons.value(path);
}

void recordFailedWrite(const QString& path, const QString& reason) { recordOutcome(path, false, reason); }

bool writeSettings(const QString& path, const QSettings::SettingsMap& settings)
{
    if (!wasRead(path)) {
        recordOutcome(path, false, kUnreadFile);
        return false;
    }
    // The first write of a new user's settings makes their folder, as Qt's does.
    QDir().mkpath(QFileInfo(path).path());
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(kLockWaitMs)) {
        recordOutcome(path, false, QStringLiteral("another writer holds the file"));
        return false;
    }
    const std::optional<QByteArray> text = iniText(settings);
    const QString error =
        text ? SafeWrite::replace(path, *text) : QStringLiteral("there is no room to make the new file ready");
    recordOutcome(path, error.isEmpty(), error);
    return error.isEmpty();
}

}  // namespace PrefFileFormat
