#include "platform/SafeWrite.h"

#include <QDateTime>
#include <QFile>

#include <cerrno>

#include <unistd.h>

namespace {

// Writes until every byte is taken or a write takes none. Qt reports a write
// that falls short without a reason; the next one, which takes nothing,
// carries the system's.
bool writeWhole(QIODevice& device, QByteArrayView bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 taken = device.write(bytes.data() + done, bytes.size() - done);
        if (taken <= 0)
            return false;
        done += qsizetype(taken);
    }
    return true;
}

}  // namespace

SafeWrite::SafeWrite(const QString& path) : m_file(path) {}

SafeWrite::~SafeWrite() { cancel(); }

bool SafeWrite::fail(const QFileDevice& device)
{
    if (m_error.isEmpty())
        m_error = device.errorString();
    cancel();
    return false;
}

bool SafeWrite::open()
{
    m_done = false;
    m_error.clear();
    // Unbuffered, so that each write reaches the disk and fails there.
    return m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || fail(m_file);
}

bool SafeWrite::write(QByteArrayView bytes)
{
    if (!m_error.isEmpty() || !m_file.isOpen())
        return false;
    return writeWhole(m_file, bytes) || fail(m_file);
}

bool SafeWrite::seek(qint64 position)
{
    if (!m_error.isEmpty() || !m_file.isOpen())
        return false;
    return m_file.seek(position) || fail(m_file);
}

bool SafeWrite::setModificationTime(const QDateTime& time)
{
    if (!m_error.isEmpty() || !m_file.isOpen())
        return false;
    return (m_file.flush() && m_file.setFileTime(time, QFileDevice::FileModificationTime))
           || fail(m_file);
}

bool SafeWrite::commit()
{
    if (!m_error.isEmpty() || !m_file.isOpen())
        return false;
    if (!m_file.flush() || !m_file.commit())
        return fail(m_file);
    m_done = true;
    return true;
}

void SafeWrite::cancel()
{
    if (m_done || !m_file.isOpen())
        return;
    m_file.cancelWriting();
    // commit() after cancelWriting() removes the temporary file and keeps the destination.
    m_file.commit();
    m_done = true;
}

QString SafeWrite::replace(const QString& path, QByteArrayView bytes)
{
    SafeWrite file(path);
    if (file.open() && file.write(bytes))
        file.commit();
    return file.error();
}

QString SafeWrite::append(const QString& path, QByteArrayView bytes, Append mode)
{
    QFile file(path);
    // Unbuffered, so that what is written is on the disk or is reported.
    const QIODevice::OpenMode how = QIODevice::WriteOnly | QIODevice::Unbuffered
                                    | (mode == Append::New ? QIODevice::NewOnly : QIODevice::Append);
    if (!file.open(how))
        return file.errorString();
    const qint64 before = file.size();
    if (writeWhole(file, bytes))
        return {};
    const QString reason = file.errorString();
    if (mode == Append::New)
        file.remove();
    else
        file.resize(before);
    return reason;
}

SafeWrite::NewFile::NewFile(const QString& path) : m_file(path) {}

SafeWrite::NewFile::~NewFile() { m_file.close(); }

bool SafeWrite::NewFile::fail()
{
    if (m_error.isEmpty())
        m_error = m_file.errorString();
    // A piece cut short is no use to a reader: the file ends with the last whole one.
    if (m_file.isOpen())
        m_file.resize(m_complete);
    return false;
}

bool SafeWrite::NewFile::open()
{
    m_error.clear();
    m_complete = 0;
    // Unbuffered, so that each write reaches the system (and survives the program) or fails there.
    m_isMine = m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered);
    if (m_isMine)
        return true;
    m_error = m_file.errorString();
    return false;
}

bool SafeWrite::NewFile::write(QByteArrayView bytes)
{
    if (!m_error.isEmpty() || !m_file.isOpen())
        return false;
    return writeWhole(m_file, bytes) || fail();
}

bool SafeWrite::NewFile::seek(qint64 position)
{
    if (!m_error.isEmpty() || !m_file.isOpen())
        return false;
    return m_file.seek(position) || fail();
}

bool SafeWrite::NewFile::close()
{
    if (!m_file.isOpen())
        return false;
    if (m_error.isEmpty() && ::fdatasync(m_file.handle()) != 0)
        m_error = qt_error_string(errno);
    m_file.close();
    return m_error.isEmpty();
}

void SafeWrite::NewFile::remove()
{
    // Never a file of the same name that open() found there.
    if (m_isMine)
        m_file.remove();
    m_isMine = false;
}
