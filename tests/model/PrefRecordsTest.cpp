#include "PrefFixture.h"

namespace {

QByteArray hex(const char* text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

class PrefRecordsTest : public PrefFixture {};

TEST(PrefDefaultBlocks, MatchTheRegisteredBytes)
{
    const auto registered = [](const char* key) {
        for (const PrefDefault& entry : PrefDefaults::registration(QDateTime::currentDateTime())) {
            if (entry.key == QLatin1String(key))
                return entry.value.toByteArray();
        }
        return QByteArray();
    };
    EXPECT_EQ(registered("SitesPref"), QByteArray(40, '\0'));
    const QByteArray emptyScope = hex("00000000 00000000 00000000 0000 0000 00 00 01 01");
    EXPECT_EQ(registered("ScopesPref"),
              hex("0000fa44 33334b43 00002041 0100 0200 01 00 01 01") + emptyScope + emptyScope + emptyScope
                  + emptyScope);
    EXPECT_EQ(registered("EyepiecesPref"),
              hex("0000a040 00004842  00002041 00004842  0000a041 00004842  00002042 00004842")
                  + QByteArray(40, '\0') + hex("00004842 0000c842"));
}

TEST_F(PrefRecordsTest, FreshInstallationOffersTheSampleTelescopeAndEyepieces)
{
    PrefControl& prefs = launch();
    const scope& sample = prefs.scopes()[0];
    EXPECT_EQ(sample.scopeFL, 2000.0f);
    EXPECT_EQ(sample.scopeAP, 203.2f);
    EXPECT_EQ(sample.finderFOV, 10.0f);
    EXPECT_EQ(sample.mountProtocol, 1);
    EXPECT_EQ(sample.finderType, 2);
    EXPECT_EQ(sample.isRevEW, 1);
    EXPECT_EQ(sample.isRevNS, 0);
    for (int i = 1; i < 5; ++i) {
        EXPECT_EQ(prefs.scopes()[i].scopeFL, 0.0f);
        EXPECT_EQ(prefs.scopes()[i].isFLmm, 1);
        EXPECT_EQ(prefs.scopes()[i].isAPmm, 1);
    }
    EXPECT_EQ(prefs.scopeNamesArray(), (QStringList{"Sample 8\" SCT", "", "", "", ""}));
    EXPECT_EQ(prefs.eyepieces()[3].eyeFL, 40.0f);
    EXPECT_EQ(prefs.eyepieces()[4].eyeFL, 0.0f);
    EXPECT_EQ(prefs.eyepieces()[9].eyeFL, 50.0f);
    EXPECT_EQ(prefs.eyepieces()[9].eyeFOV, 100.0f);
    for (const site& s : prefs.sites()) {
        EXPECT_EQ(s.latitude, 0.0f);
        EXPECT_EQ(s.longitude, 0.0f);
    }
    EXPECT_EQ(prefs.siteNamesArray(), QStringList(5, "Undefined"));
    EXPECT_EQ(prefs.siteTZNamesArray(), QStringList(5, "Undefined"));
    EXPECT_EQ(prefs.currentDSLR(), 0);
    EXPECT_FALSE(prefs.isFlipOutline());
}

TEST_F(PrefRecordsTest, StoredBlocksOfTheWrongLengthAreCutOrZeroFilled)
{
    seed({{"SitesPref", hex("00004842 0000c0c0 0000")}, {"EyepiecesPref", QByteArray(500, '\x7f')},
          {"ScopesPref", QByteArray()}});
    PrefControl& prefs = launch();
    EXPECT_EQ(prefs.sites()[0].latitude, 50.0f);
    EXPECT_EQ(prefs.sites()[0].longitude, -6.0f);
    EXPECT_EQ(prefs.sites()[1].latitude, 0.0f);
    EXPECT_EQ(prefs.latitude(), 50.0);
    EXPECT_EQ(std::memcmp(prefs.eyepieces().data(), QByteArray(80, '\x7f').constData(), 80), 0);
    EXPECT_EQ(prefs.scopes()[0].scopeFL, 0.0f);
}

TEST_F(PrefRecordsTest, SaveSitesWritesItsBlockAndBothLists)
{
    PrefControl& prefs = launch();
    prefs.sites()[2] = {51.5f, -0.25f};
    const auto before = storedValues();
    prefs.saveSites();
    const auto after = storedValues();
    EXPECT_EQ(changedKeys(before, after),
              (QStringList{"SiteNamesArrayPref", "SiteTimeZoneNamesArrayPref", "SitesPref"}));
    const QByteArray block = after.value("SitesPref").toByteArray();
    ASSERT_EQ(block.size(), 40);
    EXPECT_EQ(block.mid(16, 8), hex("0000 4e42 0000 80be"));
    EXPECT_EQ(after.value("SiteNamesArrayPref").toString(),
              QStringLiteral(R"(["Undefined","Undefined","Undefined","Undefined","Undefined"])"));
}

TEST_F(PrefRecordsTest, SaveScopesWritesItsBlockNamesAndMountFlags)
{
    PrefControl& prefs = launch();
    prefs.scopes()[1] = scope{1200.0f, 150.0f, 6.0f, 13, 1, 0, 1, 0, 1};
    const auto before = storedValues();
    prefs.saveScopes();
    const auto after = storedValues();
    EXPECT_EQ(changedKeys(before, after), (QStringList{"RetainScopePollingPref", "ScopeAltAzPref",
                                                       "ScopeNamesArrayPref", "ScopesPref"}));
    const QByteArray block = after.value("ScopesPref").toByteArray();
    ASSERT_EQ(block.size(), 100);
    EXPECT_EQ(block.mid(20, 20), hex("00009644 00001643 0000c040 0d00 0100 00 01 00 01"));
    EXPECT_EQ(after.value("RetainScopePollingPref").toString(), QStringLiteral("NO"));
}

TEST_F(PrefRecordsTest, SaveEyepiecesWritesItsBlockCameraAndOutlineFlags)
{
    PrefControl& prefs = launch();
    prefs.eyepieces()[4] = {25.0f, 68.0f};
    const auto before = storedValues();
    prefs.saveEyepieces();
    const auto after = storedValues();
    EXPECT_EQ(changedKeys(before, after),
              (QStringList{"DSLRPref", "EyepiecesPref", "FlipEWOutlinePref", "FlipOutlinePref"}));
    const QByteArray block = after.value("EyepiecesPref").toByteArray();
    ASSERT_EQ(block.size(), 80);
    EXPECT_EQ(block.mid(32, 8), hex("0000c841 00008842"));
    EXPECT_EQ(after.value("DSLRPref").toString(), QStringLiteral("0"));
}

TEST_F(PrefRecordsTest, SavedRecordsAreReadAtTheNextLaunch)
{
    {
        PrefControl& prefs = launch();
        prefs.sites()[0] = {-33.9f, 18.4f};
        prefs.saveSites();
    }
    const PrefControl& next = launch();
    EXPECT_EQ(next.sites()[0].latitude, -33.9f);
    EXPECT_EQ(next.latitude(), double(-33.9f));
    EXPECT_EQ(next.longitude(), double(18.4f));
}

}  // namespace
