#pragma once

#include "remote/CompanionDiscovery.h"

#include <QObject>

#include <memory>
#include <vector>

// Discovery through the DNS-SD library of the system's mDNS daemon; its
// replies are read on the main thread when its socket becomes readable.
// Without a daemon nothing is published or found, and each call says so by
// returning false.
class DnssdDiscovery final : public QObject, public CompanionDiscovery {
    Q_OBJECT
public:
    explicit DnssdDiscovery(QObject* parent = nullptr);
    ~DnssdDiscovery() override;

    bool publish(const QString& type, const QString& name, quint16 port) override;
    void withdraw() override;
    bool browse(const QString& type, Found found) override;
    void stopBrowsing() override;

    class Operation;

private:
    void resolve(uint32_t interfaceIndex, const char* name, const char* type, const char* domain);
    void resolved(const QString& name, const char* host, quint16 port);
    void retire(std::unique_ptr<Operation> operation);

    std::unique_ptr<Operation> m_registration;
    std::unique_ptr<Operation> m_browser;
    std::vector<std::unique_ptr<Operation>> m_resolves;
    std::vector<std::unique_ptr<Operation>> m_retired;
    Found m_found;
};
