#pragma once

#include <QString>

// File operations for installing and refreshing the data folder. Each reports
// failure with a plain-text description fit for an alert. Folders and files
// are created with the user's umask, never wider.
namespace FolderCopy {

// Creates the folder and any missing parents; true when it exists afterwards.
bool makeFolder(const QString& path, QString& error);

// Copies one file to a target that must not exist yet. The copy keeps the
// source's modification time so that a later refresh can tell a shipped copy
// from a newer one the program wrote; its permissions come from the umask,
// so a copy of a read-only shipped file stays writable by its owner.
bool copyFile(const QString& source, const QString& target, QString& error);

// Copies a folder and everything inside it to a target that must not exist.
bool copyFolder(const QString& source, const QString& target, QString& error);

// Renames source to target, atomically replacing a target file. Both must lie
// on the same file system.
bool moveReplacing(const QString& source, const QString& target, QString& error);

// Removes a file or a whole folder; true when nothing is left at the path.
bool removeAll(const QString& path);

// True when both are readable files with the same bytes.
bool sameContent(const QString& first, const QString& second);

}  // namespace FolderCopy
