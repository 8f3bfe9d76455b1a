#include "remote/PropertyList.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QVariantList>

#include <plist/plist.h>

#include <QtEndian>

#include <cstdlib>
#include <optional>
#include <vector>

namespace {

QByteArray binaryOf(const QByteArray& xml)
{
    plist_t root = nullptr;
    plist_from_xml(xml.constData(), uint32_t(xml.size()), &root);
    char* bin = nullptr;
    uint32_t length = 0;
    plist_to_bin(root, &bin, &length);
    QByteArray bytes(bin, qsizetype(length));
    std::free(bin);
    plist_free(root);
    return bytes;
}

QByteArray nested(int depth)
{
    QByteArray xml = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>a</key>";
    for (int i = 0; i < depth; ++i)
        xml += "<array>";
    for (int i = 0; i < depth; ++i)
        xml += "</array>";
    return xml + "</dict></plist>";
}

// A binary list spelt object by object, references and offsets as wide as
// asked, so that shapes no writer makes can be tried.
class BinaryList {
public:
    explicit BinaryList(int refSize = 1, int offsetSize = 4) : m_refSize(refSize), m_offsetSize(offsetSize) {}

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

private:
    int m_refSize;
    int m_offsetSize;
    std::vector<QByteArray> m_objects;
};

// { "a": [[[...]]] } with `depth` arrays, in the wire's binary form.
QByteArray binaryNested(int depth)
{
    BinaryList list(3, 4);
    list.add(list.dictionary({1}, {2}));
    list.add(list.ascii("a"));
    for (int i = 0; i < depth; ++i)
        list.add(i + 1 < depth ? list.array({quint64(i + 3)}) : list.array({}));
    return list.bytes();
}

}  // namespace

TEST(PropertyList, XmlCarriesEveryWireTypeBothWays)
{
    const QVariantMap sent{{"command", QStringLiteral("statusAnswer")},
                           {"declination", -0.25f},
                           {"moving", true},
                           {"capabilities", 20u},
                           {"rate", -3},
                           {"raDataBunch", QByteArray("\x00\x01\xff", 3)},
                           {"name", QStringLiteral("Ålesund ☾")},
                           {"list", QVariantList{1, QStringLiteral("x")}}};
    const QByteArray xml = PropertyList::toXml(sent);
    ASSERT_TRUE(xml.startsWith("<?xml"));
    const std::optional<QVariantMap> back = PropertyList::readDictionary(xml);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->value("command").toString(), "statusAnswer");
    EXPECT_FLOAT_EQ(back->value("declination").toFloat(), -0.25f);
    EXPECT_EQ(back->value("moving").typeId(), QMetaType::Bool);
    EXPECT_EQ(back->value("capabilities").toLongLong(), 20);
    EXPECT_EQ(back->value("rate").toLongLong(), -3);
    EXPECT_EQ(back->value("raDataBunch").toByteArray(), QByteArray("\x00\x01\xff", 3));
    EXPECT_EQ(back->value("name").toString(), QStringLiteral("Ålesund ☾"));
    EXPECT_EQ(back->value("list").toList().size(), 2);
}

TEST(PropertyList, ReadsBinaryLists)
{
    const QByteArray bin = binaryOf(PropertyList::toXml({{"command", QStringLiteral("requestStatus")}}));
    ASSERT_TRUE(bin.startsWith("bplist00"));
    const std::optional<QVariantMap> read = PropertyList::readDictionary(bin);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->value("command").toString(), "requestStatus");
}

