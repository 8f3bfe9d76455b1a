#include "remote/LoadedDiscovery.h"

#include "remote/CompanionModule.h"

CompanionDiscovery* LoadedDiscovery::discovery()
{
    if (!m_tried) {
        m_tried = true;
        if (const CompanionModule::Calls* module = CompanionModule::calls())
            m_discovery = module->createDiscovery();
    }
    return m_discovery.get();
}

bool LoadedDiscovery::publish(const QString& type, const QString& name, quint16 port)
{
    CompanionDiscovery* system = discovery();
    return system && system->publish(type, name, port);
}

// Nothing was published or searched for before the first call.
void LoadedDiscovery::withdraw()
{
    if (m_discovery)
        m_discovery->withdraw();
}

bool LoadedDiscovery::browse(const QString& type, Found found)
{
    CompanionDiscovery* system = discovery();
    return system && system->browse(type, std::move(found));
}

void LoadedDiscovery::stopBrowsing()
{
    if (m_discovery)
        m_discovery->stopBrowsing();
}
