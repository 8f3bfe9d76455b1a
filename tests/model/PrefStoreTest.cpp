#include "TempSettings.h"

#include "model/prefs/PrefStore.h"

#include <QTimeZone>

#include <cstring>
#include <set>

namespace {

QColor rgb(float r, float g, float b, float a = 1.0f) { return QColor::fromRgbF(r, g, b, a); }

QString faceName(const QFont& font)
{
    return font.family() + (font.bold() ? QStringLiteral(" Bold") : QString()) + u'/'
         + QString::number(font.pointSizeF());
}

class PrefStoreTest : public TempSettings {
protected:
    QDateTime launch = QDateTime(QDate(2024, 3, 1), QTime(9, 30), QTimeZone("Europe/Berlin"));
};

// Every registered default as the store reads it back, one line per value:
// its form (b boolean, i integer, f float, d double, s string, c colour
// "r g b a", n font "face/points", z that many zero bytes, x a block of that
// many bytes), the value, then its keys, spelt as users' files have them;
// indented lines carry on the keys. The date and the lists follow apart.
const char* const kDefaults = R"(
b YES | ShowToolbarPref MetricPref TransparentPref TwilightPref ToolTipsPref HideSkyPref HideSVPref
    HideScopePref HideSSPref HideWebcamPref HideFocuserPref HideDomePref StarAntiAliasPref
    ShowOpenClusterPref ShowGlobularClusterPref ShowGalaxyPref ShowNebulaPref ShowBestPref
    ShowDSONamePref ShowDSOMessierPref ShowDSONGCPref PlanetNamesPref DeepSkyNamesPref
    ConstellationsPref AllSkyUTCDatePref AllSkySecDatePref DomeShutterPref DomeDirectionPref
b NO | VersionCheckPref RunRealTimePref TimePanelPref DirectionPanelPref RedCursorPref HideCNamesPref
    AstroplannerPref PrecessionPref ExtConnectPref DSSCachePref StarDoublePref StarAdvancedPref
    StarVariablePref StarPlanetPref ShowCometPref ShowMPPref ShowNEOPref ShowCaldwellPref
    ShowHerschelPref ShowHerschelIIPref ShowArpPref ShowAdvancedPref ShowMessierPref ShowAllPref
    ShowOtherPref StarNamesPref CometNamesPref BoundariesPref RA_DecPref Alt_AzPref EclipticPref
    EquatorPref MilkyWayPref PathPref PhotoPref BelowPref MistPref MeteorPref MythPref MeridianPref
    OutlinesPref CustomHorizonPref RetainScopePollingPref ScopeAltAzPref FlipOutlinePref
    FlipEWOutlinePref GeminiACPref MeadeACPref NexStarACPref JMIBacklashPref DomeGEMPref DomeSetupPref
    DomeI5V1Pref DomeI5V2Pref DomeI5V3Pref DomeI5V4Pref
i 0 | InfoPanel1Pref InfoPanel2Pref InfoPanel3Pref InfoPanel4Pref InfoPanel5Pref InfoPanel6Pref
    CustomFilterIndexPref DSLRPref JMIBacklashValuePref AllSkyCodecDatePref AllSkyPosnDatePref
    DomeTicksPref DomeOverPref
i 1 | OptecFineSpeedPref FCUSBPWMPref FCUSB2PWMPref
i 2 | DomeBaudPref
i 14 | CanonExpIndexPref
i 25 | OptecSlowSpeedPref
i 125 | OptecMedSpeedPref FCUSBSpeedPref FCUSB2SpeedPref
i 200 | OptecFastSpeedPref
i 1024 | AllSkyQualityDatePref
i 9600 | GeminiBaudPref SG4BaudPref
i 65535 | JMIMaxValuePref MoonMaxPref
f 0.0 | StarShiftValPref RoboTempSlopePref MoonSlopePref AllSkyExpShedulePref AllSkyDarkShedulePref
    AllSkyHeatOnPref AllSkyHeatOffPref
f 0.25 | StarColorValPref
f 0.75 | StarBrightValPref
f 1.0 | JMISlowAdjPref JMIFastAdjPref JMIIOAdjPref
f 5.0 | ScopePollRatePref DomeDeltaPref
f 6.5 | StarMagLimitPref
f 12.0 | DeepSkyMagLimitPref PlanetMagLimitPref
f 12.5 | StarSVMagLimitPref
f 16.0 | CometMagLimitPref MPMagLimitPref
f 30.0 | AllSkyFPSDatePref
f 45.0 | AltitudePref
f 51.0 | ArrowSpeedPref
f 60.0 | DomeFreqPref
f 75.0 | PathPercentPref
f 120.0 | ViewAnglePref
f 180.0 | AzimuthPref
f 200.0 | PathDaysPref
d 0.0 | DomeXPref DomeYPref DomeZPref DomeRPref DomerPref DomeFlipPref DomeHomePref
s 0.00.0 | VersionPref
s ------------------------------------------ | ShortcutPref
s 0:0:0.0:+0:0:0.0 | SVSavePosnPref
s 4030 | WiFiPortPref
s   | CanonImageFilePref CanonMovieFilePref
s 192.168.1.100 | WiFiIPPref
z 10 | PhotoDegreeAdjPref
z 20 | PhotoDirAdjPref PhotoElevAdjPref PhotoBrightAdjPref
z 40 | SitesPref
x 80 | EyepiecesPref
x 100 | ScopesPref
c 0.08 0.25 0.25 1 | ConstellationColorPref
c 0.11 0.35 0.35 1 | ConstellationNameColorPref
c 0.08 0.08 0.31 1 | ConstellationBoundaryColorPref
c 0.31 0.56 0.57 1 | PlanetNameColorPref
c 0.32 0.42 0.45 1 | StarNameColorPref
c 0.4 0.4 0.35 1 | DeepSkyNameColorPref
c 0.18 0.18 0.04 1 | GridLinesColorPref GridLabelColorPref
c 0.25 0.23 0.05 1 | EclipticColorPref
c 0.05 0.08 0.0 1 | HorizonColorPref
c 0.45 0.45 0.45 1 | CometNameColorPref
c 0.0 0.2 0.0 1 | ScopeViewGridColorPref
c 0.18 0.18 0.18 1 | HorizonLabelColorPref
c 0.0 0.7 0.0 1 | angleSepColorPref
c 0.35 0.35 0.35 1 | PathColorPref
c 0.75 0.75 0.75 1 | MilkyWayColorPref
c 0.48 0.6 0.75 1 | MythColorPref
c 1.0 0.0 0.0 1 | NomadMagColorPref
c 1.0 0.0 0.0 0.75 | NomadGridColorPref
c 1.0 1.0 1.0 0.75 | AllSkyDateColorPref
c 0.65 0.56 0.01 1 | GalaxyColorPref GlobularColorPref OpenColorPref NebulaColorPref
c 0.65 0.65 0.65 1 | CometColorPref MinorPlanetColorPref NEOColorPref
n Lucida Grande Bold/12 | HorizonLabelFontPref ConstellationNameFontPref ConstellationPrintFontPref
n Lucida Grande Bold/10 | PlanetNameFontPref DeepSkyNameFontPref PlanetPrintFontPref
    DeepSkyPrintFontPref
n Geneva/9 | StarNameFontPref CometNameFontPref GridlabelFontPref PathLabelFontPref
    AngleSepLabelFontPref NomadMagFontPref AllSkyDateFontPref StarPrintFontPref CometPrintFontPref
)";

