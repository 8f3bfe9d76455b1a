#include "remote/events/RemoteEventsBus.h"

#include "remote/events/AppDelegate.h"

#include <QDBusMessage>
#include <QDebug>

RemoteEventsBus::RemoteEventsBus(AppDelegate& delegate, QObject* parent)
    : QObject(parent), m_delegate(delegate)
{
    connect(&m_delegate, &AppDelegate::outgoingEvent, this, &RemoteEventsBus::OutgoingEvent);
}

RemoteEventsBus::~RemoteEventsBus()
{
    if (m_connection) {
        m_connection->unregisterObject(QLatin1String(kPath));
        m_connection->unregisterService(QLatin1String(kService));
    }
}

bool RemoteEventsBus::registerOn(const QDBusConnection& connection)
{
    if (!connection.isConnected()) {
        qDebug() << "No D-Bus connection: other programs cannot reach this one.";
        return false;
    }
    QDBusConnection bus = connection;
    if (!bus.registerObject(QLatin1String(kPath), this,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                                QDBusConnection::ExportAllProperties)) {
        qDebug() << "D-Bus: the object" << kPath << "could not be registered.";
        return false;
    }
    if (!bus.registerService(QLatin1String(kService))) {
        bus.unregisterObject(QLatin1String(kPath));
        qDebug() << "D-Bus: the name" << kService << "is taken:" << bus.lastError().message();
        return false;
    }
    m_connection = bus;
    return true;
}

bool RemoteEventsBus::registerOnSessionBus() { return registerOn(QDBusConnection::sessionBus()); }

QVariantMap RemoteEventsBus::Event(const QString& eventClass, const QString& eventId,
                                   const QVariantMap& parameters)
{
    const std::optional<QVariantMap> reply = m_delegate.handleEvent(eventClass, eventId, parameters);
    if (!reply && calledFromDBus())
        sendErrorReply(QLatin1String(kUnknownEvent),
                       QStringLiteral("No event %1/%2.").arg(eventClass, eventId));
    return reply.value_or(QVariantMap());
}

void RemoteEventsBus::setFindObject(const QString& text)
{
    m_findObject = text;
    m_delegate.setFindObject(text);
}

void RemoteEventsBus::setScopeConnect(int n)
{
    m_scopeConnect = n;
    m_delegate.setScopeConnect(n);
}

double RemoteEventsBus::scopeAzimuth() const { return m_delegate.scopeAzimuth(); }

double RemoteEventsBus::scopeRA() const { return m_delegate.scopeRA(); }

double RemoteEventsBus::scopeDec() const { return m_delegate.scopeDec(); }

double RemoteEventsBus::scopeSlewDetect() const { return m_delegate.scopeSlewDetect(); }
