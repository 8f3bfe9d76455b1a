#pragma once

#include "remote/events/RemoteEventsBus.h"
#include "support/PrivateBus.h"

// gdbus as an outside program calling the events interface.
class EventsClient {
public:
    explicit EventsClient(const PrivateBus& bus) : m_bus(bus) {}

    QString event(const QString& eventClass, const QString& eventId, const QString& parameters) const
    {
        return call("org.norvane.Pro.Event", {eventClass, eventId, parameters});
    }
    QString setProperty(const QString& name, const QString& value) const
    {
        return call("org.freedesktop.DBus.Properties.Set", {"org.norvane.Pro", name, value});
    }
    QString property(const QString& name) const
    {
        return call("org.freedesktop.DBus.Properties.Get", {"org.norvane.Pro", name});
    }

private:
    QString call(const QString& method, const QStringList& arguments) const
    {
        return m_bus.call(RemoteEventsBus::kService, RemoteEventsBus::kPath, method, arguments);
    }
    const PrivateBus& m_bus;
};
