#pragma once

#include <QHash>
#include <QSettings>
#include <QString>
#include <QVariant>

#include <optional>

// The settings file's format: Qt's INI text, so files written before read
// unchanged, but read with a size limit and written so that a failed write
// (a full disk, a file-size limit) leaves the old file whole. Qt 6.4 commits
// its save file even when a buffered write failed; here the text is made and
// checked first, then written through the safe path. Several copies of the
// program may share the file: each write puts only the writer's own changes
// on top of the file as it is at that moment.
namespace PrefFileFormat {

// A larger file is no settings file of ours: it is neither read nor written over.
constexpr qint64 kMaxFileBytes = 1 << 20;

// One copy's changes since its last write: each key set, with its value, and
// each key removed, with none.
using Changes = QHash<QString, std::optional<QVariant>>;

// Puts `newer` on top of `older`: of a key both changed, the newer change.
void overlay(Changes& older, const Changes& newer);
// Makes `changes` in `settings`: sets each key set, removes each removed.
void apply(QSettings::SettingsMap& settings, const Changes& changes);

// The INI file of `application` of `organisation` in the user's settings
// folder, as QSettings names it. Named through a format of its own that
// reads and writes nothing, under a name no settings file has: a settings
// object on the file itself reads it, and Qt keeps that read for every later
// reader in the process, stamped with the size and time it takes after
// reading, so a read that met a write would pass the old content for the new.
QString userFileName(const QString& organisation, const QString& application);

// What the file at `path` holds; a missing file holds nothing. None, with
// the reason, when it cannot be read whole.
std::optional<QSettings::SettingsMap> readSettings(const QString& path, QString* reason = nullptr);

// Why the last write of the file at `path` failed; empty after a success.
QString lastWriteError(const QString& path);

// What became of a write: made, failed (the file keeps its earlier
// content), or not tried because another writer holds the file's lock.
enum class WriteResult { Written, Failed, LockHeld };

// From any thread: under a lock file beside it, reads the file at `path`
// again, puts `changes` on top and writes the whole through the safe path,
// so what another copy wrote to other keys stays. Never waits for the lock:
// LockHeld while a live writer holds it. Failed also when the file could not
// be read; the reason is kept for lastWriteError.
WriteResult writeChanges(const QString& path, const Changes& changes);

}  // namespace PrefFileFormat
