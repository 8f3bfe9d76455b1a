#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QVariantMap>

#include <optional>

// Property lists to and from Qt values: XML read with Qt, binary turned into
// XML by libplist, XML written by libplist. Dictionaries become
// QVariantMap, arrays QVariantList, strings QString, booleans bool, integers
// qint64, reals double, data QByteArray and dates QDateTime (UTC). The work
// is the companion module's (LibplistPropertyList), loaded with the first
// call; without it nothing is read or written, the user told.
namespace PropertyList {

// Containers nest at most this deep; a deeper list is refused as a whole.
constexpr int kMaxDepth = 32;

// An XML 1.0 property list of `dictionary`. Values of other types are left out.
QByteArray toXml(const QVariantMap& dictionary);

// Reads an XML or binary property list whose root is a dictionary; nothing
// for anything else or a malformed list.
std::optional<QVariantMap> readDictionary(QByteArrayView bytes);

}  // namespace PropertyList
