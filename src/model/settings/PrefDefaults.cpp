#include "model/settings/PrefDefaults.h"

#include "model/settings/PrefForms.h"
#include "model/settings/PrefKeys.h"
#include "model/settings/links/WifiBridge.h"

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

// A number whose users take only values from `least` to `most`: the ranges
// the chart keeps its view in and the preference window's sliders offer.
PrefDefault ranged(const char* key, PrefType type, const char* value, double least, double most)
{
    return {QString::fromLatin1(key), type, QString::fromLatin1(value), PrefRange{least, most}};
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

// The chart's narrowest field, and the whole sky that any field past the
// all-sky angle shows, degrees.
constexpr double kLeastViewAngle = 5.0;
constexpr double kMostViewAngle = 360.0;

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

QString boundedName(const QString& name)
{
    if (name.size() <= kMostNameLength)
        return name;
    const qsizetype cut = name.at(kMostNameLength - 1).isHighSurrogate() ? kMostNameLength - 1 : kMostNameLength;
    return name.left(cut);
}

QStringList boundedNames(QStringList names)
{
    for (QString& name : names)
        name = boundedName(name);
    return names;
}

std::vector<PrefDefault> registration(const QDateTime& now)
{
    return {
        text(PrefKeys::Version, "0.00.0"),
        ranged(PrefKeys::Altitude, PrefType::Float, "45.0", -90.0, 90.0),
        ranged(PrefKeys::Azimuth, PrefType::Float, "180.0", 0.0, 360.0),
        ranged(PrefKeys::ViewAngle, PrefType::Float, "120.0", kLeastViewAngle, kMostViewAngle),
        ranged(PrefKeys::ArrowSpeed, PrefType::Float, "51.0", 1.0, 100.0),
        date(PrefKeys::StartupTime, startupTime(now)),
        flag(PrefKeys::VersionCheck, false),
        flag(PrefKeys::ShowToolbar, true),
        flag(PrefKeys::ScopeViewOpen, false),
        flag(PrefKeys::Metric, true),
        flag(PrefKeys::Transparent, true),
        flag(PrefKeys::Twilight, true),
        flag(PrefKeys::ToolTips, true),
        flag(PrefKeys::RunRealTime, false),
        flag(PrefKeys::TimePanel, false),
        flag(PrefKeys::DirectionPanel, false),
        flag(PrefKeys::RedCursor, false),
        flag(PrefKeys::HideCNames, false),
        flag(PrefKeys::Astroplanner, false),
        flag(PrefKeys::Precession, false),
        flag(PrefKeys::ExtConnect, false),
        flag(PrefKeys::DSSCache, false),
        text(PrefKeys::Shortcut, QString(42, u'-')),
        text(PrefKeys::SVSavePosn, "0:0:0.0:+0:0:0.0"),
        number(PrefKeys::InfoPanel1, PrefType::Integer, 0),
        number(PrefKeys::InfoPanel2, PrefType::Integer, 0),
        number(PrefKeys::InfoPanel3, PrefType::Integer, 0),
        number(PrefKeys::InfoPanel4, PrefType::Integer, 0),
        number(PrefKeys::InfoPanel5, PrefType::Integer, 0),
        number(PrefKeys::InfoPanel6, PrefType::Integer, 0),
        flag(PrefKeys::HideSky, true),
        flag(PrefKeys::HideSV, true),
        flag(PrefKeys::HideScope, true),
        flag(PrefKeys::HideSS, true),
        flag(PrefKeys::HideWebcam, true),
        flag(PrefKeys::HideFocuser, true),
        flag(PrefKeys::HideDome, true),
        ranged(PrefKeys::StarMagLimit, PrefType::Float, "6.5", -1.0, 16.0),
        ranged(PrefKeys::StarSVMagLimit, PrefType::Float, "12.5", 0.0, 20.0),
        ranged(PrefKeys::CometMagLimit, PrefType::Float, "16.0", 0.0, 24.0),
        ranged(PrefKeys::MPMagLimit, PrefType::Float, "16.0", 0.0, 24.0),
        ranged(PrefKeys::DeepSkyMagLimit, PrefType::Float, "12.0", 0.0, 20.0),
        ranged(PrefKeys::PlanetMagLimit, PrefType::Float, "12.0", 0.0, 24.0),
        ranged(PrefKeys::StarColorVal, PrefType::Float, "0.25", 0.0, 1.0),
        ranged(PrefKeys::StarBrightVal, PrefType::Float, "0.75", 0.0, 2.0),
        ranged(PrefKeys::StarShiftVal, PrefType::Float, "0.0", -3.0, 3.0),
        flag(PrefKeys::StarDouble, false),
        flag(PrefKeys::StarAdvanced, false),
        flag(PrefKeys::StarVariable, false),
        flag(PrefKeys::StarPlanet, false),
        flag(PrefKeys::StarAntiAlias, true),
        flag(PrefKeys::ShowOpenCluster, true),
        flag(PrefKeys::ShowGlobularCluster, true),
        flag(PrefKeys::ShowGalaxy, true),
        flag(PrefKeys::ShowNebula, true),
        flag(PrefKeys::ShowComet, false),
        flag(PrefKeys::ShowMP, false),
        flag(PrefKeys::ShowNEO, false),
        decimal(PrefKeys::CustomFilterIndex, PrefType::Integer, "0"),
        flag(PrefKeys::ShowCaldwell, false),
        flag(PrefKeys::ShowHerschel, false),
        flag(PrefKeys::ShowHerschelII, false),
        flag(PrefKeys::ShowArp, false),
        flag(PrefKeys::ShowBest, true),
        flag(PrefKeys::ShowAdvanced, false),
        flag(PrefKeys::ShowMessier, false),
        flag(PrefKeys::ShowAll, false),
        flag(PrefKeys::ShowOther, false),
        flag(PrefKeys::ShowDSOName, true),
        flag(PrefKeys::ShowDSOMessier, true),
        flag(PrefKeys::ShowDSONGC, true),
        flag(PrefKeys::StarNames, false),
        flag(PrefKeys::PlanetNames, true),
        flag(PrefKeys::CometNames, false),
        flag(PrefKeys::DeepSkyNames, true),
        flag(PrefKeys::Constellations, true),
        flag(PrefKeys::Boundaries, false),
        flag(PrefKeys::RA_Dec, false),
        flag(PrefKeys::Alt_Az, false),
        flag(PrefKeys::Ecliptic, false),
        flag(PrefKeys::Equator, false),
        flag(PrefKeys::MilkyWay, false),
        flag(PrefKeys::Path, false),
        ranged(PrefKeys::PathDays, PrefType::Float, "200.0", 0.0, 100000.0),
        ranged(PrefKeys::PathPercent, PrefType::Float, "75.0", 0.0, 100.0),
        flag(PrefKeys::Photo, false),
        flag(PrefKeys::Below, false),
        flag(PrefKeys::Mist, false),
        flag(PrefKeys::Meteor, false),
        flag(PrefKeys::Myth, false),
        strings(PrefKeys::MythArray, mythArray()),
        flag(PrefKeys::Meridian, false),
        flag(PrefKeys::Outlines, false),
        flag(PrefKeys::CustomHorizon, false),
        block(PrefKeys::PhotoDirAdj, QByteArray(20, 0)),
        block(PrefKeys::PhotoElevAdj, QByteArray(20, 0)),
        block(PrefKeys::PhotoBrightAdj, QByteArray(20, 0)),
        block(PrefKeys::PhotoDegreeAdj, QByteArray(10, 0)),
        block(PrefKeys::Sites, bytesOf(sites())),
        strings(PrefKeys::SiteNamesArray, siteNames()),
        strings(PrefKeys::SiteTimeZoneNamesArray, siteNames()),
        block(PrefKeys::Scopes, bytesOf(scopes())),
        strings(PrefKeys::ScopeNamesArray, scopeNames()),
        block(PrefKeys::Eyepieces, bytesOf(eyepieces())),
        flag(PrefKeys::RetainScopePolling, false),
        flag(PrefKeys::ScopeAltAz, false),
        flag(PrefKeys::FlipOutline, false),
        flag(PrefKeys::FlipEWOutline, false),
        decimal(PrefKeys::DSLR, PrefType::Integer, "0"),
        ranged(PrefKeys::ScopePollRate, PrefType::Float, "5.0", 0.0, 60.0),
        flag(PrefKeys::GeminiAC, false),
        flag(PrefKeys::MeadeAC, false),
        flag(PrefKeys::NexStarAC, false),
        number(PrefKeys::GeminiBaud, PrefType::Integer, 9600),
        text(PrefKeys::WiFiIP, kDefaultWifiIPAddress),
        text(PrefKeys::WiFiPort, kDefaultWifiPortNumber),
        decimal(PrefKeys::OptecFineSpeed, PrefType::Integer, "1"),
        decimal(PrefKeys::OptecSlowSpeed, PrefType::Integer, "25"),
        decimal(PrefKeys::OptecMedSpeed, PrefType::Integer, "125"),
        decimal(PrefKeys::OptecFastSpeed, PrefType::Integer, "200"),
        decimal(PrefKeys::RoboTempSlope, PrefType::Float, "0.0"),
        decimal(PrefKeys::JMIMaxValue, PrefType::Integer, "65535"),
        decimal(PrefKeys::JMIBacklashValue, PrefType::Integer, "0"),
        flag(PrefKeys::JMIBacklash, false),
        decimal(PrefKeys::JMISlowAdj, PrefType::Float, "1.0"),
        decimal(PrefKeys::JMIFastAdj, PrefType::Float, "1.0"),
        decimal(PrefKeys::JMIIOAdj, PrefType::Float, "1.0"),
        decimal(PrefKeys::FCUSBPWM, PrefType::Integer, "1"),
        decimal(PrefKeys::FCUSB2PWM, PrefType::Integer, "1"),
        decimal(PrefKeys::FCUSBSpeed, PrefType::Integer, "125"),
        decimal(PrefKeys::FCUSB2Speed, PrefType::Integer, "125"),
        decimal(PrefKeys::MoonMax, PrefType::Integer, "65535"),
        decimal(PrefKeys::MoonSlope, PrefType::Float, "0.0"),
        decimal(PrefKeys::SG4Baud, PrefType::Integer, "9600"),
        decimal(PrefKeys::AllSkyExpShedule, PrefType::Float, "0.0"),
        decimal(PrefKeys::AllSkyDarkShedule, PrefType::Float, "0.0"),
        decimal(PrefKeys::AllSkyHeatOn, PrefType::Float, "0.0"),
        decimal(PrefKeys::AllSkyHeatOff, PrefType::Float, "0.0"),
        decimal(PrefKeys::AllSkyFPSDate, PrefType::Float, "30.0"),
        decimal(PrefKeys::AllSkyCodecDate, PrefType::Integer, "0"),
        decimal(PrefKeys::AllSkyQualityDate, PrefType::Integer, "1024"),
        decimal(PrefKeys::AllSkyPosnDate, PrefType::Integer, "0"),
        flag(PrefKeys::AllSkyUTCDate, true),
        flag(PrefKeys::AllSkySecDate, true),
        text(PrefKeys::CanonImageFile, " "),
        text(PrefKeys::CanonMovieFile, " "),
        decimal(PrefKeys::CanonExpIndex, PrefType::Integer, "14"),
        number(PrefKeys::DomeX, PrefType::Double, 0.0),
        number(PrefKeys::DomeY, PrefType::Double, 0.0),
        number(PrefKeys::DomeZ, PrefType::Double, 0.0),
        number(PrefKeys::DomeR, PrefType::Double, 0.0),
        number(PrefKeys::Domer, PrefType::Double, 0.0),
        number(PrefKeys::DomeFlip, PrefType::Double, 0.0),
        number(PrefKeys::DomeHome, PrefType::Double, 0.0),
        number(PrefKeys::DomeTicks, PrefType::Integer, 0.0),
        number(PrefKeys::DomeOver, PrefType::Integer, 0.0),
        number(PrefKeys::DomeDelta, PrefType::Float, 5.0f),
        number(PrefKeys::DomeFreq, PrefType::Float, 60.0f),
        number(PrefKeys::DomeBaud, PrefType::Integer, 2),
        number(PrefKeys::DomeGEM, PrefType::Bool, false),
        number(PrefKeys::DomeSetup, PrefType::Bool, false),
        number(PrefKeys::DomeShutter, PrefType::Bool, true),
        number(PrefKeys::DomeDirection, PrefType::Bool, true),
        number(PrefKeys::DomeI5V1, PrefType::Bool, false),
        number(PrefKeys::DomeI5V2, PrefType::Bool, false),
        number(PrefKeys::DomeI5V3, PrefType::Bool, false),
        number(PrefKeys::DomeI5V4, PrefType::Bool, false),
        color(PrefKeys::ConstellationColor, 0.08, 0.25, 0.25, 1),
        color(PrefKeys::ConstellationNameColor, 0.11, 0.35, 0.35, 1),
        color(PrefKeys::ConstellationBoundaryColor, 0.08, 0.08, 0.31, 1),
        color(PrefKeys::PlanetNameColor, 0.31, 0.56, 0.57, 1),
        color(PrefKeys::StarNameColor, 0.32, 0.42, 0.45, 1),
        color(PrefKeys::DeepSkyNameColor, 0.4, 0.4, 0.35, 1),
        color(PrefKeys::GridLinesColor, 0.18, 0.18, 0.04, 1),
        color(PrefKeys::GridLabelColor, 0.18, 0.18, 0.04, 1),
        color(PrefKeys::EclipticColor, 0.25, 0.23, 0.05, 1),
        color(PrefKeys::HorizonColor, 0.05, 0.08, 0, 1),
        color(PrefKeys::CometNameColor, 0.45, 0.45, 0.45, 1),
        color(PrefKeys::ScopeViewGridColor, 0, 0.2, 0, 1),
        color(PrefKeys::HorizonLabelColor, 0.18, 0.18, 0.18, 1),
        color(PrefKeys::angleSepColor, 0, 0.7, 0, 1),
        color(PrefKeys::PathColor, 0.35, 0.35, 0.35, 1),
        color(PrefKeys::MilkyWayColor, 0.75, 0.75, 0.75, 1),
        color(PrefKeys::MythColor, 0.48, 0.6, 0.75, 1),
        color(PrefKeys::NomadMagColor, 1, 0, 0, 1),
        color(PrefKeys::NomadGridColor, 1, 0, 0, 0.75),
        color(PrefKeys::AllSkyDateColor, 1, 1, 1, 0.75),
        color(PrefKeys::GalaxyColor, 0.65, 0.56, 0.01, 1),
        color(PrefKeys::GlobularColor, 0.65, 0.56, 0.01, 1),
        color(PrefKeys::OpenColor, 0.65, 0.56, 0.01, 1),
        color(PrefKeys::NebulaColor, 0.65, 0.56, 0.01, 1),
        color(PrefKeys::CometColor, 0.65, 0.65, 0.65, 1),
        color(PrefKeys::MinorPlanetColor, 0.65, 0.65, 0.65, 1),
        color(PrefKeys::NEOColor, 0.65, 0.65, 0.65, 1),
        font(PrefKeys::HorizonLabelFont, "Lucida Grande", 12, true),
        font(PrefKeys::ConstellationNameFont, "Lucida Grande", 12, true),
        font(PrefKeys::PlanetNameFont, "Lucida Grande", 10, true),
        font(PrefKeys::StarNameFont, "Geneva", 9, false),
        font(PrefKeys::CometNameFont, "Geneva", 9, false),
        font(PrefKeys::DeepSkyNameFont, "Lucida Grande", 10, true),
        font(PrefKeys::GridlabelFont, "Geneva", 9, false),
        font(PrefKeys::PathLabelFont, "Geneva", 9, false),
        font(PrefKeys::AngleSepLabelFont, "Geneva", 9, false),
        font(PrefKeys::NomadMagFont, "Geneva", 9, false),
        font(PrefKeys::AllSkyDateFont, "Geneva", 9, false),
        font(PrefKeys::ConstellationPrintFont, "Lucida Grande", 12, true),
        font(PrefKeys::PlanetPrintFont, "Lucida Grande", 10, true),
        font(PrefKeys::StarPrintFont, "Geneva", 9, false),
        font(PrefKeys::CometPrintFont, "Geneva", 9, false),
        font(PrefKeys::DeepSkyPrintFont, "Lucida Grande", 10, true),
    };
}

}  // namespace PrefDefaults