TEST_F(PrefStoreTest, FreshStoreRegistersEveryKeyOnceAndReadsItsDefault)
{
    PrefStore store(launch);
    std::set<QString> registered, listed;
    for (const PrefDefault& entry : PrefDefaults::registration(launch))
        EXPECT_TRUE(registered.insert(entry.key).second) << entry.key.toStdString() << " registered twice";
    QString form, value;
    for (const QString& line : QString::fromLatin1(kDefaults).split(u'\n', Qt::SkipEmptyParts)) {
        if (!line.startsWith(u' ')) {
            form = line.left(1);
            value = line.mid(2, line.indexOf(QLatin1String(" | ")) - 2);
        }
        for (const QString& key : line.mid(line.indexOf(u'|') + 1).split(u' ', Qt::SkipEmptyParts)) {
            SCOPED_TRACE(key.toStdString());
            listed.insert(key);
            ASSERT_NE(store.registered(key), nullptr);
            const QStringList parts = value.split(u' ');
            if (form == "b") EXPECT_EQ(store.readBool(key), value == "YES");
            if (form == "i") EXPECT_EQ(store.readInteger(key), value.toLongLong());
            if (form == "f") EXPECT_EQ(store.readFloat(key), value.toFloat());
            if (form == "d") EXPECT_EQ(store.readDouble(key), value.toDouble());
            if (form == "s") EXPECT_EQ(store.readString(key), value);
            if (form == "c") EXPECT_EQ(store.readColor(key), rgb(parts[0].toFloat(), parts[1].toFloat(),
                                                                 parts[2].toFloat(), parts[3].toFloat()));
            if (form == "n") EXPECT_EQ(faceName(store.readFont(key)), value);
            if (form == "z") EXPECT_EQ(store.readData(key), QByteArray(value.toInt(), '\0'));
            if (form == "x") EXPECT_EQ(store.readData(key).size(), value.toInt());
        }
    }
    EXPECT_EQ(store.readDate("StartupTimePref"),
              QDateTime(QDate(2024, 3, 1), QTime(22, 0), QTimeZone("Europe/Berlin")));
    for (const char* key : {"SiteNamesArrayPref", "SiteTimeZoneNamesArrayPref"})
        EXPECT_EQ(store.readStringArray(key), QStringList(5, QStringLiteral("Undefined")));
    EXPECT_EQ(store.readStringArray("ScopeNamesArrayPref"), (QStringList{"Sample 8\" SCT", "", "", "", ""}));
    EXPECT_EQ(store.readStringArray("MythArrayPref"), QStringList(89, QStringLiteral("NO")) << QStringLiteral("YES"));
    for (const char* key : {"StartupTimePref", "SiteNamesArrayPref", "SiteTimeZoneNamesArrayPref",
                            "ScopeNamesArrayPref", "MythArrayPref"})
        listed.insert(QString::fromLatin1(key));
    EXPECT_EQ(registered.size(), 209u);
    EXPECT_EQ(listed, registered);
    EXPECT_EQ(store.registered(QStringLiteral("PhotoHorizonPref")), nullptr);
}

