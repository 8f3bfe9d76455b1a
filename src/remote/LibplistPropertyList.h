#pragma once

#include "remote/PropertyList.h"

// PropertyList's calls, binary lists and the XML written by libplist: the
// companion module's code (CompanionModule).
namespace LibplistPropertyList {

QByteArray toXml(const QVariantMap& dictionary);
std::optional<QVariantMap> readDictionary(QByteArrayView bytes);

}  // namespace LibplistPropertyList
