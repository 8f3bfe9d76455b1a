// The calls go to the companion module, loaded when the server first
// exchanges a message.
#include "remote/PropertyList.h"

#include "remote/CompanionModule.h"

QByteArray PropertyList::toXml(const QVariantMap& dictionary)
{
    const CompanionModule::Calls* module = CompanionModule::calls();
    return module ? module->toXml(dictionary) : QByteArray();
}

std::optional<QVariantMap> PropertyList::readDictionary(QByteArrayView bytes)
{
    const CompanionModule::Calls* module = CompanionModule::calls();
    return module ? module->readDictionary(bytes) : std::nullopt;
}