TEST_F(PrefStoreTest, RemovingAKeyRestoresItsDefault)
{
    PrefStore store(launch);
    store.writeBool("ToolTipsPref", false);
    store.writeInteger("AllSkyQualityDatePref", 512);
    store.writeColor("MythColorPref", Qt::blue);
    store.writeData("SitesPref", QByteArray(40, 'x'));
    store.writeBool("PhotoHorizonPref", true);
    EXPECT_FALSE(store.readBool("ToolTipsPref"));
    EXPECT_TRUE(store.readBool("PhotoHorizonPref"));
    for (const char* key : {"ToolTipsPref", "AllSkyQualityDatePref", "MythColorPref", "SitesPref", "PhotoHorizonPref"})
        store.remove(key);
    EXPECT_TRUE(store.readBool("ToolTipsPref"));
    EXPECT_EQ(store.readInteger("AllSkyQualityDatePref"), 1024);
    EXPECT_EQ(store.readColor("MythColorPref"), rgb(0.48f, 0.6f, 0.75f));
    EXPECT_EQ(store.readData("SitesPref"), QByteArray(40, '\0'));
    EXPECT_FALSE(store.readBool("PhotoHorizonPref"));  // unregistered: reads NO
    EXPECT_FALSE(storedValues().contains("ToolTipsPref"));
}

