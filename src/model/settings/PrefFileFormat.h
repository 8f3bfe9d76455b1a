#pragma once

#include <QSettings>
#include <QString>

// The settings file's format: Qt's INI text, so files written before read
// unchanged, but written so that a failed write (a full disk, a file-size
// limit) leaves the old file whole and is reported as an AccessError status.
// Qt 6.4 commits its save file even when a buffered write failed; here the
// text is made and checked first, then written, flushed and checked before
// the commit.
namespace PrefFileFormat {

QSettings::Format format();
// Whether the last write of the file at `path` reached it. QSettings keeps
// reporting AccessError once a write has failed, and another settings object
// on the same file may have written it since, so callers ask here. A failure
// QSettings reports before the write (no room for the new file) is recorded
// by the caller that sees it.
bool lastWriteSucceeded(const QString& path);
// Why the last write of the file at `path` failed; empty after a success.
QString lastWriteError(const QString& path);
void recordFailedWrite(const QString& path, const QString& reason);
// Replaces the file at `path` with `settings` in this format, from any
// thread: under the lock Qt's own writer takes, and never over a file whose
// last read failed. False when the file keeps its earlier content; the
// outcome is recorded as for Qt's writes.
bool writeSettings(const QString& path, const QSettings::SettingsMap& settings);

}  // namespace PrefFileFormat
