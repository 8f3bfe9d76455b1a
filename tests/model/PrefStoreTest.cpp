#include "TempSettings.h"

#include "model/prefs/PrefStore.h"

#include <QTimeZone>

#include <cstring>
#include <set>

namespace {

// Keys sharing one type and default; fonts as "face/points", some blocks as their length.
struct DefaultGroup {
    PrefType type;
    QVariant value;
    std::vector<const char*> keys;
};

QColor rgb(float r, float g, float b, float a = 1.0f) { return QColor::fromRgbF(r, g, b, a); }

// Every registered key with its default, spelt as the program always has
// ("AllSkyExpShedulePref", "GridlabelFontPref", "angleSepColorPref", "DomerPref").
const std::vector<DefaultGroup>& expectedDefaults()
{
    using T = PrefType;
    static const std::vector<DefaultGroup> table = {
        {T::Bool, true,
         {"ShowToolbarPref", "MetricPref", "TransparentPref", "TwilightPref", "ToolTipsPref", "HideSkyPref",
          "HideSVPref", "HideScopePref", "HideSSPref", "HideWebcamPref", "HideFocuserPref", "HideDomePref",
          "StarAntiAliasPref", "ShowOpenClusterPref", "ShowGlobularClusterPref", "ShowGalaxyPref",
          "ShowNebulaPref", "ShowBestPref", "ShowDSONamePref", "ShowDSOMessierPref", "ShowDSONGCPref",
          "PlanetNamesPref", "DeepSkyNamesPref", "ConstellationsPref", "AllSkyUTCDatePref", "AllSkySecDatePref",
          "DomeShutterPref", "DomeDirectionPref"}},
        {T::Bool, false,
         {"VersionCheckPref", "RunRealTimePref", "TimePanelPref", "DirectionPanelPref", "RedCursorPref",
          "HideCNamesPref", "AstroplannerPref", "PrecessionPref", "ExtConnectPref", "DSSCachePref",
          "StarDoublePref", "StarAdvancedPref", "StarVariablePref", "StarPlanetPref", "ShowCometPref",
          "ShowMPPref", "ShowNEOPref", "ShowCaldwellPref", "ShowHerschelPref", "ShowHerschelIIPref",
          "ShowArpPref", "ShowAdvancedPref", "ShowMessierPref", "ShowAllPref", "ShowOtherPref", "StarNamesPref",
          "CometNamesPref", "BoundariesPref", "RA_DecPref", "Alt_AzPref", "EclipticPref", "EquatorPref",
          "MilkyWayPref", "PathPref", "PhotoPref", "BelowPref", "MistPref", "MeteorPref", "MythPref",
          "MeridianPref", "OutlinesPref", "CustomHorizonPref", "RetainScopePollingPref", "ScopeAltAzPref",
          "FlipOutlinePref", "FlipEWOutlinePref", "GeminiACPref", "MeadeACPref", "NexStarACPref",
          "JMIBacklashPref", "DomeGEMPref", "DomeSetupPref", "DomeI5V1Pref", "DomeI5V2Pref", "DomeI5V3Pref",
          "DomeI5V4Pref"}},
        {T::Integer, 0,
         {"InfoPanel1Pref", "InfoPanel2Pref", "InfoPanel3Pref", "InfoPanel4Pref", "InfoPanel5Pref",
          "InfoPanel6Pref", "CustomFilterIndexPref", "DSLRPref", "JMIBacklashValuePref", "AllSkyCodecDatePref",
          "AllSkyPosnDatePref", "DomeTicksPref", "DomeOverPref"}},
        {T::Integer, 1, {"OptecFineSpeedPref", "FCUSBPWMPref", "FCUSB2PWMPref"}},
        {T::Integer, 2, {"DomeBaudPref"}}, {T::Integer, 14, {"CanonExpIndexPref"}},
        {T::Integer, 25, {"OptecSlowSpeedPref"}},
        {T::Integer, 125, {"OptecMedSpeedPref", "FCUSBSpeedPref", "FCUSB2SpeedPref"}},
        {T::Integer, 200, {"OptecFastSpeedPref"}}, {T::Integer, 1024, {"AllSkyQualityDatePref"}},
        {T::Integer, 9600, {"GeminiBaudPref", "SG4BaudPref"}},
        {T::Integer, 65535, {"JMIMaxValuePref", "MoonMaxPref"}},
        {T::Float, 0.0,
         {"StarShiftValPref", "RoboTempSlopePref", "MoonSlopePref", "AllSkyExpShedulePref",
          "AllSkyDarkShedulePref", "AllSkyHeatOnPref", "AllSkyHeatOffPref"}},
        {T::Float, 0.25, {"StarColorValPref"}}, {T::Float, 0.75, {"StarBrightValPref"}},
        {T::Float, 1.0, {"JMISlowAdjPref", "JMIFastAdjPref", "JMIIOAdjPref"}},
        {T::Float, 5.0, {"ScopePollRatePref", "DomeDeltaPref"}},
        {T::Float, 6.5, {"StarMagLimitPref"}},
        {T::Float, 12.0, {"DeepSkyMagLimitPref", "PlanetMagLimitPref"}},
        {T::Float, 12.5, {"StarSVMagLimitPref"}},
        {T::Float, 16.0, {"CometMagLimitPref", "MPMagLimitPref"}},
        {T::Float, 30.0, {"AllSkyFPSDatePref"}}, {T::Float, 45.0, {"AltitudePref"}},
        {T::Float, 51.0, {"ArrowSpeedPref"}}, {T::Float, 60.0, {"DomeFreqPref"}},
        {T::Float, 75.0, {"PathPercentPref"}}, {T::Float, 120.0, {"ViewAnglePref"}},
        {T::Float, 180.0, {"AzimuthPref"}}, {T::Float, 200.0, {"PathDaysPref"}},
        {T::Double, 0.0,
         {"DomeXPref", "DomeYPref", "DomeZPref", "DomeRPref", "DomerPref", "DomeFlipPref", "DomeHomePref"}},
        {T::String, QStringLiteral("0.00.0"), {"VersionPref"}}, {T::String, QString(42, u'-'), {"ShortcutPref"}},
        {T::String, QStringLiteral("0:0:0.0:+0:0:0.0"), {"SVSavePosnPref"}},
        {T::String, QStringLiteral("4030"), {"WiFiPortPref"}},
        {T::String, QStringLiteral(" "), {"CanonImageFilePref", "CanonMovieFilePref"}},
        {T::String, QStringLiteral("192.168.1.100"), {"WiFiIPPref"}},
        {T::Date, QDateTime(QDate(2024, 3, 1), QTime(22, 0), QTimeZone("Europe/Berlin")), {"StartupTimePref"}},
        {T::StringArray, QStringList(5, QStringLiteral("Undefined")),
         {"SiteNamesArrayPref", "SiteTimeZoneNamesArrayPref"}},
        {T::StringArray, QStringList{"Sample 8\" SCT", "", "", "", ""}, {"ScopeNamesArrayPref"}},
        {T::StringArray, QStringList(89, QStringLiteral("NO")) << QStringLiteral("YES"), {"MythArrayPref"}},
        {T::Data, QByteArray(10, '\0'), {"PhotoDegreeAdjPref"}},
        {T::Data, QByteArray(20, '\0'), {"PhotoDirAdjPref", "PhotoElevAdjPref", "PhotoBrightAdjPref"}},
        {T::Data, QByteArray(40, '\0'), {"SitesPref"}}, {T::Data, 80, {"EyepiecesPref"}},
        {T::Data, 100, {"ScopesPref"}},
        {T::Color, rgb(0.08f, 0.25f, 0.25f), {"ConstellationColorPref"}},
        {T::Color, rgb(0.11f, 0.35f, 0.35f), {"ConstellationNameColorPref"}},
        {T::Color, rgb(0.08f, 0.08f, 0.31f), {"ConstellationBoundaryColorPref"}},
        {T::Color, rgb(0.31f, 0.56f, 0.57f), {"PlanetNameColorPref"}},
        {T::Color, rgb(0.32f, 0.42f, 0.45f), {"StarNameColorPref"}},
        {T::Color, rgb(0.4f, 0.4f, 0.35f), {"DeepSkyNameColorPref"}},
        {T::Color, rgb(0.18f, 0.18f, 0.04f), {"GridLinesColorPref", "GridLabelColorPref"}},
        {T::Color, rgb(0.25f, 0.23f, 0.05f), {"EclipticColorPref"}},
        {T::Color, rgb(0.05f, 0.08f, 0.0f), {"HorizonColorPref"}},
        {T::Color, rgb(0.45f, 0.45f, 0.45f), {"CometNameColorPref"}},
        {T::Color, rgb(0.0f, 0.2f, 0.0f), {"ScopeViewGridColorPref"}},
        {T::Color, rgb(0.18f, 0.18f, 0.18f), {"HorizonLabelColorPref"}},
        {T::Color, rgb(0.0f, 0.7f, 0.0f), {"angleSepColorPref"}},
        {T::Color, rgb(0.35f, 0.35f, 0.35f), {"PathColorPref"}},
        {T::Color, rgb(0.75f, 0.75f, 0.75f), {"MilkyWayColorPref"}},
        {T::Color, rgb(0.48f, 0.6f, 0.75f), {"MythColorPref"}},
        {T::Color, rgb(1.0f, 0.0f, 0.0f), {"NomadMagColorPref"}},
        {T::Color, rgb(1.0f, 0.0f, 0.0f, 0.75f), {"NomadGridColorPref"}},
        {T::Color, rgb(1.0f, 1.0f, 1.0f, 0.75f), {"AllSkyDateColorPref"}},
        {T::Color, rgb(0.65f, 0.56f, 0.01f),
         {"GalaxyColorPref", "GlobularColorPref", "OpenColorPref", "NebulaColorPref"}},
        {T::Color, rgb(0.65f, 0.65f, 0.65f), {"CometColorPref", "MinorPlanetColorPref", "NEOColorPref"}},
        {T::Font, QStringLiteral("Lucida Grande Bold/12"),
         {"HorizonLabelFontPref", "ConstellationNameFontPref", "ConstellationPrintFontPref"}},
        {T::Font, QStringLiteral("Lucida Grande Bold/10"),
         {"PlanetNameFontPref", "DeepSkyNameFontPref", "PlanetPrintFontPref", "DeepSkyPrintFontPref"}},
        {T::Font, QStringLiteral("Geneva/9"),
         {"StarNameFontPref", "CometNameFontPref", "GridlabelFontPref", "PathLabelFontPref",
          "AngleSepLabelFontPref", "NomadMagFontPref", "AllSkyDateFontPref", "StarPrintFontPref",
          "CometPrintFontPref"}},
    };
    return table;
}

QString faceName(const QFont& font)
{
    return font.family() + (font.bold() ? QStringLiteral(" Bold") : QString()) + u'/'
         + QString::number(font.pointSizeF());
}

class PrefStoreTest : public TempSettings {
protected:
    QDateTime launch = QDateTime(QDate(2024, 3, 1), QTime(9, 30), QTimeZone("Europe/Berlin"));
};

TEST_F(PrefStoreTest, FreshStoreRegistersAndReadsEveryDefault)
{
    PrefStore store(launch);
    std::set<QString> registered, expected;
    for (const PrefDefault& entry : PrefDefaults::registration(launch))
        registered.insert(entry.key);
    for (const DefaultGroup& group : expectedDefaults()) {
        for (const char* name : group.keys) {
            const QString key = QString::fromLatin1(name);
            SCOPED_TRACE(name);
            expected.insert(key);
            const PrefDefault* entry = store.registered(key);
            ASSERT_NE(entry, nullptr);
            EXPECT_EQ(entry->type, group.type);
            const QVariant& value = group.value;
            switch (group.type) {
            case PrefType::Bool: EXPECT_EQ(store.readBool(key), value.toBool()); break;
            case PrefType::Integer: EXPECT_EQ(store.readInteger(key), value.toLongLong()); break;
            case PrefType::Float: EXPECT_EQ(store.readFloat(key), value.toFloat()); break;
            case PrefType::Double: EXPECT_EQ(store.readDouble(key), value.toDouble()); break;
            case PrefType::String: EXPECT_EQ(store.readString(key), value.toString()); break;
            case PrefType::Color: EXPECT_EQ(store.readColor(key), value.value<QColor>()); break;
            case PrefType::Font: EXPECT_EQ(faceName(store.readFont(key)), value.toString()); break;
            case PrefType::Date: EXPECT_EQ(store.readDate(key), value.toDateTime()); break;
            case PrefType::StringArray: EXPECT_EQ(store.readStringArray(key), value.toStringList()); break;
            case PrefType::Data:  // the telescope and eyepiece blocks are compared byte for byte apart
                if (value.typeId() == QMetaType::Int) {
                    EXPECT_EQ(store.readData(key).size(), value.toInt());
                } else {
                    EXPECT_EQ(store.readData(key), value.toByteArray());
                }
                break;
            }
        }
    }
    EXPECT_EQ(expected.size(), 209u);
    EXPECT_EQ(registered, expected);
    EXPECT_EQ(PrefDefaults::registration(launch).size(), 209u) << "a key is registered twice";
    for (const char* other : {"AllSkyExpSchedulePref", "GridLabelFontPref", "AngleSepColorPref", "PhotoHorizonPref"})
        EXPECT_EQ(store.registered(QString::fromLatin1(other)), nullptr) << other;
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
