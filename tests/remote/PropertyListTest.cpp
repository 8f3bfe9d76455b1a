#include "remote/PropertyList.h"

#include "support/BinaryPlistBuilder.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QVariantList>

#include <plist/plist.h>

#include <QtEndian>

#include <cstdlib>

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
    EXPECT_TRUE(PropertyList::readDictionary(BinaryPlistBuilder::nested(PropertyList::kMaxDepth - 1)));
    EXPECT_FALSE(PropertyList::readDictionary(BinaryPlistBuilder::nested(PropertyList::kMaxDepth + 1)));
    for (int depth : {20000, 100000}) {
        const QByteArray body = BinaryPlistBuilder::nested(depth);
        EXPECT_LT(body.size(), 1024 * 1024);
        EXPECT_FALSE(PropertyList::readDictionary(body)) << depth;
    }
}

TEST(PropertyList, BinaryCyclesAndSharedBranchesAreRefused)
{
    EXPECT_FALSE(PropertyList::readDictionary(BinaryPlistBuilder::cycle()));

    BinaryPlistBuilder self;
    self.add(self.dictionary({1}, {0}));
    self.add(self.ascii("a"));
    EXPECT_FALSE(PropertyList::readDictionary(self.bytes()));

    // Thirty levels that each name the next twice: a few hundred bytes
    // that spell a billion nodes.
    BinaryPlistBuilder doubling;
    doubling.add(doubling.dictionary({1}, {2}));
    doubling.add(doubling.ascii("a"));
    for (int i = 0; i < 30; ++i)
        doubling.add(i + 1 < 30 ? doubling.array({quint64(i + 3), quint64(i + 3)}) : doubling.array({}));
    EXPECT_FALSE(PropertyList::readDictionary(doubling.bytes()));
}

TEST(PropertyList, BinaryReferencesAndOffsetsOutOfRangeAreRefused)
{
    auto withValue = [](quint64 valueRef, quint64 root = 0) {
        BinaryPlistBuilder list;
        list.add(list.dictionary({1}, {valueRef}));
        list.add(list.ascii("a"));
        list.add(list.ascii("b"));
        return list.bytes(root);
    };
    EXPECT_TRUE(PropertyList::readDictionary(withValue(2)));
    EXPECT_FALSE(PropertyList::readDictionary(withValue(7))) << "reference past the objects";
    EXPECT_FALSE(PropertyList::readDictionary(BinaryPlistBuilder::referenceOutOfRange()));
    EXPECT_FALSE(PropertyList::readDictionary(withValue(2, 5))) << "root past the objects";
    EXPECT_FALSE(PropertyList::readDictionary(withValue(2, 2))) << "root not a dictionary";

    BinaryPlistBuilder numericKey;
    numericKey.add(numericKey.dictionary({1}, {1}));
    numericKey.add(QByteArray("\x10\x05", 2));
    EXPECT_FALSE(PropertyList::readDictionary(numericKey.bytes())) << "keys are texts";

    BinaryPlistBuilder list;
    list.add(list.dictionary({1}, {2}));
    list.add(list.ascii("a"));
    list.add(list.marker(0x5, 1000) + "short");
    EXPECT_FALSE(PropertyList::readDictionary(list.bytes())) << "text running into the offset table";

    QByteArray good = withValue(2);
    EXPECT_FALSE(PropertyList::readDictionary(good.left(good.size() - 1))) << "cut trailer";
    QByteArray manyObjects = withValue(2);
    manyObjects.replace(manyObjects.size() - 24, 8, BinaryPlistBuilder::bigEndian(quint64(1) << 60, 8));
    EXPECT_FALSE(PropertyList::readDictionary(manyObjects)) << "object count beyond the body";
    QByteArray badOffset = withValue(2);
    const qsizetype table = qsizetype(qFromBigEndian<quint64>(badOffset.constData() + badOffset.size() - 8));
    badOffset.replace(table + 4, 4, BinaryPlistBuilder::bigEndian(0xFFFFFFF0u, 4));
    EXPECT_FALSE(PropertyList::readDictionary(badOffset)) << "object offset past the table";
}
