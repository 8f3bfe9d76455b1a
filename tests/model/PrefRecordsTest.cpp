#include "PrefFixture.h"

namespace {

QByteArray hex(const char* text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

class PrefRecordsTest : public PrefFixture {};

TEST_F(PrefRecordsTest, StoredBlocksOfTheWrongLengthAreCutOrZeroFilled)
{
    seed({{"SitesPref", hex("00004842 0000c0c0 0000")}, {"EyepiecesPref", QByteArray(500, '\x41')},
          {"ScopesPref", QByteArray()}});
    PrefControl& prefs = launch();
    EXPECT_EQ(prefs.sites()[0].latitude, 50.0f);
    EXPECT_EQ(prefs.sites()[0].longitude, -6.0f);
    EXPECT_EQ(prefs.latitude(), 50.0);
    EXPECT_EQ(std::memcmp(prefs.eyepieces().data(), QByteArray(80, '\x41').constData(), 80), 0);
    EXPECT_EQ(prefs.scopes()[0].scopeFL, 0.0f);
}

TEST_F(PrefRecordsTest, RecordFieldsOutOfRangeInfiniteOrNaNReadAsTheRegisteredFields)
{
    // Sites: latitude 1000 and a NaN longitude, then a NaN latitude, then one kept.
    // Telescope 0: infinite focal length, aperture -1; telescope 1 kept. Eyepiece 1: NaN field.
    seed({{"SitesPref", hex("00007a44 0000c07f  0000c07f 00004842  00004842 0000c0c0")},
          {"ScopesPref", hex("0000807f 000080bf 0000a040 0100 0100 00 00 01 01"
                             "0000fa44 00004843 0000a040 0d00 0200 00 00 01 01")},
          {"EyepiecesPref", hex("0000a040 00004842 00002041 0000c07f")}});
    PrefControl& prefs = launch();
    EXPECT_EQ(prefs.sites()[0].latitude, 0.0f);
    EXPECT_EQ(prefs.sites()[0].longitude, 0.0f);
    EXPECT_EQ(prefs.sites()[1].latitude, 0.0f);
    EXPECT_EQ(prefs.sites()[1].longitude, 50.0f);
    EXPECT_EQ(prefs.sites()[2].latitude, 50.0f);
    EXPECT_EQ(prefs.sites()[2].longitude, -6.0f);
    EXPECT_EQ(prefs.latitude(), 0.0);
    EXPECT_EQ(prefs.scopes()[0].scopeFL, 2000.0f);
    EXPECT_EQ(prefs.scopes()[0].scopeAP, 203.2f);
    EXPECT_EQ(prefs.scopes()[0].finderFOV, 5.0f);
    EXPECT_EQ(prefs.scopes()[1].scopeFL, 2000.0f);
    EXPECT_EQ(prefs.scopes()[1].scopeAP, 200.0f);
    EXPECT_EQ(prefs.eyepieces()[1].eyeFL, 10.0f);
    EXPECT_EQ(prefs.eyepieces()[1].eyeFOV, 50.0f);
    EXPECT_EQ(debugLines.filter("SitesPref").size(), 1);
    EXPECT_EQ(debugLines.filter("ScopesPref").size(), 1);
    EXPECT_EQ(debugLines.filter("EyepiecesPref").size(), 1);
}

TEST_F(PrefRecordsTest, SaveSitesWritesItsBlockAndBothListsForTheNextLaunch)
{
    PrefControl& prefs = launch();
    prefs.sites()[2] = {51.5f, -0.25f};
    prefs.sites()[0] = {-33.9f, 18.4f};
    const auto written = writtenBy([&] { prefs.saveSites(); });
    EXPECT_EQ(written.keys(), (QStringList{"SiteNamesArrayPref", "SiteTimeZoneNamesArrayPref", "SitesPref"}));
    const QByteArray block = written.value("SitesPref").toByteArray();
    ASSERT_EQ(block.size(), 40);
    EXPECT_EQ(block.mid(16, 8), hex("0000 4e42 0000 80be"));
    EXPECT_EQ(written.value("SiteNamesArrayPref").toString(),
              QStringLiteral(R"(["Undefined","Undefined","Undefined","Undefined","Undefined"])"));
    const PrefControl& next = launch();
    EXPECT_EQ(next.latitude(), double(-33.9f));
    EXPECT_EQ(next.longitude(), double(18.4f));
}

TEST_F(PrefRecordsTest, SaveScopesAndEyepiecesWriteTheirBlocksAndFlags)
{
    PrefControl& prefs = launch();
    prefs.scopes()[1] = scope{1200.0f, 150.0f, 6.0f, 13, 1, 0, 1, 0, 1};
    auto written = writtenBy([&] { prefs.saveScopes(); });
    EXPECT_EQ(written.keys(),
              (QStringList{"RetainScopePollingPref", "ScopeAltAzPref", "ScopeNamesArrayPref", "ScopesPref"}));
    ASSERT_EQ(written.value("ScopesPref").toByteArray().size(), 100);
    EXPECT_EQ(written.value("ScopesPref").toByteArray().mid(20, 20),
              hex("00009644 00001643 0000c040 0d00 0100 00 01 00 01"));
    EXPECT_EQ(written.value("RetainScopePollingPref").toString(), QStringLiteral("NO"));

    prefs.eyepieces()[4] = {25.0f, 68.0f};
    written = writtenBy([&] { prefs.saveEyepieces(); });
    EXPECT_EQ(written.keys(), (QStringList{"DSLRPref", "EyepiecesPref", "FlipEWOutlinePref", "FlipOutlinePref"}));
    ASSERT_EQ(written.value("EyepiecesPref").toByteArray().size(), 80);
    EXPECT_EQ(written.value("EyepiecesPref").toByteArray().mid(32, 8), hex("0000c841 00008842"));
    EXPECT_EQ(written.value("DSLRPref").toString(), QStringLiteral("0"));
}

TEST_F(PrefRecordsTest, ADamagedFinderOrProtocolAndOverlongNamesAreBoundedOnRead)
{
    // Slot 0: finder type 7, protocol 99; slot 1: finder 2, protocol 13, both kept.
    seed({{"ScopesPref", hex("0000fa44 00004843 0000a040 6300 0700 00 00 01 01"
                             "0000fa44 00004843 0000a040 0d00 0200 00 00 01 01")},
          {"ScopeNamesArrayPref", QStringLiteral(R"(["%1","b"])").arg(QString(500, u'a'))}});
    PrefControl& prefs = launch();
    EXPECT_EQ(prefs.scopes()[0].finderType, 2);
    EXPECT_EQ(prefs.scopes()[0].mountProtocol, 0);
    EXPECT_EQ(prefs.scopes()[1].finderType, 2);
    EXPECT_EQ(prefs.scopes()[1].mountProtocol, 13);
    EXPECT_EQ(prefs.scopeNamesArray()[0], QString(PrefDefaults::kMostNameLength, u'a'));
    prefs.setSiteNamesArray({QString(200, u's')});
    EXPECT_EQ(prefs.siteNamesArray()[0].size(), PrefDefaults::kMostNameLength);
}

}  // namespace
