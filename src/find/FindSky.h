#pragma once

#include "model/records/comet.h"
#include "model/records/conLocn.h"
#include "model/records/deepSky.h"
#include "model/records/minorPlanet.h"
#include "model/records/planet.h"
#include "model/records/star.h"

#include <QPainterPath>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <span>

// What the finder reads of the astronomy model: the catalogues in their
// order, the last projection pass's precession and horizon, and the one
// lookup star it builds.
class FindSky {
public:
    virtual ~FindSky() = default;

    virtual std::span<const star> stars() const = 0;
    virtual std::span<const deepSky> deepSkyData() const = 0;
    virtual std::span<const conLocn> conLocnArray() const = 0;
    virtual std::span<const comet> comets() const = 0;
    virtual std::span<const minorPlanet> minorPlanets() const = 0;
    // Sun, Mercury … Pluto, Moon, Earth's shadow point.
    virtual std::span<const planet> planets() const = 0;
    // Changes whenever a catalogue's table is loaded, rebuilt or replaced:
    // what the finder gathered from the tables is gathered again then.
    virtual std::uint64_t catalogueVersion() const = 0;
    // The nearest near-Earth object of the last minor-planet pass; empty when none.
    virtual QString neoName() const = 0;
    virtual std::optional<std::uint32_t> neoIndex() const = 0;
    // The sky date's Julian day.
    virtual double julianDay() const = 0;
    // Turns the view centre to the find selection; the caller re-projects.
    virtual void centerObject() = 0;

    // J2000 to the equator of the sky date, row by row.
    virtual const std::array<double, 9>& precessionMatrix() const = 0;
    // ra, dec (radians of date) → az (radians, 0..2π, from north through east), alt (radians).
    virtual void CalculateAzFromRA(double ra, double dec, double* az, double* alt) const = 0;
    // The site's horizon profile in (azimuth, altitude) radians; inside lies behind the horizon.
    virtual const std::optional<QPainterPath>& horizonAltAzPath() const = 0;

    // The lookup star: degrees J2000, milliarcseconds per year.
    virtual void createSimStar(double ra, double dec, const QString& name, const QString& number,
                               double pmRA, double pmDec, float mag) = 0;
    virtual void clearSimStar() = 0;
    virtual const star* simStar() const = 0;
    // The projection pass; `force` recomputes the horizon vectors.
    virtual void calculateStarPositions(bool force) = 0;
};
