#include "model/prefs/PrefDefaults.h"

#include "model/prefs/PrefForms.h"
#include "model/prefs/links/WifiBridge.h"

#include <QTimeZone>

namespace {

PrefDefault flag(const char* key, bool value)
{
    return {QString::fromLatin1(key), PrefType::Bool, PrefForms::boolText(value)};
}

PrefDefault decimal(const char* key, PrefType type, const char* value)
{
    return {QString::fromLatin1(key), type, QString::fromLatin1(value)};
}

template <class Number>
PrefDefault number(const char* key, PrefType type, Number value)
{
    return {QString::fromLatin1(key), type, QVariant::fromValue(value)};
}

PrefDefault text(const char* key, const QString& value)
{
    return {QString::fromLatin1(key), PrefType::String, value};
}

PrefDefault color(const char* key, float red, float green, float blue, float alpha)
{
    return {QString::fromLatin1(key), PrefType::Color,
            PrefForms::colorText(QColor::fromRgbF(red, green, blue, alpha))};
}

PrefDefault font(const char* key, const char* family, int points, bool bold)
{
    QFont f(QString::fromLatin1(family), points);
    f.setBold(bold);
    return {QString::fromLatin1(key), PrefType::Font, PrefForms::fontText(f)};
}

PrefDefault date(const char* key, const QDateTime& value)
{
    return {QString::fromLatin1(key), PrefType::Date, PrefForms::dateText(value)};
}

PrefDefault strings(const char* key, const QStringList& value)
{
    return {QString::fromLatin1(key), PrefType::StringArray, PrefForms::stringArrayText(value)};
}

PrefDefault block(const char* key, const QByteArray& bytes)
{
    return {QString::fromLatin1(key), PrefType::Data, bytes};
}

template <class Record, std::size_t N>
QByteArray bytesOf(const std::array<Record, N>& records)
{
    return QByteArray(reinterpret_cast<const char*>(records.data()), qsizetype(sizeof records));
}

// An empty telescope slot: zeros, but the lengths count as entered in mm.
constexpr scope kEmptyScope = {0.0f, 0.0f, 0.0f, 0, 0, 0, 0, 1, 1};

}  // namespace

