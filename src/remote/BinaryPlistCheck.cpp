#include "remote/BinaryPlistCheck.h"

#include <QtEndian>

#include <cstdint>
#include <optional>
#include <vector>

namespace BinaryPlistCheck {

namespace {

constexpr QByteArrayView kMagic("bplist00");
constexpr qsizetype kTrailerSize = 32;

// Object markers: the high nibble is the kind, the low one a size or count.
enum Kind : quint8 {
    kSimple = 0x0,
    kInteger = 0x1,
    kReal = 0x2,
    kDate = 0x3,
    kData = 0x4,
    kAscii = 0x5,
    kUtf16 = 0x6,
    kUid = 0x8,
    kArray = 0xA,
    kDictionary = 0xD,
};
constexpr quint8 kFalse = 0x08;
constexpr quint8 kTrue = 0x09;
constexpr quint8 kDateMarker = 0x33;
// A count of 15 or more is an integer object after the marker.
constexpr quint8 kCountFollows = 0x0F;

// A big-endian unsigned integer of 1 to 8 bytes.
quint64 bigEndian(const char* p, int size)
{
    quint64 value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | quint8(p[i]);
    return value;
}

class Reader {
public:
    Reader(QByteArrayView bytes, int maxDepth) : m_bytes(bytes), m_maxDepth(maxDepth) {}

    bool check()
    {
        if (m_bytes.size() < kMagic.size() + kTrailerSize || !m_bytes.startsWith(kMagic))
            return false;
        const char* trailer = m_bytes.data() + m_bytes.size() - kTrailerSize;
        m_offsetSize = quint8(trailer[6]);
        m_refSize = quint8(trailer[7]);
        const quint64 objects = qFromBigEndian<quint64>(trailer + 8);
        const quint64 root = qFromBigEndian<quint64>(trailer + 16);
        const quint64 table = qFromBigEndian<quint64>(trailer + 24);
        if (m_offsetSize < 1 || m_offsetSize > 8 || m_refSize < 1 || m_refSize > 8)
            return false;
        const quint64 tableRoom = quint64(m_bytes.size() - kTrailerSize);
        if (objects == 0 || root >= objects || table < quint64(kMagic.size()) || table > tableRoom
            || objects > (tableRoom - table) / m_offsetSize)
            return false;
        m_objects = objects;
        m_table = table;
        return walk(root);
    }

private:
    struct Extent {
        quint8 kind = 0;
        quint8 low = 0;
        quint64 count = 0;  // entries of a container
        quint64 start = 0;  // first byte after the marker and any count
    };

    std::optional<quint64> offsetOf(quint64 index) const
    {
        const quint64 offset = bigEndian(m_bytes.data() + m_table + index * m_offsetSize, m_offsetSize);
        if (offset < quint64(kMagic.size()) || offset >= m_table)
            return std::nullopt;
        return offset;
    }

    // Reads a marker's count, following it to an integer object when it is 15.
    std::optional<Extent> extentAt(quint64 offset) const
    {
        Extent e;
        const quint8 marker = quint8(m_bytes[offset]);
        e.kind = marker >> 4;
        e.low = marker & 0x0F;
        e.count = e.low;
        e.start = offset + 1;
        const bool counted = e.kind == kData || e.kind == kAscii || e.kind == kUtf16 || e.kind == kArray
                             || e.kind == kDictionary;
        if (counted && e.low == kCountFollows) {
            if (e.start >= m_table)
                return std::nullopt;
            const quint8 intMarker = quint8(m_bytes[e.start]);
            if ((intMarker >> 4) != kInteger || (intMarker & 0x0F) > 3)
                return std::nullopt;
            const int size = 1 << (intMarker & 0x0F);
            if (e.start + 1 + quint64(size) > m_table)
                return std::nullopt;
            e.count = bigEndian(m_bytes.data() + e.start + 1, size);
            e.start += 1 + quint64(size);
        }
        return e;
    }

