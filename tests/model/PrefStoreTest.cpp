#include "TempSettings.h"

#include "model/prefs/PrefStore.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QTimeZone>

#include <cstring>
#include <set>

namespace {

struct ExpectedDefault {
    const char* key;
    PrefType type;
    QVariant value;  // fonts as "face name/points"; blocks as their length; none where checked apart
};

// Every registered key with its default, exactly as the program has always spelt it
// ("AllSkyExpShedulePref", "GridlabelFontPref", "angleSepColorPref",
// "DomerPref" beside "DomeRPref").
const std::vector<ExpectedDefault>& expectedDefaults()
{
    static const std::vector<ExpectedDefault> table = {
        {"VersionPref", PrefType::String, QStringLiteral("0.00.0")},
        {"AltitudePref", PrefType::Float, 45.0},
        {"AzimuthPref", PrefType::Float, 180.0},
        {"ViewAnglePref", PrefType::Float, 120.0},
        {"ArrowSpeedPref", PrefType::Float, 51.0},
        {"StartupTimePref", PrefType::Date, QVariant()},
        {"VersionCheckPref", PrefType::Bool, false},
        {"ShowToolbarPref", PrefType::Bool, true},
        {"MetricPref", PrefType::Bool, true},
        {"TransparentPref", PrefType::Bool, true},
        {"TwilightPref", PrefType::Bool, true},
        {"ToolTipsPref", PrefType::Bool, true},
        {"RunRealTimePref", PrefType::Bool, false},
        {"TimePanelPref", PrefType::Bool, false},
        {"DirectionPanelPref", PrefType::Bool, false},
        {"RedCursorPref", PrefType::Bool, false},
        {"HideCNamesPref", PrefType::Bool, false},
        {"AstroplannerPref", PrefType::Bool, false},
        {"PrecessionPref", PrefType::Bool, false},
        {"ExtConnectPref", PrefType::Bool, false},
        {"DSSCachePref", PrefType::Bool, false},
        {"ShortcutPref", PrefType::String, QString(42, u'-')},
        {"SVSavePosnPref", PrefType::String, QStringLiteral("0:0:0.0:+0:0:0.0")},
        {"InfoPanel1Pref", PrefType::Integer, 0},
        {"InfoPanel2Pref", PrefType::Integer, 0},
        {"InfoPanel3Pref", PrefType::Integer, 0},
        {"InfoPanel4Pref", PrefType::Integer, 0},
        {"InfoPanel5Pref", PrefType::Integer, 0},
        {"InfoPanel6Pref", PrefType::Integer, 0},
        {"HideSkyPref", PrefType::Bool, true},
        {"HideSVPref", PrefType::Bool, true},
        {"HideScopePref", PrefType::Bool, true},
        {"HideSSPref", PrefType::Bool, true},
        {"HideWebcamPref", PrefType::Bool, true},
        {"HideFocuserPref", PrefType::Bool, true},
        {"HideDomePref", PrefType::Bool, true},
        {"StarMagLimitPref", PrefType::Float, 6.5},
        {"StarSVMagLimitPref", PrefType::Float, 12.5},
        {"CometMagLimitPref", PrefType::Float, 16.0},
        {"MPMagLimitPref", PrefType::Float, 16.0},
        {"DeepSkyMagLimitPref", PrefType::Float, 12.0},
        {"PlanetMagLimitPref", PrefType::Float, 12.0},
        {"StarColorValPref", PrefType::Float, 0.25},
        {"StarBrightValPref", PrefType::Float, 0.75},
        {"StarShiftValPref", PrefType::Float, 0.0},
        {"StarDoublePref", PrefType::Bool, false},
        {"StarAdvancedPref", PrefType::Bool, false},
        {"StarVariablePref", PrefType::Bool, false},
        {"StarPlanetPref", PrefType::Bool, false},
        {"StarAntiAliasPref", PrefType::Bool, true},
        {"ShowOpenClusterPref", PrefType::Bool, true},
        {"ShowGlobularClusterPref", PrefType::Bool, true},
        {"ShowGalaxyPref", PrefType::Bool, true},
        {"ShowNebulaPref", PrefType::Bool, true},
        {"ShowCometPref", PrefType::Bool, false},
        {"ShowMPPref", PrefType::Bool, false},
        {"ShowNEOPref", PrefType::Bool, false},
        {"CustomFilterIndexPref", PrefType::Integer, 0},
        {"ShowCaldwellPref", PrefType::Bool, false},
        {"ShowHerschelPref", PrefType::Bool, false},
        {"ShowHerschelIIPref", PrefType::Bool, false},
        {"ShowArpPref", PrefType::Bool, false},
        {"ShowBestPref", PrefType::Bool, true},
        {"ShowAdvancedPref", PrefType::Bool, false},
        {"ShowMessierPref", PrefType::Bool, false},
        {"ShowAllPref", PrefType::Bool, false},
        {"ShowOtherPref", PrefType::Bool, false},
        {"ShowDSONamePref", PrefType::Bool, true},
        {"ShowDSOMessierPref", PrefType::Bool, true},
        {"ShowDSONGCPref", PrefType::Bool, true},
        {"StarNamesPref", PrefType::Bool, false},
        {"PlanetNamesPref", PrefType::Bool, true},
        {"CometNamesPref", PrefType::Bool, false},
        {"DeepSkyNamesPref", PrefType::Bool, true},
        {"ConstellationsPref", PrefType::Bool, true},
        {"BoundariesPref", PrefType::Bool, false},
        {"RA_DecPref", PrefType::Bool, false},
        {"Alt_AzPref", PrefType::Bool, false},
        {"EclipticPref", PrefType::Bool, false},
        {"EquatorPref", PrefType::Bool, false},
        {"MilkyWayPref", PrefType::Bool, false},
        {"PathPref", PrefType::Bool, false},
        {"PathDaysPref", PrefType::Float, 200.0},
        {"PathPercentPref", PrefType::Float, 75.0},
        {"PhotoPref", PrefType::Bool, false},
        {"BelowPref", PrefType::Bool, false},
        {"MistPref", PrefType::Bool, false},
        {"MeteorPref", PrefType::Bool, false},
        {"MythPref", PrefType::Bool, false},
        {"MythArrayPref", PrefType::StringArray, QVariant()},
        {"MeridianPref", PrefType::Bool, false},
        {"OutlinesPref", PrefType::Bool, false},
        {"CustomHorizonPref", PrefType::Bool, false},
        {"PhotoDirAdjPref", PrefType::Data, 20},  // bytes
        {"PhotoElevAdjPref", PrefType::Data, 20},  // bytes
        {"PhotoBrightAdjPref", PrefType::Data, 20},  // bytes
        {"PhotoDegreeAdjPref", PrefType::Data, 10},  // bytes
        {"SitesPref", PrefType::Data, 40},  // bytes
        {"SiteNamesArrayPref", PrefType::StringArray, QVariant()},
        {"SiteTimeZoneNamesArrayPref", PrefType::StringArray, QVariant()},
        {"ScopesPref", PrefType::Data, 100},  // bytes
        {"ScopeNamesArrayPref", PrefType::StringArray, QVariant()},
        {"EyepiecesPref", PrefType::Data, 80},  // bytes
        {"RetainScopePollingPref", PrefType::Bool, false},
        {"ScopeAltAzPref", PrefType::Bool, false},
        {"FlipOutlinePref", PrefType::Bool, false},
        {"FlipEWOutlinePref", PrefType::Bool, false},
        {"DSLRPref", PrefType::Integer, 0},
        {"ScopePollRatePref", PrefType::Float, 5.0},
        {"GeminiACPref", PrefType::Bool, false},
        {"MeadeACPref", PrefType::Bool, false},
        {"NexStarACPref", PrefType::Bool, false},
        {"GeminiBaudPref", PrefType::Integer, 9600},
        {"WiFiIPPref", PrefType::String, QVariant()},  // any private address
        {"WiFiPortPref", PrefType::String, QStringLiteral("4030")},
        {"OptecFineSpeedPref", PrefType::Integer, 1},
        {"OptecSlowSpeedPref", PrefType::Integer, 25},
        {"OptecMedSpeedPref", PrefType::Integer, 125},
        {"OptecFastSpeedPref", PrefType::Integer, 200},
        {"RoboTempSlopePref", PrefType::Float, 0.0},
        {"JMIMaxValuePref", PrefType::Integer, 65535},
        {"JMIBacklashValuePref", PrefType::Integer, 0},
        {"JMIBacklashPref", PrefType::Bool, false},
        {"JMISlowAdjPref", PrefType::Float, 1.0},
        {"JMIFastAdjPref", PrefType::Float, 1.0},
        {"JMIIOAdjPref", PrefType::Float, 1.0},
        {"FCUSBPWMPref", PrefType::Integer, 1},
        {"FCUSB2PWMPref", PrefType::Integer, 1},
        {"FCUSBSpeedPref", PrefType::Integer, 125},
        {"FCUSB2SpeedPref", PrefType::Integer, 125},
        {"MoonMaxPref", PrefType::Integer, 65535},
        {"MoonSlopePref", PrefType::Float, 0.0},
        {"SG4BaudPref", PrefType::Integer, 9600},
        {"AllSkyExpShedulePref", PrefType::Float, 0.0},
        {"AllSkyDarkShedulePref", PrefType::Float, 0.0},
        {"AllSkyHeatOnPref", PrefType::Float, 0.0},
        {"AllSkyHeatOffPref", PrefType::Float, 0.0},
        {"AllSkyFPSDatePref", PrefType::Float, 30.0},
        {"AllSkyCodecDatePref", PrefType::Integer, 0},
        {"AllSkyQualityDatePref", PrefType::Integer, 1024},
        {"AllSkyPosnDatePref", PrefType::Integer, 0},
        {"AllSkyUTCDatePref", PrefType::Bool, true},
        {"AllSkySecDatePref", PrefType::Bool, true},
        {"CanonImageFilePref", PrefType::String, QStringLiteral(" ")},
        {"CanonMovieFilePref", PrefType::String, QStringLiteral(" ")},
        {"CanonExpIndexPref", PrefType::Integer, 14},
        {"DomeXPref", PrefType::Double, 0.0},
        {"DomeYPref", PrefType::Double, 0.0},
        {"DomeZPref", PrefType::Double, 0.0},
        {"DomeRPref", PrefType::Double, 0.0},
        {"DomerPref", PrefType::Double, 0.0},
        {"DomeFlipPref", PrefType::Double, 0.0},
        {"DomeHomePref", PrefType::Double, 0.0},
        {"DomeTicksPref", PrefType::Integer, 0},
        {"DomeOverPref", PrefType::Integer, 0},
        {"DomeDeltaPref", PrefType::Float, 5.0},
        {"DomeFreqPref", PrefType::Float, 60.0},
        {"DomeBaudPref", PrefType::Integer, 2},
        {"DomeGEMPref", PrefType::Bool, false},
        {"DomeSetupPref", PrefType::Bool, false},
        {"DomeShutterPref", PrefType::Bool, true},
        {"DomeDirectionPref", PrefType::Bool, true},
        {"DomeI5V1Pref", PrefType::Bool, false},
        {"DomeI5V2Pref", PrefType::Bool, false},
        {"DomeI5V3Pref", PrefType::Bool, false},
        {"DomeI5V4Pref", PrefType::Bool, false},
        {"ConstellationColorPref", PrefType::Color, QColor::fromRgbF(0.08f, 0.25f, 0.25f, 1.0f)},
        {"ConstellationNameColorPref", PrefType::Color, QColor::fromRgbF(0.11f, 0.35f, 0.35f, 1.0f)},
        {"ConstellationBoundaryColorPref", PrefType::Color, QColor::fromRgbF(0.08f, 0.08f, 0.31f, 1.0f)},
        {"PlanetNameColorPref", PrefType::Color, QColor::fromRgbF(0.31f, 0.56f, 0.57f, 1.0f)},
        {"StarNameColorPref", PrefType::Color, QColor::fromRgbF(0.32f, 0.42f, 0.45f, 1.0f)},
        {"DeepSkyNameColorPref", PrefType::Color, QColor::fromRgbF(0.4f, 0.4f, 0.35f, 1.0f)},
        {"GridLinesColorPref", PrefType::Color, QColor::fromRgbF(0.18f, 0.18f, 0.04f, 1.0f)},
        {"GridLabelColorPref", PrefType::Color, QColor::fromRgbF(0.18f, 0.18f, 0.04f, 1.0f)},
        {"EclipticColorPref", PrefType::Color, QColor::fromRgbF(0.25f, 0.23f, 0.05f, 1.0f)},
        {"HorizonColorPref", PrefType::Color, QColor::fromRgbF(0.05f, 0.08f, 0.0f, 1.0f)},
        {"CometNameColorPref", PrefType::Color, QColor::fromRgbF(0.45f, 0.45f, 0.45f, 1.0f)},
        {"ScopeViewGridColorPref", PrefType::Color, QColor::fromRgbF(0.0f, 0.2f, 0.0f, 1.0f)},
        {"HorizonLabelColorPref", PrefType::Color, QColor::fromRgbF(0.18f, 0.18f, 0.18f, 1.0f)},
        {"angleSepColorPref", PrefType::Color, QColor::fromRgbF(0.0f, 0.7f, 0.0f, 1.0f)},
        {"PathColorPref", PrefType::Color, QColor::fromRgbF(0.35f, 0.35f, 0.35f, 1.0f)},
        {"MilkyWayColorPref", PrefType::Color, QColor::fromRgbF(0.75f, 0.75f, 0.75f, 1.0f)},
        {"MythColorPref", PrefType::Color, QColor::fromRgbF(0.48f, 0.6f, 0.75f, 1.0f)},
        {"NomadMagColorPref", PrefType::Color, QColor::fromRgbF(1.0f, 0.0f, 0.0f, 1.0f)},
        {"NomadGridColorPref", PrefType::Color, QColor::fromRgbF(1.0f, 0.0f, 0.0f, 0.75f)},
        {"AllSkyDateColorPref", PrefType::Color, QColor::fromRgbF(1.0f, 1.0f, 1.0f, 0.75f)},
        {"GalaxyColorPref", PrefType::Color, QColor::fromRgbF(0.65f, 0.56f, 0.01f, 1.0f)},
        {"GlobularColorPref", PrefType::Color, QColor::fromRgbF(0.65f, 0.56f, 0.01f, 1.0f)},
        {"OpenColorPref", PrefType::Color, QColor::fromRgbF(0.65f, 0.56f, 0.01f, 1.0f)},
        {"NebulaColorPref", PrefType::Color, QColor::fromRgbF(0.65f, 0.56f, 0.01f, 1.0f)},
        {"CometColorPref", PrefType::Color, QColor::fromRgbF(0.65f, 0.65f, 0.65f, 1.0f)},
        {"MinorPlanetColorPref", PrefType::Color, QColor::fromRgbF(0.65f, 0.65f, 0.65f, 1.0f)},
        {"NEOColorPref", PrefType::Color, QColor::fromRgbF(0.65f, 0.65f, 0.65f, 1.0f)},
        {"HorizonLabelFontPref", PrefType::Font, QStringLiteral("Lucida Grande Bold") + u'/' + QString::number(12)},
        {"ConstellationNameFontPref", PrefType::Font, QStringLiteral("Lucida Grande Bold") + u'/' + QString::number(12)},
        {"PlanetNameFontPref", PrefType::Font, QStringLiteral("Lucida Grande Bold") + u'/' + QString::number(10)},
        {"StarNameFontPref", PrefType::Font, QStringLiteral("Geneva") + u'/' + QString::number(9)},
        {"CometNameFontPref", PrefType::Font, QStringLiteral("Geneva") + u'/' + QString::number(9)},
        {"DeepSkyNameFontPref", PrefType::Font, QStringLiteral("Lucida Grande Bold") + u'/' + QString::number(10)},
        {"GridlabelFontPref", PrefType::Font, QStringLiteral("Geneva") + u'/' + QString::number(9)},
        {"PathLabelFontPref", PrefType::Font, QStringLiteral("Geneva") + u'/' + QString::number(9)},
        {"AngleSepLabelFontPref", PrefType::Font, QStringLiteral("Geneva") + u'/' + QString::number(9)},
        {"NomadMagFontPref", PrefType::Font, QStringLiteral("Geneva") + u'/' + QString::number(9)},
        {"AllSkyDateFontPref", PrefType::Font, QStringLiteral("Geneva") + u'/' + QString::number(9)},
        {"ConstellationPrintFontPref", PrefType::Font, QStringLiteral("Lucida Grande Bold") + u'/' + QString::number(12)},
        {"PlanetPrintFontPref", PrefType::Font, QStringLiteral("Lucida Grande Bold") + u'/' + QString::number(10)},
        {"StarPrintFontPref", PrefType::Font, QStringLiteral("Geneva") + u'/' + QString::number(9)},
        {"CometPrintFontPref", PrefType::Font, QStringLiteral("Geneva") + u'/' + QString::number(9)},
        {"DeepSkyPrintFontPref", PrefType::Font, QStringLiteral("Lucida Grande Bold") + u'/' + QString::number(10)},
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

TEST_F(PrefStoreTest, RegistersEveryKeyWithItsExactSpelling)
{
    PrefStore store(launch);
    const auto table = PrefDefaults::registration(launch);
    ASSERT_EQ(table.size(), 209u);
    ASSERT_EQ(expectedDefaults().size(), 209u);
    std::set<QString> keys;
    for (const PrefDefault& entry : table)
        keys.insert(entry.key);
    EXPECT_EQ(keys.size(), 209u) << "a key is registered twice";
    for (const ExpectedDefault& expected : expectedDefaults()) {
        const PrefDefault* entry = store.registered(QString::fromLatin1(expected.key));
        ASSERT_NE(entry, nullptr) << expected.key;
        EXPECT_EQ(entry->type, expected.type) << expected.key;
    }
    for (const char* misspelt : {"AllSkyExpShedulePref", "AllSkyDarkShedulePref", "GridlabelFontPref",
                                 "angleSepColorPref", "DomerPref", "DomeRPref", "RA_DecPref", "Alt_AzPref"})
        EXPECT_NE(store.registered(QString::fromLatin1(misspelt)), nullptr) << misspelt;
    for (const char* corrected : {"AllSkyExpSchedulePref", "GridLabelFontPref", "AngleSepColorPref"})
        EXPECT_EQ(store.registered(QString::fromLatin1(corrected)), nullptr) << corrected;
    EXPECT_EQ(store.registered("PhotoHorizonPref"), nullptr);
}

TEST_F(PrefStoreTest, FreshStoreReadsEveryRegisteredDefault)
{
    PrefStore store(launch);
    for (const ExpectedDefault& e : expectedDefaults()) {
        const QString key = QString::fromLatin1(e.key);
        SCOPED_TRACE(e.key);
        switch (e.type) {
        case PrefType::Bool:
            EXPECT_EQ(store.readBool(key), e.value.toBool());
            break;
        case PrefType::Integer:
            EXPECT_EQ(store.readInteger(key), e.value.toLongLong());
            break;
        case PrefType::Float:
            EXPECT_EQ(store.readFloat(key), e.value.toFloat());
            break;
        case PrefType::Double:
            EXPECT_EQ(store.readDouble(key), e.value.toDouble());
            break;
        case PrefType::String:
            if (e.value.isValid()) {
                EXPECT_EQ(store.readString(key), e.value.toString());
            }
            break;
        case PrefType::Color:
            EXPECT_EQ(store.readColor(key), e.value.value<QColor>());
            break;
        case PrefType::Font:
            EXPECT_EQ(faceName(store.readFont(key)), e.value.toString());
            break;
        case PrefType::Data:
            EXPECT_EQ(store.readData(key).size(), e.value.toInt());
            break;
        case PrefType::Date:
        case PrefType::StringArray:
            break;
        }
    }
}

TEST_F(PrefStoreTest, FreshStoreReadsTheComputedDefaults)
{
    PrefStore store(launch);
    const QDateTime start = store.readDate("StartupTimePref");
    EXPECT_EQ(start, QDateTime(QDate(2024, 3, 1), QTime(22, 0), QTimeZone("Europe/Berlin")));

    const QStringList myth = store.readStringArray("MythArrayPref");
    ASSERT_EQ(myth.size(), 90);
    EXPECT_EQ(myth.count(QStringLiteral("NO")), 89);
    EXPECT_EQ(myth.last(), QStringLiteral("YES"));

    EXPECT_EQ(store.readStringArray("SiteNamesArrayPref"), QStringList(5, QStringLiteral("Undefined")));
    EXPECT_EQ(store.readStringArray("SiteTimeZoneNamesArrayPref"), QStringList(5, QStringLiteral("Undefined")));
    EXPECT_EQ(store.readStringArray("ScopeNamesArrayPref"),
              (QStringList{QStringLiteral("Sample 8\" SCT"), "", "", "", ""}));

    const QRegularExpression privateIPv4(
        QStringLiteral(R"(^(10|192\.168|172\.(1[6-9]|2\d|3[01]))(\.\d{1,3}){2,3}$)"));
    EXPECT_TRUE(privateIPv4.match(store.readString("WiFiIPPref")).hasMatch())
        << store.readString("WiFiIPPref").toStdString();
    EXPECT_EQ(store.readString("ShortcutPref"), QString(42, u'-'));

    for (const char* key : {"PhotoDirAdjPref", "PhotoElevAdjPref", "PhotoBrightAdjPref", "PhotoDegreeAdjPref"})
        EXPECT_EQ(store.readData(key).count('\0'), store.readData(key).size()) << key;
}

TEST_F(PrefStoreTest, UnregisteredPhotoHorizonReadsNoUntilStored)
{
    PrefStore store(launch);
    EXPECT_FALSE(store.readBool("PhotoHorizonPref"));
    store.writeBool("PhotoHorizonPref", true);
    EXPECT_TRUE(store.readBool("PhotoHorizonPref"));
    store.remove("PhotoHorizonPref");
    EXPECT_FALSE(store.readBool("PhotoHorizonPref"));
}

TEST_F(PrefStoreTest, RemovingAKeyRestoresItsDefault)
{
    PrefStore store(launch);
    store.writeBool("ToolTipsPref", false);
    store.writeInteger("AllSkyQualityDatePref", 512);
    store.writeColor("MythColorPref", Qt::blue);
    store.writeData("SitesPref", QByteArray(40, 'x'));
    EXPECT_FALSE(store.readBool("ToolTipsPref"));
    EXPECT_EQ(store.readInteger("AllSkyQualityDatePref"), 512);

    for (const char* key : {"ToolTipsPref", "AllSkyQualityDatePref", "MythColorPref", "SitesPref"})
        store.remove(key);
    EXPECT_TRUE(store.readBool("ToolTipsPref"));
    EXPECT_EQ(store.readInteger("AllSkyQualityDatePref"), 1024);
    EXPECT_EQ(store.readColor("MythColorPref"), QColor::fromRgbF(0.48f, 0.6f, 0.75f, 1.0f));
    EXPECT_EQ(store.readData("SitesPref"), QByteArray(40, '\0'));
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
        store.writeDouble("DomeXPref", 0.1);
        store.writeColor("PathColorPref", QColor::fromRgbF(0.0f, 1.0f, 1.0f, 0.5f));
        store.writeFont("StarNameFontPref", QFont(QStringLiteral("DejaVu Sans"), 11));
        store.writeStringArray("SiteNamesArrayPref", {QStringLiteral("Home, \"the\" garden"), "B"});
        store.writeData("EyepiecesPref", QByteArray("\x00\x01\xff", 3));
    }
    const auto stored = storedValues();
    EXPECT_EQ(stored.value("MetricPref").toString(), QStringLiteral("NO"));
    EXPECT_EQ(stored.value("StarNamesPref").toString(), QStringLiteral("YES"));
    EXPECT_EQ(stored.value("DomeOverPref").toString(), QStringLiteral("-5"));
    EXPECT_EQ(stored.value("StarMagLimitPref").toString(), QStringLiteral("6.55"));
    EXPECT_EQ(stored.value("DomeXPref").toString(), QStringLiteral("0.1"));
    EXPECT_EQ(stored.value("PathColorPref").toString(), QStringLiteral("0 1 1 0.5000076"));
    EXPECT_EQ(stored.value("StarNameFontPref").toString(), QStringLiteral("DejaVu Sans;11;regular"));
    EXPECT_EQ(stored.value("SiteNamesArrayPref").toString(),
              QStringLiteral("[\"Home, \\\"the\\\" garden\",\"B\"]"));
    EXPECT_EQ(stored.value("EyepiecesPref").toByteArray(), QByteArray("\x00\x01\xff", 3));

    PrefStore reopened(launch);
    EXPECT_EQ(reopened.readStringArray("SiteNamesArrayPref"),
              (QStringList{QStringLiteral("Home, \"the\" garden"), "B"}));
    EXPECT_EQ(reopened.readFont("StarNameFontPref").family(), QStringLiteral("DejaVu Sans"));
}

TEST_F(PrefStoreTest, FloatSettingsKeepSinglePrecision)
{
    PrefStore store(launch);
    store.writeFloat("StarMagLimitPref", float(6.55));
    EXPECT_DOUBLE_EQ(double(store.readFloat("StarMagLimitPref")), 6.5500001907348633);
    EXPECT_NEAR(double(store.readFloat("StarMagLimitPref")), 6.5500001907, 1e-10);
}

TEST_F(PrefStoreTest, KeysDifferingOnlyInCaseAreDistinct)
{
    PrefStore store(launch);
    store.writeDouble("DomerPref", 1.5);
    store.writeDouble("DomeRPref", 2.5);
    PrefStore reopened(launch);
    EXPECT_EQ(reopened.readDouble("DomerPref"), 1.5);
    EXPECT_EQ(reopened.readDouble("DomeRPref"), 2.5);
}

TEST_F(PrefStoreTest, UndecodableObjectsReadAsTheirDefaults)
{
    {
        QSettings file(PrefStore::fileName(), QSettings::IniFormat);
        file.setValue("ConstellationColorPref", "red");
        file.setValue("NomadGridColorPref", "1 0 0 1.5");
        file.setValue("StarNameFontPref", "Geneva;-3;regular");
        file.setValue("PlanetNameFontPref", "garbage");
        file.setValue("StartupTimePref", "yesterday");
        file.setValue("SiteNamesArrayPref", "[1,2]");
        file.setValue("MythArrayPref", "{not json");
    }
    PrefStore store(launch);
    EXPECT_EQ(store.readColor("ConstellationColorPref"), QColor::fromRgbF(0.08f, 0.25f, 0.25f, 1.0f));
    EXPECT_EQ(store.readColor("NomadGridColorPref"), QColor::fromRgbF(1.0f, 0.0f, 0.0f, 0.75f));
    EXPECT_EQ(faceName(store.readFont("StarNameFontPref")), QStringLiteral("Geneva/9"));
    EXPECT_EQ(faceName(store.readFont("PlanetNameFontPref")), QStringLiteral("Lucida Grande Bold/10"));
    EXPECT_EQ(store.readDate("StartupTimePref").time(), QTime(22, 0));
    EXPECT_EQ(store.readStringArray("SiteNamesArrayPref"), QStringList(5, QStringLiteral("Undefined")));
    EXPECT_EQ(store.readStringArray("MythArrayPref").size(), 90);
}

TEST_F(PrefStoreTest, UnreadableNumbersReadAsZeroOrNo)
{
    {
        QSettings file(PrefStore::fileName(), QSettings::IniFormat);
        file.setValue("StarMagLimitPref", "bright");
        file.setValue("ShowGalaxyPref", "maybe");
        file.setValue("DSLRPref", "");
        file.setValue("AltitudePref", "30.5 degrees");
    }
    PrefStore store(launch);
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
    EXPECT_EQ(sites[0].longitude, 0.0f);
    EXPECT_EQ(sites[4].longitude, 0.0f);

    store.writeData("SitesPref", QByteArray(400, '\x01'));
    store.readRecords("SitesPref", sites);
    EXPECT_EQ(std::memcmp(sites.data(), QByteArray(40, '\x01').constData(), 40), 0);
}

}  // namespace
