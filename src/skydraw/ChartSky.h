#pragma once

#include "model/SkyCoordinates.h"
#include "model/records/RecordConstants.h"
#include "model/records/AltAzLocn.h"
#include "model/records/MWCoord.h"
#include "model/records/RALocn.h"
#include "model/records/boundaryLocn.h"
#include "model/records/comet.h"
#include "model/records/conLine.h"
#include "model/records/conLocn.h"
#include "model/records/deepSky.h"
#include "model/records/meteor.h"
#include "model/records/minorPlanet.h"
#include "model/records/planet.h"
#include "model/records/planetPath.h"
#include "model/records/star.h"

#include <QDateTime>
#include <QPainterPath>
#include <QPointF>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// What one frame of the chart reads of the astronomy model: the records and
// overlays as the last projection pass left them (chart points in points, y
// upward), the scale, and the light of the sky. Views into the model, valid
// until its next pass.
struct ChartSky {
    static constexpr int kNumMilkyWayPaths = 30;

    std::span<const star> stars;
    // The positions of the stars on screen, in order; none: look at every
    // record's state.
    std::optional<std::span<const std::uint32_t>> starsOnScreen;
    const star* simStar = nullptr;
    std::span<const deepSky> deepSkyData;
    std::span<const conLine> conLines;
    std::span<const conLocn> conLocns;
    std::span<const boundaryLocn> boundaries;
    std::span<const RALocn> raGrid;       // 3044 points when loaded
    std::span<const AltAzLocn> altAzGrid;  // 3114 points when loaded
    std::span<const MWCoord> mwCoords;
    std::array<QPainterPath, kNumMilkyWayPaths> mwPaths;
    std::array<bool, kNumMilkyWayPaths> mwPathVisible{};
    std::span<const planet> planets;  // Sun, Mercury … Pluto, Moon, shadow
    std::span<const comet> comets;
    std::span<const minorPlanet> minorPlanets;
    // For a large table, the positions of the records on screen, in order;
    // none: look at every record's state.
    std::optional<std::span<const std::uint32_t>> minorPlanetsOnScreen;
    // Array position of the nearest near-Earth object of the last pass.
    std::optional<std::uint32_t> neoIndex;
    std::span<const planetPath> planetPaths;  // 40 points of the selected body
    bool hasPlanetPath = false;
    std::span<const meteor> meteors;

    // The Moon's disc and phase (radians; phase in illuminated percent,
    // negative while waning).
    double moonAD = 0.0;
    double moonHP = 0.0;
    double moonTermA = 0.0;
    double moonPhase = 0.0;

    double radius = 0.0;  // the projection scale R
    bool isHorizon = false;
    QPainterPath horizonPath;  // the ground area
    QPointF horizonPt;         // the horizon below the view centre

    // For the coordinate helpers: site, moment and view of the last pass.
    SkyCoordinates::Site site{0.0, 0.0};
    SkyCoordinates::View view{0.0, 0.0, 0.0, 0.0f, 0.0f};

    double sunAlt = 0.0;    // the Sun's altitude, radians
    bool isDatePM = false;  // the sky date's hour is past 12
    QDateTime skyDate;      // the moment drawn
};

// Calls `f` with every star on screen, in order: only the records the list
// names where there is one (they are large, and most lie off screen).
template <class Function>
void forEachStarOnScreen(const ChartSky& sky, Function&& f)
{
    const auto visit = [&](const star& s) {
        if (s.state == kStateOnScreen)
            f(s);
    };
    if (!sky.starsOnScreen) {
        for (const star& s : sky.stars)
            visit(s);
        return;
    }
    // The records lie scattered through a large table: each is asked for a
    // few ahead of its turn, every cache line the drawing reads of it.
    constexpr std::size_t kAhead = 8;
    const std::span<const std::uint32_t> list = *sky.starsOnScreen;
    for (std::size_t k = 0; k < list.size(); ++k) {
        if (k + kAhead < list.size() && list[k + kAhead] < sky.stars.size()) {
            const auto* ahead = reinterpret_cast<const char*>(&sky.stars[list[k + kAhead]]);
            __builtin_prefetch(ahead);
            __builtin_prefetch(ahead + offsetof(star, state));
            __builtin_prefetch(ahead + sizeof(star) - 1);
        }
        if (list[k] < sky.stars.size())
            visit(sky.stars[list[k]]);
    }
}
