#include "support/PrivateBus.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QUuid>

namespace {

constexpr int kClientTimeoutMs = 30000;

}  // namespace

PrivateBus::PrivateBus() : m_connectionName(QUuid::createUuid().toString())
{
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--session"), QStringLiteral("--print-address"), QStringLiteral("--nofork")});
    if (!m_daemon.waitForStarted(kClientTimeoutMs))
        return;
    QElapsedTimer waited;
    waited.start();
    while (!m_daemon.canReadLine() && waited.elapsed() < kClientTimeoutMs)
        m_daemon.waitForReadyRead(1000);
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    QDBusConnection::connectToBus(m_address, m_connectionName);
}

PrivateBus::~PrivateBus()
{
    QDBusConnection::disconnectFromBus(m_connectionName);
    m_daemon.terminate();
    m_daemon.waitForFinished(kClientTimeoutMs);
}

QDBusConnection PrivateBus::connection() const { return QDBusConnection(m_connectionName); }

QString PrivateBus::gdbus(const QStringList& arguments) const
{
    QProcess client;
    client.start(QStringLiteral("gdbus"), QStringList{arguments.first(), QStringLiteral("--address"), m_address} +
                                              arguments.mid(1));
    client.waitForStarted(kClientTimeoutMs);
    QElapsedTimer waited;
    waited.start();
    // The program answers on this thread: keep its events flowing.
    while (client.state() != QProcess::NotRunning && waited.elapsed() < kClientTimeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        client.waitForFinished(10);
    }
    return QString::fromUtf8(client.readAllStandardOutput()).trimmed() +
           QString::fromUtf8(client.readAllStandardError()).trimmed();
}

QString PrivateBus::call(const QString& destination, const QString& path, const QString& method,
                         const QStringList& arguments) const
{
    return gdbus(QStringList{QStringLiteral("call"), QStringLiteral("--dest"), destination,
                             QStringLiteral("--object-path"), path, QStringLiteral("--method"), method} +
                 arguments);
}
