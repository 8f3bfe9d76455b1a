#pragma once

#include "model/projection/DeepSkyFilter.h"

#include <QDateTime>
#include <QRectF>

#include <cstdint>
#include <optional>

// The record of each catalogue that the find selection names, if any.
struct ProjectionSelection {
    std::optional<std::uint32_t> star;
    std::optional<std::uint32_t> deepSky;
    std::optional<std::uint32_t> comet;
    std::optional<std::uint32_t> minorPlanet;
};

// What one projection pass reads from the settings and the sky date, taken
// once at its start. Angles are degrees, as the settings and the sky date
// hold them.
struct ProjectionInputs {
    // The view and the site.
    QRectF skyViewRect;      // points, y upward
    double viewAngle = 0.0;  // 0 stands for the default
    double altitude = 0.0;   // of the view centre
    double azimuth = 0.0;    // of the view centre, from north through east
    double latitude = 0.0;
    bool isBelow = false;    // show what is below the horizon

    // The sky date.
    double primeMeridian = 0.0;  // local sidereal time
    double julianDay = 2451545.0;
    QDateTime skyDate;

    ProjectionSelection selection;

    // Catalogues.
    double starMagLimit = 0.0;
    bool isConstellations = false;
    bool isMyth = false;
    bool isBoundaries = false;
    bool isPath = false;
    bool showComet = false;
    bool showMP = false;
    bool showNEO = false;
    double cometMagLimit = 0.0;
    double mpMagLimit = 0.0;
    DeepSkySwitches deepSkySwitches;

    // Overlays.
    bool isRA_Dec = false;
    bool isEcliptic = false;
    bool isEquator = false;
    bool isAlt_Az = false;
    bool isMeridian = false;
    bool isCustomHorizon = false;
    int currentSite = 0;
    bool isMilkyWay = false;
    bool isMeteor = false;
};