    // The bytes after the marker that the object's content takes, if it is
    // a kind the reader takes; containers' references included.
    std::optional<quint64> contentSize(const Extent& e) const
    {
        const quint64 room = m_table - e.start;
        auto within = [room](quint64 n) { return n <= room ? std::optional<quint64>(n) : std::nullopt; };
        switch (e.kind) {
        case kSimple:
            return e.low == (kFalse & 0x0F) || e.low == (kTrue & 0x0F) ? std::optional<quint64>(0) : std::nullopt;
        case kInteger:
            return e.low <= 4 ? within(quint64(1) << e.low) : std::nullopt;
        case kReal:
            return e.low == 2 || e.low == 3 ? within(quint64(1) << e.low) : std::nullopt;
        case kDate:
            return (e.kind << 4 | e.low) == kDateMarker ? within(8) : std::nullopt;
        case kData:
        case kAscii:
            return within(e.count);
        case kUtf16:
            return e.count <= room / 2 ? std::optional<quint64>(e.count * 2) : std::nullopt;
        case kUid:
            return e.low < 8 ? within(quint64(e.low) + 1) : std::nullopt;
        case kArray:
            return e.count <= room / m_refSize ? std::optional<quint64>(e.count * m_refSize) : std::nullopt;
        case kDictionary:
            return e.count <= room / (2 * quint64(m_refSize)) ? std::optional<quint64>(e.count * 2 * m_refSize)
                                                              : std::nullopt;
        default:
            return std::nullopt;
        }
    }

    std::optional<Extent> objectAt(quint64 index) const
    {
        const std::optional<quint64> offset = offsetOf(index);
        if (!offset)
            return std::nullopt;
        const std::optional<Extent> e = extentAt(*offset);
        if (!e || !contentSize(*e))
            return std::nullopt;
        return e;
    }

    quint64 reference(quint64 at) const { return bigEndian(m_bytes.data() + at, m_refSize); }

    bool isText(quint64 index) const
    {
        if (index >= m_objects)
            return false;
        const std::optional<Extent> e = objectAt(index);
        return e && (e->kind == kAscii || e->kind == kUtf16);
    }

    // Depth first over the tree the references spell, with a stack of our own.
    bool walk(quint64 root)
    {
        struct Pending {
            quint64 index;
            int depth;
        };
        std::vector<Pending> stack{{root, 0}};
        const quint64 nodeLimit = quint64(m_bytes.size());
        quint64 nodes = 0;
        bool isRoot = true;
        while (!stack.empty()) {
            const Pending next = stack.back();
            stack.pop_back();
            if (next.index >= m_objects || next.depth > m_maxDepth || ++nodes > nodeLimit)
                return false;
            const std::optional<Extent> e = objectAt(next.index);
            if (!e || (isRoot && e->kind != kDictionary))
                return false;
            isRoot = false;
            // Every node waiting or seen counts, a dictionary's keys too.
            const quint64 children = e->kind == kArray ? e->count : e->kind == kDictionary ? 2 * e->count : 0;
            if (children > nodeLimit - nodes - quint64(stack.size()))
                return false;
            if (e->kind == kArray) {
                for (quint64 i = 0; i < e->count; ++i)
                    stack.push_back({reference(e->start + i * m_refSize), next.depth + 1});
            } else if (e->kind == kDictionary) {
                const quint64 values = e->start + e->count * m_refSize;
                for (quint64 i = 0; i < e->count; ++i) {
                    if (!isText(reference(e->start + i * m_refSize)))
                        return false;
                    stack.push_back({reference(values + i * m_refSize), next.depth + 1});
                }
                nodes += e->count;
            }
        }
        return true;
    }

    QByteArrayView m_bytes;
    int m_maxDepth;
    int m_offsetSize = 0;
    int m_refSize = 0;
    quint64 m_objects = 0;
    quint64 m_table = 0;
};

}  // namespace

bool isSound(QByteArrayView bytes, int maxDepth)
{
    return Reader(bytes, maxDepth).check();
}

}  // namespace BinaryPlistCheck
