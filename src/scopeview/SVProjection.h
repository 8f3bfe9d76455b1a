#pragma once

#include "scopeview/SVAngles.h"

#include "model/projection/StereographicProjection.h"

#include <QPointF>

#include <array>
#include <optional>

// Where a direction lands in the telescope view: stereographic about the
// field centre, east to the left and north up (points, y upward, before the
// view transform). Every layer of the view projects through this one object,
// made once per drawing pass.
class SVProjection {
public:
    // `ra0`, `dec0`: the field centre of date (radians); `precession`: the
    // J2000-to-date rotation, row by row.
    SVProjection(const SVAngles& angles, double ra0, double dec0,
                 const std::array<double, 9>& precession);

    // A unit vector of the equator of date; nothing when it lies outside the cull.
    std::optional<QPointF> projectOfDate(double x, double y, double z) const;
    // A J2000 unit vector, turned to the equator of date first.
    std::optional<QPointF> projectJ2000(double x, double y, double z) const;

    // False only for a J2000 unit vector that stays outside the cull however
    // it moves by up to `reach` radians: a test of three products, to run
    // before the trigonometry of a place.
    bool mayShowJ2000(double x, double y, double z, double reach) const;

    // The angle from the field centre (radians) beyond which every direction
    // lies outside the cull.
    double cullRadius() const;

    // A J2000 unit vector turned to the equator of date.
    std::array<double, 3> toDate(double x, double y, double z) const;
    // The field centre's J2000 right ascension and declination (degrees).
    std::array<double, 2> centreJ2000() const;

    // The same centre and rotation at another scale (a printed page's).
    SVProjection scaled(const SVAngles& angles) const { return {angles, m_ra0, m_dec0, m_precession}; }

    double ra0() const { return m_ra0; }
    double dec0() const { return m_dec0; }

private:
    StereographicProjection m_projection;
    std::array<double, 9> m_precession;
    double m_xLimit;
    std::array<double, 3> m_centreJ2000;  // the direction of greatest depth
    double m_ra0;
    double m_dec0;
};
