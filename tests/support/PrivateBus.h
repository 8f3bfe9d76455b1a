#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QStringList>

// A message bus of the test's own (never the user's session bus), and the
// command-line client that drives it as another program would.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool isRunning() const { return !m_address.isEmpty(); }
    const QString& address() const { return m_address; }
    // This process's connection to the bus.
    QDBusConnection connection() const;

    // Runs `gdbus` with the arguments after "--address ADDRESS", serving
    // this process's bus traffic meanwhile; its standard output.
    QString gdbus(const QStringList& arguments) const;
    // gdbus call of a method of the object at `path` owned by `destination`.
    QString call(const QString& destination, const QString& path, const QString& method,
                 const QStringList& arguments) const;

private:
    QProcess m_daemon;
    QString m_address;
    QString m_connectionName;
};
