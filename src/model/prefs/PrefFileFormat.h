#pragma once

#include <QSettings>

// The settings file's format: Qt's INI text, so files written before read
// unchanged, but written so that a failed write (a full disk, a file-size
// limit) leaves the old file whole and is reported as an AccessError status.
// Qt 6.4 commits its save file even when a buffered write failed; here the
// text is made and checked first, then written, flushed and checked before
// the commit.
namespace PrefFileFormat {

QSettings::Format format();

}  // namespace PrefFileFormat
