#include "mount/SerialPortScan.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

// Entries named by their paths under a folder that does not exist, so that
// no path leads to a device and only the paths tell entries apart.
std::vector<SerialPortEntry> entries(std::initializer_list<const char*> names)
{
    std::vector<SerialPortEntry> list;
    for (const char* name : names)
        list.push_back({QString::fromLatin1(name), QByteArray("/no-such-folder/") + name});
    return list;
}

QStringList namesOf(const std::vector<SerialPortEntry>& list)
{
    QStringList names;
    for (const SerialPortEntry& entry : list)
        names.append(entry.name);
    return names;
}

QStringList relisted(std::initializer_list<const char*> before, std::initializer_list<const char*> found,
                     std::vector<bool> kept)
{
    return namesOf(SerialPortScan::keepingPlaces(entries(before), entries(found), kept));
}

}  // namespace

TEST(SerialPortScanTest, WithNothingKeptTheListIsTheScansOwn)
{
    EXPECT_EQ(relisted({"ttyUSB0", "ttyUSB1"}, {"ttyACM0", "ttyUSB1", "ttyUSB2"}, {false, false}),
              (QStringList{"ttyACM0", "ttyUSB1", "ttyUSB2"}));
    EXPECT_EQ(relisted({}, {"ttyUSB0"}, {}), QStringList{"ttyUSB0"});
    EXPECT_EQ(relisted({"ttyUSB0"}, {}, {false}), QStringList{});
}

// A port that appears and sorts first never moves a kept one (a connected
// device's, the chosen one), and the kept one is not listed twice.
TEST(SerialPortScanTest, KeptEntriesStayWhereTheyWere)
{
    EXPECT_EQ(relisted({"ttyUSB1"}, {"ttyUSB0", "ttyUSB1"}, {true}), (QStringList{"ttyUSB1", "ttyUSB0"}));
    EXPECT_EQ(relisted({"ttyUSB0", "ttyUSB2", "ttyUSB3"}, {"by-id-a", "ttyUSB0", "ttyUSB2", "ttyUSB3"},
                       {false, false, true}),
              (QStringList{"by-id-a", "ttyUSB0", "ttyUSB3", "ttyUSB2"}));
    // An adapter unplugged and back under another name takes a free place.
    EXPECT_EQ(relisted({"ttyUSB0", "ttyUSB1"}, {"ttyUSB0", "ttyUSB2"}, {true, false}),
              (QStringList{"ttyUSB0", "ttyUSB2"}));
}

// A kept port that went (a pulled adapter) stays, and where too few ports
// are left to fill the places below it, the entries gone since hold them:
// nothing is listed twice and no kept index moves.
TEST(SerialPortScanTest, PlacesBelowAKeptEntryAreHeldByEntriesGoneSince)
{
    EXPECT_EQ(relisted({"ttyUSB0", "ttyUSB1", "ttyUSB2"}, {"ttyUSB1"}, {false, false, true}),
              (QStringList{"ttyUSB1", "ttyUSB0", "ttyUSB2"}));
    EXPECT_EQ(relisted({"a", "b", "c", "d"}, {"b", "e"}, {false, false, false, true}),
              (QStringList{"b", "e", "a", "d"}));
}

TEST(SerialPortScanTest, TheListNeverPassesItsLimit)
{
    const std::vector<SerialPortEntry> before =
        entries({"p0", "p1", "p2", "p3", "p4", "p5", "p6", "p7", "p8", "p9"});
    std::vector<bool> kept(before.size(), false);
    kept[9] = true;
    const std::vector<SerialPortEntry> after = SerialPortScan::keepingPlaces(
        before, entries({"n0", "n1", "n2", "n3", "n4", "n5", "n6", "n7", "n8", "n9"}), kept);
    ASSERT_EQ(after.size(), std::size_t(SerialPortScan::kMaxPorts));
    EXPECT_EQ(after[9].name, "p9");
    EXPECT_EQ(after[8].name, "n8");
}
