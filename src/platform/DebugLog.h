#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

// The program-wide debug log "DebugLog.txt": Mac OS Roman, carriage returns
// between lines, created with a header and only ever appended to. Callers
// check the debug setting before building a line; this class does not.
class DebugLog {
public:
    explicit DebugLog(QString miscDirectory);

    // Appends one entry; false when a missing log file cannot be created or
    // the whole entry did not reach the file (disk full, size limit), which
    // then holds what it held before. Safe from any thread: every entry is
    // its own open-append-close.
    bool writeDebugFile(const QString& message) const;

    // The serial ports listed in a new file's header.
    void setPortListProvider(std::function<QStringList()> provider);

    QString path() const { return m_path; }

    // The header a new log starts with, at the given moment.
    QString header(const QDateTime& moment) const;
    // The prefix of an entry at the given moment.
    static QString entryPrefix(const QDateTime& moment);

private:
    QString m_path;
    std::function<QStringList()> m_portList;
};
