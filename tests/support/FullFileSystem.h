#pragma once

#include <QDir>
#include <QFile>

#include <sys/mount.h>

// A small tmpfs mounted over `folder` until destruction. Mounting needs the
// right to (root in CI); without it isMounted() is false and the test skips.
class FullFileSystem {
public:
    explicit FullFileSystem(const QString& folder) : m_folder(folder)
    {
        m_mounted = QDir().mkpath(folder)
                    && ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=256k") == 0;
    }
    ~FullFileSystem()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    }
    bool isMounted() const { return m_mounted; }

    // Takes every free block but `leaveFree` bytes with one file: leaving a
    // page free makes a larger write cut short rather than refused.
    void fill(qint64 leaveFree = 0) const
    {
        QFile filler(fillerPath());
        const QByteArray block(4096, 'x');
        if (filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            while (filler.write(block) == block.size()) {}
            filler.resize(filler.size() - leaveFree);
        }
    }
    void empty() const { QFile::remove(fillerPath()); }

private:
    QString fillerPath() const { return m_folder + "/filler"; }

    QString m_folder;
    bool m_mounted = false;
};
