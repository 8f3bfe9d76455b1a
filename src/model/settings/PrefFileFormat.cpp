#include "model/settings/PrefFileFormat.h"

#include "platform/SafeWrite.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QMutex>
#include <QMutexLocker>
#include <QTemporaryDir>

#include <optional>

namespace {

// A lock this old was left by a writer that died (on another machine, or
// before the system could tell): writes take seconds at the very most.
constexpr int kStaleLockMs = 15000;
// Qt names the owner in a lock file as it makes it: one that names none this
// long after was left by a writer that died in between.
constexpr qint64 kOwnerlessLockMs = 1000;

// Why the last write of each file failed, by path; empty after a success.
QMutex g_reasonsLock;
QHash<QString, QString> g_reasons;

// Qt's own INI reader and writer work on named files only, so both go
// through a private file of a fresh name (Qt caches what it read or wrote
// under a file's name).
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
    // Qt writes no file for no settings.
    if (map.isEmpty())
        return QByteArray();
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

// At most the limit's bytes of `device`, as settings; none, with the reason,
// when it holds more or cannot be read.
std::optional<QSettings::SettingsMap> parseDevice(QIODevice& device, QString& reason)
{
    const QByteArray text = device.read(PrefFileFormat::kMaxFileBytes + 1);
    if (text.isEmpty() && device.size() > 0) {
        reason = device.errorString();
        return std::nullopt;
    }
    if (text.size() > PrefFileFormat::kMaxFileBytes) {
        reason = QStringLiteral("it is larger than %1 bytes").arg(PrefFileFormat::kMaxFileBytes);
        return std::nullopt;
    }
    auto settings = parseIni(text);
    if (!settings)
        reason = QStringLiteral("no scratch copy could be made");
    return settings;
}

const QString kIniExtension = QStringLiteral("ini");
// Of the format that only names files: no settings file ends so.
const QString kNamingExtension = QStringLiteral("settings-name");

bool readNothing(QIODevice&, QSettings::SettingsMap&) { return true; }

bool writeNothing(QIODevice&, const QSettings::SettingsMap&) { return false; }

// Takes `lock` without waiting. Qt itself removes a lock whose owner died,
// or one older than kStaleLockMs; an ownerless one is removed here, which Qt
// refuses while a live writer holds it.
bool takeLock(QLockFile& lock)
{
    lock.setStaleLockTime(kStaleLockMs);
    if (lock.tryLock(0))
        return true;
    const QDateTime made = QFileInfo(lock.fileName()).lastModified();
    const bool ownerless = lock.error() == QLockFile::LockFailedError && !lock.getLockInfo(nullptr, nullptr, nullptr)
                        && made.msecsTo(QDateTime::currentDateTime()) >= kOwnerlessLockMs;
    return ownerless && lock.removeStaleLockFile() && lock.tryLock(0);
}

// The file's settings with `changes` put on top, written whole: empty after
// a success, else the reason the file keeps its earlier content; none when
// another writer holds the file's lock.
std::optional<QString> writeMerged(const QString& path, const PrefFileFormat::Changes& changes)
{
    // The first write of a new user's settings makes their folder.
    QDir().mkpath(QFileInfo(path).path());
    // Held from the read to the write, so that another copy's write cannot
    // come between and be lost.
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!takeLock(lock)) {
        if (lock.error() == QLockFile::LockFailedError)
            return std::nullopt;
        return QStringLiteral("the lock file beside it cannot be made");
    }
    QString reason;
    std::optional<QSettings::SettingsMap> settings = PrefFileFormat::readSettings(path, &reason);
    if (!settings)
        return QStringLiteral("the file could not be read (%1), so it is left as it is").arg(reason);
    PrefFileFormat::apply(*settings, changes);
    const std::optional<QByteArray> text = iniText(*settings);
    return text ? SafeWrite::replace(path, *text) : QStringLiteral("there is no room to make the new file ready");
}

}  // namespace

namespace PrefFileFormat {

void overlay(Changes& older, const Changes& newer)
{
    for (auto it = newer.cbegin(); it != newer.cend(); ++it)
        older.insert(it.key(), it.value());
}

void apply(QSettings::SettingsMap& settings, const Changes& changes)
{
    for (auto it = changes.cbegin(); it != changes.cend(); ++it) {
        if (it.value())
            settings.insert(it.key(), *it.value());
        else
            settings.remove(it.key());
    }
}

QString userFileName(const QString& organisation, const QString& application)
{
    static const QSettings::Format naming =
        QSettings::registerFormat(kNamingExtension, readNothing, writeNothing, Qt::CaseSensitive);
    const QString named = QSettings(naming, QSettings::UserScope, organisation, application).fileName();
    return named.chopped(kNamingExtension.size()) + kIniExtension;
}

std::optional<QSettings::SettingsMap> readSettings(const QString& path, QString* reason)
{
    const auto fail = [reason](const QString& why) -> std::optional<QSettings::SettingsMap> {
        if (reason)
            *reason = why;
        return std::nullopt;
    };
    const QFileInfo info(path);
    if (!info.exists())
        return QSettings::SettingsMap();
    // Never a pipe or a device, whose read need not end.
    if (!info.isFile())
        return fail(QStringLiteral("it is not a file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.exists() ? fail(file.errorString()) : QSettings::SettingsMap();
    QString why;
    const auto settings = parseDevice(file, why);
    return settings ? settings : fail(why);
}

QString lastWriteError(const QString& path)
{
    const QMutexLocker lock(&g_reasonsLock);
    return g_reasons.value(path);
}

WriteResult writeChanges(const QString& path, const Changes& changes)
{
    const std::optional<QString> reason = writeMerged(path, changes);
    if (!reason)
        return WriteResult::LockHeld;
    const QMutexLocker lock(&g_reasonsLock);
    g_reasons.insert(path, *reason);
    return reason->isEmpty() ? WriteResult::Written : WriteResult::Failed;
}

}  // namespace PrefFileFormat
