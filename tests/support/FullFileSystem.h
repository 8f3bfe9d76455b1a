#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <sys/mount.h>

// A small tmpfs mounted over an empty folder until destruction. Mounting
// needs the right to (root with CAP_SYS_ADMIN); where it is refused,
// isMounted() is false and the test should skip.
class FullFileSystem {
public:
    explicit FullFileSystem(QString folder) : m_folder(std::move(folder))
    {
        m_mounted = QDir().mkpath(m_folder)
                    && ::mount("tmpfs", QFile::encodeName(m_folder).constData(), "tmpfs", 0,
                               "size=256k") == 0;
    }
    ~FullFileSystem()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    }
    FullFileSystem(const FullFileSystem&) = delete;
    FullFileSystem& operator=(const FullFileSystem&) = delete;

    bool isMounted() const { return m_mounted; }

    // Takes every free block with one filler file, writing until a write
    // falls short; false when the filler cannot be made.
    bool fill() const
    {
        QFile filler(m_folder + "/filler");
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
        return true;
    }

private:
    QString m_folder;
    bool m_mounted = false;
};
