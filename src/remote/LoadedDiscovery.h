#pragma once

#include "remote/CompanionDiscovery.h"

#include <memory>

// The system's service discovery through the companion module, made on the
// first call: a start that never runs the server maps no mDNS library.
// Without the module nothing is published or found and each call says so,
// as without a daemon.
class LoadedDiscovery final : public CompanionDiscovery {
public:
    bool publish(const QString& type, const QString& name, quint16 port) override;
    void withdraw() override;
    bool browse(const QString& type, Found found) override;
    void stopBrowsing() override;

private:
    CompanionDiscovery* discovery();

    std::unique_ptr<CompanionDiscovery> m_discovery;
    bool m_tried = false;
};