TEST(PropertyList, RefusesWhatIsNoDictionary)
{
    EXPECT_FALSE(PropertyList::readDictionary(QByteArray()));
    EXPECT_FALSE(PropertyList::readDictionary("not a list"));
    EXPECT_FALSE(PropertyList::readDictionary("bplist00\xff\xff"));
    EXPECT_FALSE(PropertyList::readDictionary(
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><string>a</string></array></plist>"));
    EXPECT_FALSE(PropertyList::readDictionary("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>a"));
}

TEST(PropertyList, NestingBeyondTheLimitIsRefusedWhole)
{
    EXPECT_TRUE(PropertyList::readDictionary(nested(PropertyList::kMaxDepth - 1)));
    EXPECT_FALSE(PropertyList::readDictionary(nested(PropertyList::kMaxDepth + 1)));
}

// What a peer can make up must be refused, never abort the program: libplist
// asserts when its parsed keys or texts hold a NUL.
TEST(PropertyList, NulsInKeysAndTextsAreRefusedNotFatal)
{
    static const char text[] = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>command</key>"
                               "<string>re\0quest</string></dict></plist>";
    EXPECT_FALSE(PropertyList::readDictionary(QByteArray(text, sizeof text - 1)));
    // A binary list whose last key is UTF-16 text with NULs in it.
    const QByteArray binary = QByteArray::fromBase64(
        "YnBsaXN0MDDVAQIDBAUGBwgJCldjb21tYW7SWGxhdGl0dWRlWWxvbmdpdHVkZVhzaXRlTmFldG1pWG1lem9uZVhzZW"
        "5kU2l0ZSNASEAAAAAAACPAAgAAAAAAAFtQaWMgZHUgTWlpZCM/8AAAAAAAAAgTGyQuN0BJUltnAAAAAAAAAQEAAAAA"
        "AAAACwAAAAAAAAAAAAAAAAAAAHA=");
    ASSERT_TRUE(binary.startsWith("bplist00"));
    EXPECT_FALSE(PropertyList::readDictionary(binary));
}

// libplist follows references recursively: nesting, cycles and references
// out of range must be refused before it sees them, however deep.
TEST(PropertyList, BinaryNestingIsRefusedAtTheSameLimitAsXml)
{
    EXPECT_TRUE(PropertyList::readDictionary(binaryNested(PropertyList::kMaxDepth - 1)));
    EXPECT_FALSE(PropertyList::readDictionary(binaryNested(PropertyList::kMaxDepth + 1)));
    for (int depth : {20000, 100000}) {
        const QByteArray body = binaryNested(depth);
        EXPECT_LT(body.size(), 1024 * 1024);
        EXPECT_FALSE(PropertyList::readDictionary(body)) << depth;
    }
}

TEST(PropertyList, BinaryCyclesAndSharedBranchesAreRefused)
{
    BinaryList loop;
    loop.add(loop.dictionary({1}, {2}));
    loop.add(loop.ascii("a"));
    loop.add(loop.array({3}));
    loop.add(loop.array({2}));
    EXPECT_FALSE(PropertyList::readDictionary(loop.bytes()));

    BinaryList self;
    self.add(self.dictionary({1}, {0}));
    self.add(self.ascii("a"));
    EXPECT_FALSE(PropertyList::readDictionary(self.bytes()));

    // Thirty levels that each name the next twice: a few hundred bytes
    // that spell a billion nodes.
    BinaryList doubling;
    doubling.add(doubling.dictionary({1}, {2}));
    doubling.add(doubling.ascii("a"));
    for (int i = 0; i < 30; ++i)
        doubling.add(i + 1 < 30 ? doubling.array({quint64(i + 3), quint64(i + 3)}) : doubling.array({}));
    EXPECT_FALSE(PropertyList::readDictionary(doubling.bytes()));
}

TEST(PropertyList, BinaryReferencesAndOffsetsOutOfRangeAreRefused)
{
    auto withValue = [](quint64 valueRef, quint64 root = 0) {
        BinaryList list;
        list.add(list.dictionary({1}, {valueRef}));
        list.add(list.ascii("a"));
        list.add(list.ascii("b"));
        return list.bytes(root);
    };
    EXPECT_TRUE(PropertyList::readDictionary(withValue(2)));
    EXPECT_FALSE(PropertyList::readDictionary(withValue(7))) << "reference past the objects";
    EXPECT_FALSE(PropertyList::readDictionary(withValue(2, 5))) << "root past the objects";
    EXPECT_FALSE(PropertyList::readDictionary(withValue(2, 2))) << "root not a dictionary";

    BinaryList numericKey;
    numericKey.add(numericKey.dictionary({1}, {1}));
    numericKey.add(QByteArray("\x10\x05", 2));
    EXPECT_FALSE(PropertyList::readDictionary(numericKey.bytes())) << "keys are texts";

    BinaryList list;
    list.add(list.dictionary({1}, {2}));
    list.add(list.ascii("a"));
    list.add(list.marker(0x5, 1000) + "short");
    EXPECT_FALSE(PropertyList::readDictionary(list.bytes())) << "text running into the offset table";

    QByteArray good = withValue(2);
    EXPECT_FALSE(PropertyList::readDictionary(good.left(good.size() - 1))) << "cut trailer";
    QByteArray manyObjects = withValue(2);
    manyObjects.replace(manyObjects.size() - 24, 8, BinaryList::bigEndian(quint64(1) << 60, 8));
    EXPECT_FALSE(PropertyList::readDictionary(manyObjects)) << "object count beyond the body";
    QByteArray badOffset = withValue(2);
    const qsizetype table = qsizetype(qFromBigEndian<quint64>(badOffset.constData() + badOffset.size() - 8));
    badOffset.replace(table + 4, 4, BinaryList::bigEndian(0xFFFFFFF0u, 4));
    EXPECT_FALSE(PropertyList::readDictionary(badOffset)) << "object offset past the table";
}
