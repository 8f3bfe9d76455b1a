#include "remote/PropertyList.h"

#include <QDateTime>
#include <QVariantList>

#include <plist/plist.h>

#include <cstdlib>
#include <limits>
#include <memory>

namespace PropertyList {

namespace {

struct PlistFree {
    void operator()(plist_t node) const { plist_free(node); }
};
using Node = std::unique_ptr<void, PlistFree>;

struct CFree {
    void operator()(void* p) const { std::free(p); }
};
using CBuffer = std::unique_ptr<char, CFree>;

// Seconds from 1970 to the property lists' epoch, 2001-01-01.
constexpr qint64 kEpoch2001 = 978307200;

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

std::optional<QVariant> fromNode(plist_t node, int depth);

std::optional<QVariantMap> fromDictionary(plist_t node, int depth)
{
    QVariantMap map;
    plist_dict_iter iter = nullptr;
    plist_dict_new_iter(node, &iter);
    if (!iter)
        return std::nullopt;
    const std::unique_ptr<void, CFree> iterOwner(iter);
    for (;;) {
        char* rawKey = nullptr;
        plist_t item = nullptr;
        plist_dict_next_item(node, iter, &rawKey, &item);
        const CBuffer key(rawKey);
        if (!item)
            break;
        std::optional<QVariant> value = fromNode(item, depth + 1);
        if (!value)
            return std::nullopt;
        map.insert(QString::fromUtf8(key ? key.get() : ""), *value);
    }
    return map;
}

std::optional<QVariant> fromNode(plist_t node, int depth)
{
    if (depth > kMaxDepth)
        return std::nullopt;
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t b = 0;
        plist_get_bool_val(node, &b);
        return QVariant(b != 0);
    }
    case PLIST_UINT: {
        uint64_t v = 0;
        plist_get_uint_val(node, &v);
        return QVariant(qint64(v));
    }
    case PLIST_REAL: {
        double v = 0.0;
        plist_get_real_val(node, &v);
        return QVariant(v);
    }
    case PLIST_STRING: {
        char* raw = nullptr;
        plist_get_string_val(node, &raw);
        const CBuffer text(raw);
        return QVariant(QString::fromUtf8(text ? text.get() : ""));
    }
    case PLIST_DATA: {
        char* raw = nullptr;
        uint64_t length = 0;
        plist_get_data_val(node, &raw, &length);
        const CBuffer data(raw);
        if (length > uint64_t(std::numeric_limits<qsizetype>::max()))
            return std::nullopt;
        return QVariant(QByteArray(data.get(), qsizetype(length)));
    }
    case PLIST_DATE: {
        int32_t sec = 0;
        int32_t usec = 0;
        plist_get_date_val(node, &sec, &usec);
        return QVariant(QDateTime::fromMSecsSinceEpoch((kEpoch2001 + sec) * 1000 + usec / 1000, Qt::UTC));
    }
    case PLIST_ARRAY: {
        QVariantList list;
        const uint32_t size = plist_array_get_size(node);
        for (uint32_t i = 0; i < size; ++i) {
            std::optional<QVariant> item = fromNode(plist_array_get_item(node, i), depth + 1);
            if (!item)
                return std::nullopt;
            list.append(*item);
        }
        return QVariant(list);
    }
    case PLIST_DICT: {
        std::optional<QVariantMap> map = fromDictionary(node, depth);
        if (!map)
            return std::nullopt;
        return QVariant(*map);
    }
    default:
        return std::nullopt;
    }
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
    if (bytes.isEmpty() || bytes.size() > qsizetype(std::numeric_limits<uint32_t>::max()))
        return std::nullopt;
    plist_t raw = nullptr;
    plist_from_memory(bytes.data(), uint32_t(bytes.size()), &raw);
    const Node root(raw);
    if (!root || plist_get_node_type(root.get()) != PLIST_DICT)
        return std::nullopt;
    return fromDictionary(root.get(), 0);
}

}  // namespace PropertyList
