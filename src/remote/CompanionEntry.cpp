// The entry of the companion module: property lists and service discovery.
#include "remote/CompanionModule.h"
#include "remote/DnssdDiscovery.h"
#include "remote/LibplistPropertyList.h"

extern "C" Q_DECL_EXPORT const CompanionModule::Calls* norvaneCompanionCalls()
{
    static const CompanionModule::Calls calls{
        &LibplistPropertyList::toXml,
        &LibplistPropertyList::readDictionary,
        []() -> std::unique_ptr<CompanionDiscovery> { return std::make_unique<DnssdDiscovery>(); },
    };
    return &calls;
}
