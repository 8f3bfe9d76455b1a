#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

// Publishes the listener and finds the companion's own service on the local
// network. One of each runs at a time; a new call replaces the running one.
class CompanionDiscovery {
public:
    struct Service {
        QString name;
        QString host;  // a host name or address to connect to
        quint16 port = 0;
    };
    using Found = std::function<void(const Service&)>;

    virtual ~CompanionDiscovery() = default;
    // False when the service could not be published (no daemon answers);
    // the listener keeps listening.
    virtual bool publish(const QString& type, const QString& name, quint16 port) = 0;
    virtual void withdraw() = 0;
    // Reports each service of `type` once its address is known, until
    // stopBrowsing(); false when no search could be started.
    virtual bool browse(const QString& type, Found found) = 0;
    virtual void stopBrowsing() = 0;
};
