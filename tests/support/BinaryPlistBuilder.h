#pragma once

#include <QByteArray>

#include <optional>
#include <vector>

// A binary list spelt object by object, references and offsets as wide as
// asked, so that shapes no writer makes can be tried.
class BinaryPlistBuilder {
public:
    explicit BinaryPlistBuilder(int refSize = 1, int offsetSize = 4) : m_refSize(refSize), m_offsetSize(offsetSize) {}

    int add(QByteArray object)
    {
        m_objects.push_back(std::move(object));
        return int(m_objects.size()) - 1;
    }
    QByteArray marker(quint8 kind, quint64 count) const
    {
        if (count < 15)
            return QByteArray(1, char(kind << 4 | count));
        return QByteArray(1, char(kind << 4 | 0x0F)) + char(0x13) + bigEndian(count, 8);
    }
    QByteArray ascii(const QByteArray& text) const { return marker(0x5, quint64(text.size())) + text; }
    QByteArray array(const std::vector<quint64>& refs) const
    {
        QByteArray out = marker(0xA, refs.size());
        for (quint64 r : refs)
            out += bigEndian(r, m_refSize);
        return out;
    }
    QByteArray dictionary(const std::vector<quint64>& keys, const std::vector<quint64>& values) const
    {
        QByteArray out = marker(0xD, keys.size());
        for (quint64 r : keys)
            out += bigEndian(r, m_refSize);
        for (quint64 r : values)
            out += bigEndian(r, m_refSize);
        return out;
    }
    QByteArray bytes(quint64 root = 0, std::optional<quint64> objectCount = std::nullopt) const
    {
        QByteArray out = "bplist00";
        std::vector<quint64> offsets;
        for (const QByteArray& object : m_objects) {
            offsets.push_back(quint64(out.size()));
            out += object;
        }
        const quint64 table = quint64(out.size());
        for (quint64 offset : offsets)
            out += bigEndian(offset, m_offsetSize);
        out += QByteArray(6, '\0') + char(m_offsetSize) + char(m_refSize);
        out += bigEndian(objectCount.value_or(offsets.size()), 8) + bigEndian(root, 8) + bigEndian(table, 8);
        return out;
    }
    static QByteArray bigEndian(quint64 value, int size)
    {
        QByteArray out(size, '\0');
        for (int i = size - 1; i >= 0; --i, value >>= 8)
            out[i] = char(value & 0xFF);
        return out;
    }

    // { "a": [[[...]]] } with `depth` arrays, in the wire's binary form.
    static QByteArray nested(int depth)
    {
        BinaryPlistBuilder list(3, 4);
        list.add(list.dictionary({1}, {2}));
        list.add(list.ascii("a"));
        for (int i = 0; i < depth; ++i)
            list.add(i + 1 < depth ? list.array({quint64(i + 3)}) : list.array({}));
        return list.bytes();
    }
    // { "a": [[...]] } whose two arrays name each other.
    static QByteArray cycle()
    {
        BinaryPlistBuilder list;
        list.add(list.dictionary({1}, {2}));
        list.add(list.ascii("a"));
        list.add(list.array({3}));
        list.add(list.array({2}));
        return list.bytes();
    }
    // { "a": object 7 } in a list of two objects.
    static QByteArray referenceOutOfRange()
    {
        BinaryPlistBuilder list;
        list.add(list.dictionary({1}, {7}));
        list.add(list.ascii("a"));
        return list.bytes();
    }

private:
    int m_refSize;
    int m_offsetSize;
    std::vector<QByteArray> m_objects;
};
