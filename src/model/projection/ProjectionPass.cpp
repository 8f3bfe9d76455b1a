#include "model/projection/ProjectionPass.h"

#include "model/Angles.h"
#include "model/projection/CatalogueFilters.h"
#include "model/projection/CatalogueProjection.h"
#include "model/projection/DeepSkyFilter.h"
#include "model/projection/GridProjection.h"
#include "model/projection/MeteorProjection.h"
#include "model/projection/PlanetPositions.h"
#include "model/projection/SmallBodyPositions.h"
#include "model/projection/SolarSystemProjection.h"
#include "platform/AppTimeZone.h"
#include "platform/VectorState.h"


namespace {

// The view rectangle is kept in single precision.
QRectF singlePrecision(const QRectF& r)
{
    return QRectF(float(r.x()), float(r.y()), float(r.width()), float(r.height()));
}

}  // namespace

bool ProjectionPass::updateScale(const ProjectionInputs& inputs, bool force)
{
    const QRectF rect = singlePrecision(inputs.skyViewRect);
    const double angle = inputs.viewAngle == 0.0 ? ViewScale::kDefaultViewAngle : inputs.viewAngle;
    if (!force && rect == m_skyRect && angle == m_viewAngle)
        return false;
    // A view with no usable scale keeps the last one.
    if (const auto scale = ViewScale::compute(rect, angle)) {
        m_skyRect = rect;
        m_viewAngle = angle;
        m_scale = *scale;
    }
    return true;
}

void ProjectionPass::calculateStarPositions(const ProjectionInputs& inputs,
                                            Catalogues& catalogues, const Services& services,
                                            bool force)
{
    bool isViewChanged = updateScale(inputs, force);
    const double altitude = inputs.altitude * Angles::kDegToRad;
    if (altitude != m_oldAltitude) {
        m_oldAltitude = altitude;
        isViewChanged = true;
    }
    const double primeMeridian = inputs.primeMeridian * Angles::kDegToRad;
    const double latitude = inputs.latitude * Angles::kDegToRad;
    m_isTimeChange = false;
    if (primeMeridian != m_oldPrimeMeridian || latitude != m_oldLatitude || force) {
        m_oldPrimeMeridian = primeMeridian;
        m_oldLatitude = latitude;
        m_isTimeChange = true;
    }
    m_precession = PrecessionMatrix::forJulianDay(inputs.julianDay);

    ProjectionFrame::View view;
    view.skyRect = m_skyRect;
    view.radius = m_scale.radius;
    view.xLimit = m_scale.xLimit;
    view.isAllSky = m_viewAngle > ViewScale::kAllSkyAngle;
    // The all-sky chart is centred on the zenith, whatever the view altitude.
    view.altitude = view.isAllSky ? Angles::kPi / 2.0 : altitude;
    view.azimuth = inputs.azimuth * Angles::kDegToRad;
    view.primeMeridian = primeMeridian;
    view.latitude = latitude;
    view.isBelow = inputs.isBelow;
    view.julianDay = inputs.julianDay;
    view.precession = m_precession;
    m_frame = ProjectionFrame(view);
    const bool tc = m_isTimeChange;

    // Ready before the small-body pass, which uses it for large tables.
    CatalogueFilters::MinorPlanetFilter minorPlanetFilter;
    minorPlanetFilter.limit =
        CatalogueFilters::smallBodyLimit(inputs.cometMagLimit, inputs.mpMagLimit);
    minorPlanetFilter.showMP = inputs.showMP;
    minorPlanetFilter.showNEO = inputs.showNEO;
    minorPlanetFilter.selected = inputs.selection.minorPlanet;
    m_minorPlanetProjector = MinorPlanetProjector(m_frame, minorPlanetFilter, tc);

    VectorState::clearUpper();
    CatalogueProjection::projectStars(
        catalogues.stars, m_frame, tc,
        {CatalogueFilters::starLimit(inputs.starMagLimit), inputs.selection.star}, m_starsOnScreen);
    m_projectedStars = catalogues.stars;
    if (catalogues.simStar)
        CatalogueProjection::projectSimStar(*catalogues.simStar, m_frame);
    if (inputs.isConstellations || inputs.isMyth)
        CatalogueProjection::projectLabels(catalogues.conLocns, m_frame, tc);
    if (inputs.isBoundaries)
        CatalogueProjection::projectBoundaries(catalogues.boundaries, m_frame, tc);

    if (tc && services.planets)
        services.planets->calculatePlanetPositions(0.0, -1, -1, false);
    SolarSystemProjection::projectPlanets(catalogues.planets, m_frame, tc);
    if (inputs.isPath && catalogues.hasPlanetPath)
        SolarSystemProjection::projectPath(catalogues.planetPaths, m_frame, tc);
    if (services.smallBodies)
        projectSmallBodies(inputs, *services.smallBodies);

    const DeepSkyFilter deepSkyFilter(inputs.deepSkySwitches, services.customFilterList);
    CatalogueProjection::projectDeepSky(catalogues.deepSkyData, m_frame, tc, deepSkyFilter,
                                        inputs.selection.deepSky);
    projectOverlays(inputs, catalogues, isViewChanged);
}

