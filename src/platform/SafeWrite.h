#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QSaveFile>
#include <QString>


class QDateTime;
class QFileDevice;

// Replacing a file so that a failure (a full disk, a file-size limit) leaves
// the old file byte for byte as it was and says why in the system's words.
// The bytes go to a temporary file beside the destination, which takes its
// place in one step. The file is written unbuffered and every write checked:
// Qt 6.4's QSaveFile::commit() renames even when its last flush fails.
class SafeWrite {
public:
    explicit SafeWrite(const QString& path);
    // Removes the temporary file unless committed.
    ~SafeWrite();
    SafeWrite(const SafeWrite&) = delete;
    SafeWrite& operator=(const SafeWrite&) = delete;

    bool open();
    // False from the first write that did not take every byte on.
    bool write(QByteArrayView bytes);
    // Moves the write position, for writers that go back to fill in what
    // they learn at the end (a movie's sizes and index).
    bool seek(qint64 position);
    qint64 size() const { return m_file.size(); }
    // Sets the new file's modification time, kept by the commit.
    bool setModificationTime(const QDateTime& time);
    // Puts the new file in the destination's place; false, and the
    // destination untouched, after any failure.
    bool commit();
    // Drops the new file; the destination stays as it was.
    void cancel();
    // The system's reason for the first failure; empty while all is well.
    QString error() const { return m_error; }

    // The whole of `bytes` as the file at `path`; the failure's reason, empty
    // when the file now holds them.
    static QString replace(const QString& path, QByteArrayView bytes);

    // How append() treats the file.
    enum class Append { Existing, New };
    // Adds the whole of `bytes` to the end of the file at `path`, or nothing:
    // a write that falls short is cut off again, and a file made here (New,
    // which fails when the file exists) is removed. For logs, which grow in
    // place. The failure's reason, empty when appended.
    static QString append(const QString& path, QByteArrayView bytes, Append mode);

    // A new file written in place under its own name, for a file that must
    // keep what it holds when the program dies midway (a movie being
    // recorded, which is never a replacement). open() fails when the name is
    // taken. Each write is checked; a write that fails cuts the file back to
    // the end last marked complete, so it holds only whole pieces.
    class NewFile {
    public:
        explicit NewFile(const QString& path);
        // Closes the file, which stays.
        ~NewFile();
        NewFile(const NewFile&) = delete;
        NewFile& operator=(const NewFile&) = delete;

        bool open();
        bool write(QByteArrayView bytes);
        bool seek(qint64 position);
        qint64 size() const { return m_file.size(); }
        // What is written so far is whole: a later failure keeps it.
        void markComplete() { m_complete = m_file.size(); }
        // Waits until the disk holds what was written and closes the file;
        // false after any failure.
        bool close();
        // Closes and deletes the file (one that holds nothing of use).
        void remove();
        // The system's reason for the first failure; empty while all is well.
        QString error() const { return m_error; }

    private:
        bool fail();

        QFile m_file;
        QString m_error;
        qint64 m_complete = 0;
        bool m_isMine = false;
    };

private:
    bool fail(const QFileDevice& device);

    QSaveFile m_file;
    QString m_error;
    bool m_done = false;
};
