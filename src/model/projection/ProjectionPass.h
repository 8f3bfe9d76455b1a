#pragma once

#include "model/projection/GroundArea.h"
#include "model/projection/MilkyWayPaths.h"
#include "model/projection/MinorPlanetProjector.h"
#include "model/projection/PrecessionMatrix.h"
#include "model/projection/ProjectionFrame.h"
#include "model/projection/ProjectionInputs.h"
#include "model/projection/ViewScale.h"
#include "model/records/AltAzLocn.h"
#include "model/records/MWCoord.h"
#include "model/records/RALocn.h"
#include "model/records/boundaryLocn.h"
#include "model/records/conLocn.h"
#include "model/records/deepSky.h"
#include "model/records/meteor.h"
#include "model/records/planet.h"
#include "model/records/planetPath.h"
#include "model/records/star.h"

#include <QRectF>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class CustomFilterList;
class PlanetPositions;
class SmallBodyPositions;

// The projection pass that runs before every redraw of the chart: for the
// view, the site and the sky date it decides the projection scale, whether
// the sky moved, and the precession; then, catalogue by catalogue in a fixed
// order, filters the records, turns their directions into the horizon frame,
// and gives each its visibility state and chart point; it builds the ground
// area and the Milky Way outlines. The solar-system passes run only when the
// sky moved (or, with a very large minor-planet table, always).
//
// It keeps between passes the scale, the angles of the last pass, the
// precession matrix and the overlays it built.
class ProjectionPass {
public:
    // The model's records the pass reads and writes, in place.
    struct Catalogues {
        std::span<star> stars;
        star* simStar = nullptr;  // the simulated star, when there is one
        std::span<conLocn> conLocns;
        std::span<boundaryLocn> boundaries;
        std::span<planet> planets;
        std::span<planetPath> planetPaths;
        bool hasPlanetPath = false;
        std::span<deepSky> deepSkyData;
        std::span<RALocn> raGrid;
        std::span<AltAzLocn> altAzGrid;
        std::span<AltAzLocn> customHorizon;  // of the current site
        std::span<MWCoord> mwCoords;
        std::span<meteor> meteors;
    };
    // What the pass calls; any may be absent.
    struct Services {
        PlanetPositions* planets = nullptr;
        SmallBodyPositions* smallBodies = nullptr;
        const CustomFilterList* customFilterList = nullptr;
    };

    // `force` recomputes the scale and every horizon vector and runs the
    // solar-system passes even when nothing seems to have changed: after a
    // change of settings or of what is shown. A change of sky date or site
    // needs no force.
    void calculateStarPositions(const ProjectionInputs& inputs, Catalogues& catalogues,
                                const Services& services, bool force);

    // The view rectangle and angle (degrees) of the last scale computation.
    const QRectF& skyRect() const { return m_skyRect; }
    double viewAngle() const { return m_viewAngle; }
    double radius() const { return m_scale.radius; }
    double xLimit() const { return m_scale.xLimit; }
    // The last pass found the sky moved.
    bool isTimeChange() const { return m_isTimeChange; }
    // From J2000.0 to the sky date of the last pass.
    const PrecessionMatrix& precession() const { return m_precession; }
    const ProjectionFrame& frame() const { return m_frame; }
    const MinorPlanetProjector& minorPlanetProjector() const { return m_minorPlanetProjector; }
    const GroundArea& ground() const { return m_ground; }
    const MilkyWayPaths& milkyWay() const { return m_milkyWay; }
    // The positions of the stars the last pass put on screen, in order,
    // when `stars` is the table it projected; none for another table.
    std::optional<std::span<const std::uint32_t>> starsOnScreen(std::span<const star> stars) const;

private:
    // The scale; true when it was recomputed (or forced).
    bool updateScale(const ProjectionInputs& inputs, bool force);
    void projectSmallBodies(const ProjectionInputs& inputs, SmallBodyPositions& smallBodies);
    void projectOverlays(const ProjectionInputs& inputs, Catalogues& catalogues,
                         bool isViewChanged);

    QRectF m_skyRect;
    double m_viewAngle = ViewScale::kDefaultViewAngle;
    ViewScale m_scale;
    double m_oldAltitude = 0.0;       // radians
    double m_oldPrimeMeridian = 0.0;  // radians
    double m_oldLatitude = 0.0;       // radians
    bool m_isTimeChange = false;
    PrecessionMatrix m_precession;
    ProjectionFrame m_frame;
    MinorPlanetProjector m_minorPlanetProjector;
    GroundArea m_ground;
    MilkyWayPaths m_milkyWay;
    std::vector<std::uint32_t> m_starsOnScreen;
    std::span<const star> m_projectedStars;  // the table they index
};
