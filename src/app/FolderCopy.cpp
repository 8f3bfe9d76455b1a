#include "app/FolderCopy.h"

#include "platform/SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace {

constexpr qint64 kChunkSize = 1 << 16;

std::filesystem::path toPath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString describe(const QString& what, const QString& path, const QString& reason)
{
    return QString("\"%1\" %2: %3").arg(path, what, reason);
}

QString reasonOf(const std::error_code& code)
{
    return QString::fromLocal8Bit(code.message());
}

}  // namespace

namespace FolderCopy {

bool makeFolder(const QString& path, QString& error)
{
    // std::filesystem creates folders with mode 0777 less the umask.
    std::error_code code;
    std::filesystem::create_directories(toPath(path), code);
    if (code) {
        error = describe("could not be created", path, reasonOf(code));
        return false;
    }
    if (!QFileInfo(path).isDir()) {
        error = describe("could not be created", path, "a file is in the way");
        return false;
    }
    return true;
}

bool copyFile(const QString& source, const QString& target, QString& error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        error = describe("could not be read", source, in.errorString());
        return false;
    }
    // The copy takes the target's place only whole; a target there already is kept.
    if (QFileInfo::exists(target)) {
        error = describe("could not be created", target, "it already exists");
        return false;
    }
    SafeWrite out(target);
    if (!out.open()) {
        error = describe("could not be created", target, out.error());
        return false;
    }
    for (;;) {
        const QByteArray chunk = in.read(kChunkSize);
        if (chunk.isEmpty())
            break;
        if (!out.write(chunk)) {
            error = describe("could not be written", target, out.error());
            return false;
        }
    }
    if (in.error() != QFileDevice::NoError) {
        error = describe("could not be read", source, in.errorString());
        return false;
    }
    if (!out.setModificationTime(QFileInfo(source).lastModified()) || !out.commit()) {
        error = describe("could not be written", target, out.error());
        return false;
    }
    return true;
}

bool copyFolder(const QString& source, const QString& target, QString& error)
{
    const QFileInfo sourceInfo(source);
    if (!sourceInfo.exists()) {
        error = describe("could not be copied", source, "it could not be found");
        return false;
    }
    if (!sourceInfo.isDir()) {
        error = describe("could not be copied", source, "it is not a folder");
        return false;
    }
    std::error_code code;
    if (!std::filesystem::create_directory(toPath(target), code)) {
        error = describe("could not be created", target,
                         code ? reasonOf(code) : QString("it already exists"));
        return false;
    }
    // Broken links and other special files are listed too, so that they fail
    // the copy instead of going missing from it unnoticed.
    const QFileInfoList entries = QDir(source).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString into = target + "/" + entry.fileName();
        if (entry.isDir()) {
            if (!copyFolder(entry.filePath(), into, error))
                return false;
        } else if (entry.isFile()) {
            if (!copyFile(entry.filePath(), into, error))
                return false;
        } else {
            error = describe("could not be copied", entry.filePath(), "it is not a regular file");
            return false;
        }
    }
    return true;
}

bool moveReplacing(const QString& source, const QString& target, QString& error)
{
    std::error_code code;
    std::filesystem::rename(toPath(source), toPath(target), code);
    if (code) {
        error = describe("could not be replaced", target, reasonOf(code));
        return false;
    }
    return true;
}

bool removeAll(const QString& path)
{
    std::error_code code;
    std::filesystem::remove_all(toPath(path), code);
    return !code;
}

bool sameContent(const QString& first, const QString& second)
{
    QFile a(first);
    QFile b(second);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly) || a.size() != b.size())
        return false;
    for (;;) {
        const QByteArray chunkA = a.read(kChunkSize);
        const QByteArray chunkB = b.read(kChunkSize);
        if (chunkA != chunkB)
            return false;
        if (chunkA.isEmpty())
            return a.error() == QFileDevice::NoError && b.error() == QFileDevice::NoError;
    }
}

}  // namespace FolderCopy