namespace PrefDefaults {

std::array<site, 5> sites() { return {}; }

std::array<scope, 5> scopes()
{
    return {scope{2000.0f, 203.2f, 10.0f, 1, 2, 1, 0, 1, 1}, kEmptyScope, kEmptyScope, kEmptyScope,
            kEmptyScope};
}

std::array<eyepiece, 10> eyepieces()
{
    return {eyepiece{5.0f, 50.0f}, {10.0f, 50.0f}, {20.0f, 50.0f}, {40.0f, 50.0f}, {0.0f, 0.0f},
            {0.0f, 0.0f}, {0.0f, 0.0f}, {0.0f, 0.0f}, {0.0f, 0.0f}, {50.0f, 100.0f}};
}

QStringList siteNames() { return QStringList(5, kUndefinedSiteName); }

QStringList scopeNames()
{
    return {QStringLiteral("Sample 8\" SCT"), QString(), QString(), QString(), QString()};
}

QStringList mythArray()
{
    QStringList entries(89, QStringLiteral("NO"));
    entries.append(QStringLiteral("YES"));
    return entries;
}

QDateTime startupTime(const QDateTime& now)
{
    return QDateTime(now.date(), QTime(22, 0), now.timeZone());
}

QStringList fitted(QStringList list, const QStringList& defaults)
{
    list = list.mid(0, defaults.size());
    for (qsizetype i = list.size(); i < defaults.size(); ++i)
        list.append(defaults[i]);
    return list;
}

std::vector<PrefDefault> registration(const QDateTime& now)
{
    return {
        text("VersionPref", "0.00.0"),
        decimal("AltitudePref", PrefType::Float, "45.0"),
        decimal("AzimuthPref", PrefType::Float, "180.0"),
        decimal("ViewAnglePref", PrefType::Float, "120.0"),
        decimal("ArrowSpeedPref", PrefType::Float, "51.0"),
        date("StartupTimePref", startupTime(now)),
        flag("VersionCheckPref", false),
        flag("ShowToolbarPref", true),
        flag("MetricPref", true),
        flag("TransparentPref", true),
        flag("TwilightPref", true),
        flag("ToolTipsPref", true),
        flag("RunRealTimePref", false),
        flag("TimePanelPref", false),
        flag("DirectionPanelPref", false),
        flag("RedCursorPref", false),
        flag("HideCNamesPref", false),
        flag("AstroplannerPref", false),
        flag("PrecessionPref", false),
        flag("ExtConnectPref", false),
        flag("DSSCachePref", false),
        text("ShortcutPref", QString(42, u'-')),
        text("SVSavePosnPref", "0:0:0.0:+0:0:0.0"),
        number("InfoPanel1Pref", PrefType::Integer, 0),
        number("InfoPanel2Pref", PrefType::Integer, 0),
        number("InfoPanel3Pref", PrefType::Integer, 0),
        number("InfoPanel4Pref", PrefType::Integer, 0),
        number("InfoPanel5Pref", PrefType::Integer, 0),
        number("InfoPanel6Pref", PrefType::Integer, 0),
        flag("HideSkyPref", true),
        flag("HideSVPref", true),
        flag("HideScopePref", true),
        flag("HideSSPref", true),
        flag("HideWebcamPref", true),
        flag("HideFocuserPref", true),
        flag("HideDomePref", true),
        decimal("StarMagLimitPref", PrefType::Float, "6.5"),
        decimal("StarSVMagLimitPref", PrefType::Float, "12.5"),
        decimal("CometMagLimitPref", PrefType::Float, "16.0"),
        decimal("MPMagLimitPref", PrefType::Float, "16.0"),
        decimal("DeepSkyMagLimitPref", PrefType::Float, "12.0"),
        decimal("PlanetMagLimitPref", PrefType::Float, "12.0"),
        decimal("StarColorValPref", PrefType::Float, "0.25"),
        decimal("StarBrightValPref", PrefType::Float, "0.75"),
        decimal("StarShiftValPref", PrefType::Float, "0.0"),
        flag("StarDoublePref", false),
        flag("StarAdvancedPref", false),
        flag("StarVariablePref", false),
        flag("StarPlanetPref", false),
        flag("StarAntiAliasPref", true),
        flag("ShowOpenClusterPref", true),
        flag("ShowGlobularClusterPref", true),
        flag("ShowGalaxyPref", true),
        flag("ShowNebulaPref", true),
        flag("ShowCometPref", false),
        flag("ShowMPPref", false),
        flag("ShowNEOPref", false),
        decimal("CustomFilterIndexPref", PrefType::Integer, "0"),
        flag("ShowCaldwellPref", false),
        flag("ShowHerschelPref", false),
        flag("ShowHerschelIIPref", false),
        flag("ShowArpPref", false),
        flag("ShowBestPref", true),
        flag("ShowAdvancedPref", false),
        flag("ShowMessierPref", false),
        flag("ShowAllPref", false),
        flag("ShowOtherPref", false),
        flag("ShowDSONamePref", true),
        flag("ShowDSOMessierPref", true),
        flag("ShowDSONGCPref", true),
        flag("StarNamesPref", false),
        flag("PlanetNamesPref", true),
        flag("CometNamesPref", false),
        flag("DeepSkyNamesPref", true),
        flag("ConstellationsPref", true),
        flag("BoundariesPref", false),
        flag("RA_DecPref", false),
        flag("Alt_AzPref", false),
        flag("EclipticPref", false),
        flag("EquatorPref", false),
        flag("MilkyWayPref", false),
        flag("PathPref", false),
        decimal("PathDaysPref", PrefType::Float, "200.0"),
        decimal("PathPercentPref", PrefType::Float, "75.0"),
        flag("PhotoPref", false),
        flag("BelowPref", false),
        flag("MistPref", false),
        flag("MeteorPref", false),
        flag("MythPref", false),
        strings("MythArrayPref", mythArray()),
        flag("MeridianPref", false),
        flag("OutlinesPref", false),
        flag("CustomHorizonPref", false),
        block("PhotoDirAdjPref", QByteArray(20, 0)),
        block("PhotoElevAdjPref", QByteArray(20, 0)),
        block("PhotoBrightAdjPref", QByteArray(20, 0)),
        block("PhotoDegreeAdjPref", QByteArray(10, 0)),
        block("SitesPref", bytesOf(sites())),
        strings("SiteNamesArrayPref", siteNames()),
        strings("SiteTimeZoneNamesArrayPref", siteNames()),
        block("ScopesPref", bytesOf(scopes())),
        strings("ScopeNamesArrayPref", scopeNames()),
        block("EyepiecesPref", bytesOf(eyepieces())),
        flag("RetainScopePollingPref", false),
        flag("ScopeAltAzPref", false),
        flag("FlipOutlinePref", false),
        flag("FlipEWOutlinePref", false),
        decimal("DSLRPref", PrefType::Integer, "0"),
        decimal("ScopePollRatePref", PrefType::Float, "5.0"),
        flag("GeminiACPref", false),
        flag("MeadeACPref", false),
        flag("NexStarACPref", false),
        number("GeminiBaudPref", PrefType::Integer, 9600),
        text("WiFiIPPref", kDefaultWifiIPAddress),
        text("WiFiPortPref", kDefaultWifiPortNumber),
        decimal("OptecFineSpeedPref", PrefType::Integer, "1"),
        decimal("OptecSlowSpeedPref", PrefType::Integer, "25"),
        decimal("OptecMedSpeedPref", PrefType::Integer, "125"),
        decimal("OptecFastSpeedPref", PrefType::Integer, "200"),
        decimal("RoboTempSlopePref", PrefType::Float, "0.0"),
        decimal("JMIMaxValuePref", PrefType::Integer, "65535"),
        decimal("JMIBacklashValuePref", PrefType::Integer, "0"),
        flag("JMIBacklashPref", false),
        decimal("JMISlowAdjPref", PrefType::Float, "1.0"),
        decimal("JMIFastAdjPref", PrefType::Float, "1.0"),
        decimal("JMIIOAdjPref", PrefType::Float, "1.0"),
        decimal("FCUSBPWMPref", PrefType::Integer, "1"),
        decimal("FCUSB2PWMPref", PrefType::Integer, "1"),
        decimal("FCUSBSpeedPref", PrefType::Integer, "125"),
        decimal("FCUSB2SpeedPref", PrefType::Integer, "125"),
        decimal("MoonMaxPref", PrefType::Integer, "65535"),
        decimal("MoonSlopePref", PrefType::Float, "0.0"),
        decimal("SG4BaudPref", PrefType::Integer, "9600"),
        decimal("AllSkyExpShedulePref", PrefType::Float, "0.0"),
        decimal("AllSkyDarkShedulePref", PrefType::Float, "0.0"),
        decimal("AllSkyHeatOnPref", PrefType::Float, "0.0"),
        decimal("AllSkyHeatOffPref", PrefType::Float, "0.0"),
        decimal("AllSkyFPSDatePref", PrefType::Float, "30.0"),
        decimal("AllSkyCodecDatePref", PrefType::Integer, "0"),
        decimal("AllSkyQualityDatePref", PrefType::Integer, "1024"),
        decimal("AllSkyPosnDatePref", PrefType::Integer, "0"),
        flag("AllSkyUTCDatePref", true),
        flag("AllSkySecDatePref", true),
        text("CanonImageFilePref", " "),
        text("CanonMovieFilePref", " "),
        decimal("CanonExpIndexPref", PrefType::Integer, "14"),
        number("DomeXPref", PrefType::Double, 0.0),
        number("DomeYPref", PrefType::Double, 0.0),
        number("DomeZPref", PrefType::Double, 0.0),
        number("DomeRPref", PrefType::Double, 0.0),
        number("DomerPref", PrefType::Double, 0.0),
        number("DomeFlipPref", PrefType::Double, 0.0),
        number("DomeHomePref", PrefType::Double, 0.0),
        number("DomeTicksPref", PrefType::Integer, 0.0),
        number("DomeOverPref", PrefType::Integer, 0.0),
        number("DomeDeltaPref", PrefType::Float, 5.0f),
        number("DomeFreqPref", PrefType::Float, 60.0f),
        number("DomeBaudPref", PrefType::Integer, 2),
        number("DomeGEMPref", PrefType::Bool, false),
        number("DomeSetupPref", PrefType::Bool, false),
        number("DomeShutterPref", PrefType::Bool, true),
        number("DomeDirectionPref", PrefType::Bool, true),
        number("DomeI5V1Pref", PrefType::Bool, false),
        number("DomeI5V2Pref", PrefType::Bool, false),
        number("DomeI5V3Pref", PrefType::Bool, false),
        number("DomeI5V4Pref", PrefType::Bool, false),
        color("ConstellationColorPref", 0.08, 0.25, 0.25, 1),
        color("ConstellationNameColorPref", 0.11, 0.35, 0.35, 1),
        color("ConstellationBoundaryColorPref", 0.08, 0.08, 0.31, 1),
        color("PlanetNameColorPref", 0.31, 0.56, 0.57, 1),
        color("StarNameColorPref", 0.32, 0.42, 0.45, 1),
        color("DeepSkyNameColorPref", 0.4, 0.4, 0.35, 1),
        color("GridLinesColorPref", 0.18, 0.18, 0.04, 1),
        color("GridLabelColorPref", 0.18, 0.18, 0.04, 1),
        color("EclipticColorPref", 0.25, 0.23, 0.05, 1),
        color("HorizonColorPref", 0.05, 0.08, 0, 1),
        color("CometNameColorPref", 0.45, 0.45, 0.45, 1),
        color("ScopeViewGridColorPref", 0, 0.2, 0, 1),
        color("HorizonLabelColorPref", 0.18, 0.18, 0.18, 1),
        color("angleSepColorPref", 0, 0.7, 0, 1),
        color("PathColorPref", 0.35, 0.35, 0.35, 1),
        color("MilkyWayColorPref", 0.75, 0.75, 0.75, 1),
        color("MythColorPref", 0.48, 0.6, 0.75, 1),
        color("NomadMagColorPref", 1, 0, 0, 1),
        color("NomadGridColorPref", 1, 0, 0, 0.75),
        color("AllSkyDateColorPref", 1, 1, 1, 0.75),
        color("GalaxyColorPref", 0.65, 0.56, 0.01, 1),
        color("GlobularColorPref", 0.65, 0.56, 0.01, 1),
        color("OpenColorPref", 0.65, 0.56, 0.01, 1),
        color("NebulaColorPref", 0.65, 0.56, 0.01, 1),
        color("CometColorPref", 0.65, 0.65, 0.65, 1),
        color("MinorPlanetColorPref", 0.65, 0.65, 0.65, 1),
        color("NEOColorPref", 0.65, 0.65, 0.65, 1),
        font("HorizonLabelFontPref", "Lucida Grande", 12, true),
        font("ConstellationNameFontPref", "Lucida Grande", 12, true),
        font("PlanetNameFontPref", "Lucida Grande", 10, true),
        font("StarNameFontPref", "Geneva", 9, false),
        font("CometNameFontPref", "Geneva", 9, false),
        font("DeepSkyNameFontPref", "Lucida Grande", 10, true),
        font("GridlabelFontPref", "Geneva", 9, false),
        font("PathLabelFontPref", "Geneva", 9, false),
        font("AngleSepLabelFontPref", "Geneva", 9, false),
        font("NomadMagFontPref", "Geneva", 9, false),
        font("AllSkyDateFontPref", "Geneva", 9, false),
        font("ConstellationPrintFontPref", "Lucida Grande", 12, true),
        font("PlanetPrintFontPref", "Lucida Grande", 10, true),
        font("StarPrintFontPref", "Geneva", 9, false),
        font("CometPrintFontPref", "Geneva", 9, false),
        font("DeepSkyPrintFontPref", "Lucida Grande", 10, true),
    };
}

}  // namespace PrefDefaults
