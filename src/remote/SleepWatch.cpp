#include "remote/SleepWatch.h"

#include "remote/RemoteLog.h"

#include <QDBusConnection>

SleepWatch::SleepWatch(QObject* parent) : QObject(parent)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (bus.isConnected())
        m_isWatching = bus.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                                   QStringLiteral("org.freedesktop.login1.Manager"),
                                   QStringLiteral("PrepareForSleep"), this, SLOT(prepareForSleep(bool)));
    if (!m_isWatching)
        qCDebug(lcRemote) << "No system bus: the companion server is not dropped at sleep";
}

void SleepWatch::prepareForSleep(bool sleeping)
{
    if (sleeping)
        emit willSleep();
    else
        emit didWake();
}
