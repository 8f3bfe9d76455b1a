#pragma once

#include "remote/CompanionDiscovery.h"

#include <QMetaObject>
#include <QObject>

#include <vector>

// Discovery on loopback: publishes into a list, and "finds" the services a
// test announces (its own listeners on 127.0.0.1), a turn of the event loop
// after the search starts, as a daemon would.
class FakeDiscovery final : public QObject, public CompanionDiscovery {
public:
    bool publish(const QString& type, const QString& name, quint16 port) override
    {
        if (!daemonRuns)
            return false;
        published = Service{name + u'|' + type, QStringLiteral("127.0.0.1"), port};
        return true;
    }
    void withdraw() override { published.reset(); }
    bool browse(const QString& type, Found found) override
    {
        if (!daemonRuns)
            return false;
        browsedType = type;
        m_found = std::move(found);
        ++searches;
        QMetaObject::invokeMethod(this, [this] {
            for (const Service& service : services) {
                if (m_found)
                    m_found(service);
            }
        }, Qt::QueuedConnection);
        return true;
    }
    void stopBrowsing() override { m_found = nullptr; }
    bool isBrowsing() const { return bool(m_found); }

    bool daemonRuns = true;
    std::vector<Service> services;
    std::optional<Service> published;
    QString browsedType;
    int searches = 0;

private:
    Found m_found;
};
