#include "remote/LibplistPropertyList.h"

#include "remote/BinaryPlistCheck.h"

#include <QDateTime>
#include <QVariantList>
#include <QXmlStreamReader>

#include <plist/plist.h>

#include <cstdlib>
#include <limits>
#include <memory>

namespace LibplistPropertyList {

using PropertyList::kMaxDepth;

namespace {

struct PlistFree {
    void operator()(plist_t node) const { plist_free(node); }
};
using Node = std::unique_ptr<void, PlistFree>;

struct CFree {
    void operator()(void* p) const { std::free(p); }
};
using CBuffer = std::unique_ptr<char, CFree>;

plist_t toNode(const QVariant& value, int depth);

plist_t dictionaryNode(const QVariantMap& map, int depth)
{
    plist_t dict = plist_new_dict();
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (plist_t item = toNode(it.value(), depth + 1))
            plist_dict_set_item(dict, it.key().toUtf8().constData(), item);
    }
    return dict;
}

plist_t toNode(const QVariant& value, int depth)
{
    if (depth > kMaxDepth)
        return nullptr;
    switch (value.typeId()) {
    case QMetaType::QString:
        return plist_new_string(value.toString().toUtf8().constData());
    case QMetaType::Bool:
        return plist_new_bool(value.toBool() ? 1 : 0);
    case QMetaType::Int:
    case QMetaType::LongLong:
        return plist_new_uint(uint64_t(value.toLongLong()));
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return plist_new_uint(value.toULongLong());
    case QMetaType::Float:
    case QMetaType::Double:
        return plist_new_real(value.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray data = value.toByteArray();
        return plist_new_data(data.constData(), uint64_t(data.size()));
    }
    case QMetaType::QVariantList: {
        plist_t array = plist_new_array();
        for (const QVariant& item : value.toList()) {
            if (plist_t node = toNode(item, depth + 1))
                plist_array_append_item(array, node);
        }
        return array;
    }
    case QMetaType::QVariantMap:
        return dictionaryNode(value.toMap(), depth);
    default:
        return nullptr;
    }
}

std::optional<QVariant> readValue(QXmlStreamReader& xml, int depth);

// At a <dict>: key and value elements in turn up to its end.
std::optional<QVariant> readDict(QXmlStreamReader& xml, int depth)
{
    QVariantMap map;
    while (xml.readNextStartElement()) {
        if (xml.name() != u"key")
            return std::nullopt;
        const QString key = xml.readElementText();
        if (xml.hasError() || !xml.readNextStartElement())
            return std::nullopt;
        std::optional<QVariant> value = readValue(xml, depth + 1);
        if (!value)
            return std::nullopt;
        map.insert(key, *value);
    }
    if (xml.hasError())
        return std::nullopt;
    return QVariant(map);
}

std::optional<QVariant> readArray(QXmlStreamReader& xml, int depth)
{
    QVariantList list;
    while (xml.readNextStartElement()) {
        std::optional<QVariant> value = readValue(xml, depth + 1);
        if (!value)
            return std::nullopt;
        list.append(*value);
    }
    if (xml.hasError())
        return std::nullopt;
    return QVariant(list);
}

std::optional<QVariant> readScalar(const QStringView name, const QString& text)
{
    bool ok = false;
    if (name == u"string")
        return QVariant(text);
    if (name == u"true" || name == u"false")
        return QVariant(name == u"true");
    if (name == u"integer") {
        const qint64 value = text.trimmed().toLongLong(&ok);
        if (ok)
            return QVariant(value);
        const quint64 large = text.trimmed().toULongLong(&ok);
        return ok ? std::optional<QVariant>(QVariant(qint64(large))) : std::nullopt;
    }
    if (name == u"real") {
        const double value = text.trimmed().toDouble(&ok);
        return ok ? std::optional<QVariant>(QVariant(value)) : std::nullopt;
    }
    if (name == u"data") {
        QByteArray base64 = text.toLatin1();
        base64.replace(' ', "").replace('\t', "").replace('\n', "").replace('\r', "");
        QByteArray::FromBase64Result data =
            QByteArray::fromBase64Encoding(base64, QByteArray::AbortOnBase64DecodingErrors);
        return data ? std::optional<QVariant>(QVariant(*data)) : std::nullopt;
    }
    if (name == u"date") {
        const QDateTime date = QDateTime::fromString(text.trimmed(), Qt::ISODate);
        return date.isValid() ? std::optional<QVariant>(QVariant(date.toUTC())) : std::nullopt;
    }
    return std::nullopt;
}

// At the start element of a value; ends at its end element.
std::optional<QVariant> readValue(QXmlStreamReader& xml, int depth)
{
    if (depth > kMaxDepth)
        return std::nullopt;
    const QString name = xml.name().toString();
    if (name == u"dict")
        return readDict(xml, depth);
    if (name == u"array")
        return readArray(xml, depth);
    const QString text = xml.readElementText();
    if (xml.hasError())
        return std::nullopt;
    return readScalar(name, text);
}

std::optional<QVariantMap> readXml(const QByteArray& bytes)
{
    QXmlStreamReader xml(bytes);
    if (!xml.readNextStartElement() || xml.name() != u"plist")
        return std::nullopt;
    if (!xml.readNextStartElement() || xml.name() != u"dict")
        return std::nullopt;
    const std::optional<QVariant> root = readDict(xml, 0);
    return root ? std::optional<QVariantMap>(root->toMap()) : std::nullopt;
}

// A binary list as XML: libplist's own readers of a parsed list assert on
// keys and texts a peer can make up, its XML writer does not. libplist
// recurses along references, so the shape is checked first.
std::optional<QByteArray> binaryToXml(QByteArrayView bytes)
{
    if (bytes.size() > qsizetype(std::numeric_limits<uint32_t>::max())
        || !BinaryPlistCheck::isSound(bytes, kMaxDepth))
        return std::nullopt;
    plist_t raw = nullptr;
    plist_from_bin(bytes.data(), uint32_t(bytes.size()), &raw);
    const Node root(raw);
    if (!root || plist_get_node_type(root.get()) != PLIST_DICT)
        return std::nullopt;
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root.get(), &xml, &length);
    const CBuffer owner(xml);
    if (!xml)
        return std::nullopt;
    return QByteArray(xml, qsizetype(length));
}

}  // namespace

QByteArray toXml(const QVariantMap& dictionary)
{
    const Node root(dictionaryNode(dictionary, 0));
    char* raw = nullptr;
    uint32_t length = 0;
    plist_to_xml(root.get(), &raw, &length);
    const CBuffer xml(raw);
    return xml ? QByteArray(xml.get(), qsizetype(length)) : QByteArray();
}

std::optional<QVariantMap> readDictionary(QByteArrayView bytes)
{
    if (bytes.startsWith("bplist")) {
        const std::optional<QByteArray> xml = binaryToXml(bytes);
        return xml ? readXml(*xml) : std::nullopt;
    }
    return readXml(bytes.toByteArray());
}

}  // namespace LibplistPropertyList
