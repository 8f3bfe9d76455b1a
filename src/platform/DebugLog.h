#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <mutex>

// The program-wide debug log "DebugLog.txt": Mac OS Roman, carriage returns
// between lines, created with a header and only ever appended to. Callers
// check the debug setting before building a line; this class does not.
class DebugLog {
public:
    explicit DebugLog(QString miscDirectory);

    // Appends one entry; false when a missing log file cannot be created or
    // the whole entry did not reach the file (disk full, size limit), which
    // then holds what it held before. Safe from any thread: entries are
    // appended one at a time, each its own open-append-close.
    bool writeDebugFile(const QString& message) const;

    // The serial ports listed in a new file's header.
    void setPortListProvider(std::function<QStringList()> provider);

    QString path() const { return m_path; }

    // The header a new log starts with, at the given moment.
    QString header(const QDateTime& moment) const;
    // The prefix of an entry at the given moment.
    static QString entryPrefix(const QDateTime& moment);

private:
    bool append(const QString& message) const;

    // The main and mount worker threads both log; a header or a cut-back
    // short write must not interleave with another entry.
    mutable std::mutex m_appendLock;
    QString m_path;
    std::function<QStringList()> m_portList;
};
