#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Tour files: plain text, one object name or command line per line, in Mac
// OS Roman. Files from other editors end their lines in CR, LF or CR LF and
// may hold empty lines; every form reads alike.
namespace TourFile {

// The file's text, or nothing when it cannot be read.
std::optional<QString> readText(const QString& path);

// The non-empty lines of a text, split on CR LF, CR or LF.
QStringList splitLines(const QString& text);

// Writes the lines joined by "\n" with a final "\n", atomically. With
// `append` the file's existing text stays in front of them (a missing file
// counts as empty). The system's reason when nothing was written (the file
// is then unchanged); empty when written.
QString save(const QString& path, const QStringList& lines, bool append);

}  // namespace TourFile