TEST_F(PrefStoreTest, WritesEachTypeInItsTextForm)
{
    {
        PrefStore store(launch);
        store.writeBool("MetricPref", false);
        store.writeBool("StarNamesPref", true);
        store.writeInteger("DomeOverPref", -5);
        store.writeFloat("StarMagLimitPref", float(6.55));
        store.writeDouble("DomerPref", 0.1);
        store.writeDouble("DomeRPref", 2.5);
        store.writeColor("PathColorPref", rgb(0.0f, 1.0f, 1.0f, 0.5f));
        store.writeFont("StarNameFontPref", QFont(QStringLiteral("DejaVu Sans"), 11));
        store.writeStringArray("SiteNamesArrayPref", {QStringLiteral("Home, \"the\" garden"), "B"});
        store.writeData("EyepiecesPref", QByteArray("\x00\x01\xff", 3));
    }
    const QMap<QString, QVariant> expected = {
        {"MetricPref", "NO"}, {"StarNamesPref", "YES"}, {"DomeOverPref", "-5"}, {"StarMagLimitPref", "6.55"},
        {"DomerPref", "0.1"}, {"DomeRPref", "2.5"}, {"PathColorPref", "0 1 1 0.5000076"},
        {"StarNameFontPref", "DejaVu Sans;11;regular"}, {"SiteNamesArrayPref", R"(["Home, \"the\" garden","B"])"},
        {"EyepiecesPref", QByteArray("\x00\x01\xff", 3)}};
    const auto stored = storedValues();
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        EXPECT_EQ(stored.value(it.key()), it.value()) << it.key().toStdString();

    PrefStore reopened(launch);
    EXPECT_EQ(reopened.readStringArray("SiteNamesArrayPref"), (QStringList{"Home, \"the\" garden", "B"}));
    EXPECT_EQ(reopened.readFont("StarNameFontPref").family(), QStringLiteral("DejaVu Sans"));
    EXPECT_NEAR(double(reopened.readFloat("StarMagLimitPref")), 6.5500001907, 1e-10);
    EXPECT_EQ(reopened.readDouble("DomerPref"), 0.1);  // distinct from "DomeRPref"
    EXPECT_EQ(reopened.readDouble("DomeRPref"), 2.5);
}

TEST_F(PrefStoreTest, UndecodableValuesReadAsDefaultsOrZero)
{
    seed({{"ConstellationColorPref", "red"}, {"NomadGridColorPref", "1 0 0 1.5"},
          {"StarNameFontPref", "Geneva;-3;regular"}, {"PlanetNameFontPref", "garbage"},
          {"StartupTimePref", "yesterday"}, {"SiteNamesArrayPref", "[1,2]"}, {"MythArrayPref", "{not json"},
          {"StarMagLimitPref", "bright"}, {"ShowGalaxyPref", "maybe"}, {"DSLRPref", ""},
          {"AltitudePref", "30.5 degrees"}});
    PrefStore store(launch);
    EXPECT_EQ(store.readColor("ConstellationColorPref"), rgb(0.08f, 0.25f, 0.25f));
    EXPECT_EQ(store.readColor("NomadGridColorPref"), rgb(1.0f, 0.0f, 0.0f, 0.75f));
    EXPECT_EQ(faceName(store.readFont("StarNameFontPref")), QStringLiteral("Geneva/9"));
    EXPECT_EQ(faceName(store.readFont("PlanetNameFontPref")), QStringLiteral("Lucida Grande Bold/10"));
    EXPECT_EQ(store.readDate("StartupTimePref").time(), QTime(22, 0));
    EXPECT_EQ(store.readStringArray("SiteNamesArrayPref"), QStringList(5, QStringLiteral("Undefined")));
    EXPECT_EQ(store.readStringArray("MythArrayPref").size(), 90);
    EXPECT_EQ(store.readFloat("StarMagLimitPref"), 0.0f);
    EXPECT_FALSE(store.readBool("ShowGalaxyPref"));
    EXPECT_EQ(store.readInteger("DSLRPref"), 0);
    EXPECT_EQ(store.readFloat("AltitudePref"), 30.5f);
}

TEST_F(PrefStoreTest, BlocksOfTheWrongLengthNeverOverrun)
{
    PrefStore store(launch);
    std::array<site, 5> sites;
    sites.fill({9.0f, 9.0f});
    store.writeData("SitesPref", QByteArray("\x00\x00\x80\x3f", 4));  // 1.0f, then nothing
    store.readRecords("SitesPref", sites);
    EXPECT_EQ(sites[0].latitude, 1.0f);
    EXPECT_EQ(std::memcmp(&sites[0].longitude, QByteArray(36, '\0').constData(), 36), 0);
    store.writeData("SitesPref", QByteArray(400, '\x01'));
    store.readRecords("SitesPref", sites);
    EXPECT_EQ(std::memcmp(sites.data(), QByteArray(40, '\x01').constData(), 40), 0);
}

}  // namespace