std::optional<std::span<const std::uint32_t>> ProjectionPass::starsOnScreen(std::span<const star> stars) const
{
    if (stars.data() != m_projectedStars.data() || stars.size() != m_projectedStars.size())
        return std::nullopt;
    return std::span<const std::uint32_t>(m_starsOnScreen);
}

void ProjectionPass::projectSmallBodies(const ProjectionInputs& inputs,
                                        SmallBodyPositions& smallBodies)
{
    const bool isLarge =
        smallBodies.minorPlanets().size() >= SmallBodyPositions::kParallelThreshold;
    if (m_isTimeChange || isLarge) {
        smallBodies.calculateCometPositions(SmallBodyPositions::kCometsAndMinorPlanets, 0.0, -1,
                                            -1);
    }

    CatalogueFilters::CometFilter cometFilter;
    cometFilter.limit = CatalogueFilters::smallBodyLimit(inputs.cometMagLimit, inputs.mpMagLimit);
    cometFilter.showComet = inputs.showComet;
    cometFilter.selected = inputs.selection.comet;
    SolarSystemProjection::projectComets(smallBodies.comets(), m_frame, m_isTimeChange,
                                         cometFilter);

    // A large table was projected by the small-body pass itself.
    if (isLarge)
        return;
    const std::span<minorPlanet> minorPlanets = smallBodies.minorPlanets();
    const std::optional<std::uint32_t> neoIndex = smallBodies.neoIndex();
    for (std::uint32_t i = 0; i < minorPlanets.size(); ++i)
        m_minorPlanetProjector.project(minorPlanets[i], i, neoIndex);
}

void ProjectionPass::projectOverlays(const ProjectionInputs& inputs, Catalogues& catalogues,
                                     bool isViewChanged)
{
    const bool tc = m_isTimeChange;
    const bool isAllSky = m_frame.isAllSky();
    if (inputs.isRA_Dec || inputs.isEcliptic || inputs.isEquator || tc)
        GridProjection::projectRAGrid(catalogues.raGrid, m_frame, tc);
    if (inputs.isAlt_Az || inputs.isMeridian || tc)
        GridProjection::projectAltAzGrid(catalogues.altAzGrid, m_frame);
    if (!inputs.isBelow || isAllSky)
        GridProjection::projectAltAzMarks(catalogues.altAzGrid, m_frame);

    // The custom ground is rebuilt on every pass; the flat one only when
    // its shape can have changed.
    const bool isCustom = inputs.isCustomHorizon && !isAllSky &&
                          m_ground.buildCustom(catalogues.customHorizon, m_frame);
    if (!isCustom && isViewChanged)
        m_ground.buildDefault(m_frame, m_viewAngle, m_skyRect);
    m_ground.placeHorizonPoint(m_frame);

    if (inputs.isMilkyWay)
        m_milkyWay.project(catalogues.mwCoords, m_frame, tc);
    if (inputs.isMeteor) {
        const QDate date = inputs.skyDate.toTimeZone(AppTimeZone::zone()).date();
        MeteorProjection::project(catalogues.meteors, m_frame, tc, date);
    }
}
