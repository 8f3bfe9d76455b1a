#include "find/InfoTexts.h"

#include "model/records/deepSky.h"

#include <array>
#include <cmath>

namespace {

constexpr std::array<InfoTexts::Satellite, 12> kSatellites = {{
    {"Io", "3630 km", "2256 miles", "422 x10³ km", "262 x10³ miles", "5.0"},
    {"Europa", "3140 km", "1951 miles", "671 x10³ km", "417 x10³ miles", "5.3"},
    {"Ganymede", "5260 km", "3269 miles", "1070 x10³ km", "665 x10³ miles", "4.6"},
    {"Callisto", "4800 km", "2983 miles", "1885 x10³ km", "1171 x10³ miles", "5.6"},
    {"Mimas", "390 km", "242 miles", "187 x10³ km", "116 x10³ miles", "12.8"},
    {"Enceladus", "500 km", "311 miles", "238 x10³ km", "148 x10³ miles", "11.8"},
    {"Tethys", "1060 km", "659 miles", "295 x10³ km", "183 x10³ miles", "10.3"},
    {"Dione", "1120 km", "696 miles", "378 x10³ km", "235 x10³ miles", "10.4"},
    {"Rhea", "1530 km", "951 miles", "526 x10³ km", "327 x10³ miles", "9.7"},
    {"Titan", "5550 km", "3449 miles", "1221 x10³ km", "759 x10³ miles", "8.4"},
    {"Hyperion", "255 km", "158 miles", "1481 x10³ km", "920 x10³ miles", "14.4"},
    {"Iapetus", "1460 km", "907 miles", "3561 x10³ km", "2213 x10³ miles", "11.0"},
}};
constexpr int kJupiterSatellites = 4;
constexpr int kSaturnFirst = 10;

// The Earth's radius, thousands of km and of miles.
constexpr double kEarthRadiusKkm = 6.378;
constexpr double kEarthRadiusKmiles = 3.963;
constexpr double kNearEarth = 10.0;

}  // namespace

namespace InfoTexts {

QString millionsText(double distance, bool isMetric)
{
    return QString::asprintf(isMetric ? "%.1f x10⁶ km" : "%.1f x10⁶ miles", distance);
}

QString minorPlanetEarthText(double geoDistance, bool isMetric)
{
    if (geoDistance >= kNearEarth)
        return millionsText(geoDistance, isMetric);
    if (isMetric)
        return QString::asprintf("%.1f x10³ km", geoDistance * 1000.0 - kEarthRadiusKkm);
    return QString::asprintf("%.1f x10³ miles", geoDistance * 1000.0 - kEarthRadiusKmiles);
}

QString chartTitle(const QString& name)
{
    return QString::fromLatin1(kAppTitle) + QStringLiteral("   (") + name + u')';
}

QString deepSkyTypeText(int type)
{
    static constexpr const char* kTypes[] = {"Galaxy", "Nebula", "Open cluster",
                                             "Globular Cluster", "Custom"};
    return type >= 0 && type < 5 ? QString::fromLatin1(kTypes[type]) : QStringLiteral(" ");
}

QString starTypeText(int type, bool isAlignmentCatalogue)
{
    static constexpr const char* kTypes[] = {"Double", "Variable", "double/Variable",
                                             "Has a planet", "Best double"};
    constexpr int kFirstAlignment = 6;
    constexpr int kLastAlignment = 12;
    constexpr int kCustom = 13;
    if (type >= 1 && type <= 5)
        return QString::fromLatin1(kTypes[type - 1]);
    if (type >= kFirstAlignment && type <= kLastAlignment && isAlignmentCatalogue)
        return QStringLiteral("Alignment star");
    if (type == kCustom)
        return QStringLiteral("Custom star");
    return QStringLiteral(" ");
}

QString catalogueLine(const deepSky& object, const CatalogueFilters& filters)
{
    const QString caldwell = QString::asprintf("Caldwell #%d", object.caldwell);
    const QString arp = QString::asprintf("Arp #%d", object.arp);
    if (object.caldwell != 0 && filters.caldwell)
        return caldwell;
    if (object.arp != 0 && filters.arp)
        return arp;
    if (object.herschel == 1 && filters.herschel)
        return QStringLiteral("Herschel");
    if (object.herschel == 2 && filters.herschelII)
        return QStringLiteral("Herschel II");
    if (filters.caldwell || filters.arp || filters.herschel || filters.herschelII)
        return QStringLiteral(" ");
    if (object.caldwell != 0)
        return caldwell;
    if (object.arp != 0)
        return arp;
    if (object.herschel == 2)
        return QStringLiteral("Herschel II");
    if (object.herschel == 1)
        return QStringLiteral("Herschel");
    return QStringLiteral(" ");
}

std::optional<short> plannerDeepSkyType(int type)
{
    switch (type) {
    case 0:
    case 4: return 3;  // galaxy, custom
    case 1: return 4;  // nebula
    case 3: return 5;  // globular cluster
    case 2: return 6;  // open cluster
    default: return std::nullopt;
    }
}

const Satellite* satellite(int number)
{
    if (number >= 0 && number < kJupiterSatellites)
        return &kSatellites[std::size_t(number)];
    const int saturn = number - kSaturnFirst;
    if (saturn >= 0 && saturn < int(kSatellites.size()) - kJupiterSatellites)
        return &kSatellites[std::size_t(kJupiterSatellites + saturn)];
    return nullptr;
}

}  // namespace InfoTexts
