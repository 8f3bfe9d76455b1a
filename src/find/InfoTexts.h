#pragma once

#include "model/SkyTexts.h"

#include <QString>

#include <optional>

struct deepSky;

// The texts of the object information panels.
namespace InfoTexts {

inline constexpr const char* kAppTitle = "Norvane Pro";

using SkyTexts::decText;
using SkyTexts::raText;
// A distance the record holds in millions of km (or miles when not metric).
QString millionsText(double distance, bool isMetric);
// A minor planet's distance from the Earth: below 10 million, thousands of
// km (or miles) from the Earth's surface.
QString minorPlanetEarthText(double geoDistance, bool isMetric);

// The chart window's title naming the object while the panels are off.
QString chartTitle(const QString& name);

QString deepSkyTypeText(int type);
QString starTypeText(int type, bool isAlignmentCatalogue);

// The deep-sky object's catalogue line under the four list filters.
struct CatalogueFilters {
    bool caldwell = false;
    bool arp = false;
    bool herschel = false;
    bool herschelII = false;
};
QString catalogueLine(const deepSky& object, const CatalogueFilters& filters);

// The outside planner's type code of a deep-sky type; none for other types.
std::optional<short> plannerDeepSkyType(int type);

// The fixed facts of Jupiter's four and Saturn's eight satellites, by the
// satellite band's number (0 to 3 and 10 to 17).
struct Satellite {
    const char* name;
    const char* diameterKm;
    const char* diameterMiles;
    const char* orbitKm;
    const char* orbitMiles;
    const char* mag;
};
const Satellite* satellite(int number);

}  // namespace InfoTexts
