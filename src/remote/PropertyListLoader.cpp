// The property lists in the program: the calls go to the companion module,
// loaded when the server first exchanges a message. The tests link
// PropertyList.cpp itself instead.
#include "remote/CompanionModule.h"
#include "remote/PropertyList.h"

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
