#pragma once

#include "model/catalogue/CatalogueFolders.h"
#include "model/catalogue/CatalogueMessages.h"
#include "model/catalogue/HorizonTables.h"
#include "model/catalogue/MilkyWayTable.h"
#include "model/projection/ProjectionPass.h"
#include "model/SimulatedStar.h"
#include "model/SkyCoordinates.h"
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

#include <QPainterPath>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

class CacheRebuilder;
class CustomFilterList;
class PlanetPositions;
class PrefControl;
class SkyDateModel;
class SmallBodyCatalogues;
class SmallBodyPositions;

// The astronomy model's catalogue store: it owns every catalogue and overlay
// as an array of fixed-size records and hands them out in place. Other code
// reads and, in the projection pass, writes the records' place and state
// fields, but never resizes the arrays nor keeps them across a rebuild.
class StarDatabaseModel {
public:
    static constexpr int kNumPlanets = 11;
    static constexpr int kNumPlanetPathPoints = 40;

    StarDatabaseModel() = default;
    StarDatabaseModel(const StarDatabaseModel&) = delete;
    StarDatabaseModel& operator=(const StarDatabaseModel&) = delete;

    // Launch: forms the folders, then loads (or builds) every table in order.
    // A table that cannot be had shows the "Startup Failed" alert and throws
    // StartupFailure, loading nothing more.
    void setupDatabase();
    void setupDatabase(const CatalogueFolders& folders);

    // Rebuilds from their sources the user-side caches that exist: stars, deep
    // sky, then those of the registered rebuilders in their order. A failed
    // rebuild shows its message in the "Startup Failed" alert but keeps the
    // old cache and table, and the program goes on; false when one failed.
    bool rebuildDatabase();

    // Set before setupDatabase by the subsystems that own those tables.
    void setSmallBodyCatalogues(SmallBodyCatalogues* catalogues) { m_smallBodies = catalogues; }
    // The settings object and the sky date the projection pass reads.
    void setLinks(PrefControl& prefControl, SkyDateModel& skyDate)
    {
        m_prefControl = &prefControl;
        m_skyDate = &skyDate;
    }
    // What the projection pass calls: the solar-system passes and the
    // preferences window's custom deep-sky list. Each may stay unset.
    void setPlanetPositions(PlanetPositions* planets) { m_projectionServices.planets = planets; }
    void setSmallBodyPositions(SmallBodyPositions* smallBodies)
    {
        m_projectionServices.smallBodies = smallBodies;
    }
    void setCustomFilterList(const CustomFilterList* list)
    {
        m_projectionServices.customFilterList = list;
    }
    void addCacheRebuilder(CacheRebuilder& rebuilder) { m_rebuilders.push_back(&rebuilder); }
    // Where lines for the debug log go (only while debugging is on).
    void setDebugSink(std::function<void(const QString&)> sink) { m_debug = std::move(sink); }

    // The launch steps, each raising the start-up failure on error.
    void createStarData();
    void createDeepSkyData();
    void createConstellationNames();
    void createBoundaryData();
    void createRAGrid();
    void createAltAzGrid();
    void createMilkyWay();
    void createMeteors();

    // Fills the five custom-horizon slots from their caches, or from their
    // texts when `rebuild` is set. Never alerts.
    void createCustomHorizons(bool rebuild);
    // The horizon figure from the text of site slot `currentSite`; none when
    // that text gives no usable horizon.
    void createHorizonAltAz(int currentSite);
    // The horizon figure from the photographic horizon's outline profile.
    void createPhotoAltAz(std::span<const std::uint16_t, 256> pixelNotAlpha);

    const QString& databaseDirectory() const { return m_folders.databaseDirectory; }
    const QString& buildDirectory() const { return m_folders.buildDirectory; }
    const QString& photoDirectory() const { return m_folders.photoDirectory; }
    const QString& imagesDirectory() const { return m_folders.imagesDirectory; }
    const QString& miscDirectory() const { return m_folders.miscDirectory; }
    const QString& tourDirectory() const { return m_folders.tourDirectory; }
    const QString& mythDirectory() const { return m_folders.mythDirectory; }

    // Changes whenever a catalogue table is loaded, rebuilt or replaced, the
    // comets' and minor planets' included.
    std::uint64_t catalogueVersion() const;

    std::uint32_t numStars() const { return std::uint32_t(m_stars.size()); }
    std::span<star> stars() { return m_stars; }
    std::span<const star> stars() const { return m_stars; }

    std::uint32_t numDeepSky() const { return std::uint32_t(m_deepSky.size()); }
    std::span<deepSky> deepSkyData() { return m_deepSky; }
    std::span<const deepSky> deepSkyData() const { return m_deepSky; }

    std::uint32_t numConLines() const { return std::uint32_t(m_conLines.size()); }
    std::span<const conLine> conLinesArray() const { return m_conLines; }

    std::span<conLocn> conLocnArray() { return m_conLocns; }
    std::span<const conLocn> conLocnArray() const { return m_conLocns; }

    // Read and checked at the start like every table, the boundaries are then
    // held only while their layer shows (a projection with it off lets them
    // go; the next with it on reads them again). Empty while let go.
    std::uint32_t numBoundary() const { return std::uint32_t(m_boundaries.size()); }
    std::span<boundaryLocn> boundaryLocns() { return m_boundaries; }
    std::span<const boundaryLocn> boundaryLocns() const { return m_boundaries; }

    // Exactly 3044 and 3114 points once set up.
    std::span<RALocn> raLocnArray() { return m_raGrid; }
    std::span<const RALocn> raLocnArray() const { return m_raGrid; }
    std::span<AltAzLocn> altAzArray() { return m_altAzGrid; }
    std::span<const AltAzLocn> altAzArray() const { return m_altAzGrid; }

    // Custom horizon k (0 to 4); 0 and empty for any other k.
    std::uint32_t numHorizon(int k) const;
    std::span<AltAzLocn> horizonArray(int k);
    std::span<const AltAzLocn> horizonArray(int k) const;

    std::span<MWCoord> mwCoords() { return m_mwCoords; }
    std::span<const MWCoord> mwCoords() const { return m_mwCoords; }
    // Milky Way outline k, 0 to 29.
    int pathSkipLine(int k) const { return MilkyWayTable::pathSkipLine(k); }

    std::span<meteor> meteors() { return m_meteors; }
    std::span<const meteor> meteors() const { return m_meteors; }

    // The comet and minor-planet tables of the small-body positions, empty
    // while those are not set.
    std::uint32_t numComets() const { return std::uint32_t(comets().size()); }
    std::span<comet> comets();
    std::span<const comet> comets() const;
    std::uint32_t numMinorPlanets() const { return std::uint32_t(minorPlanets().size()); }
    std::span<minorPlanet> minorPlanets();
    std::span<const minorPlanet> minorPlanets() const;

    // Sun, Mercury … Pluto, Moon, Earth's shadow point; `index` 0 to 10.
    std::span<planet, kNumPlanets> planets() { return m_planets; }
    std::span<const planet, kNumPlanets> planets() const { return m_planets; }
    // The path of the selected body.
    std::span<planetPath, kNumPlanetPathPoints> planetPaths() { return m_planetPaths; }
    std::span<const planetPath, kNumPlanetPathPoints> planetPaths() const { return m_planetPaths; }
    // The 40 path points hold the selected body's path; set by the path builder.
    bool hasPlanetPath() const { return m_hasPlanetPath; }
    void setHasPlanetPath(bool hasPath) { m_hasPlanetPath = hasPath; }

    // The horizon figure (x azimuth, y altitude, radians), or none.
    const std::optional<QPainterPath>& horizonAltAzPath() const { return m_horizonAltAzPath; }

    // The projection pass (StarDatabaseModelProjection.cpp): places every
    // catalogue and overlay on the chart for the settings and the sky date of
    // the links (nothing before they are set); `force` after a change of
    // settings or of what is shown. See ProjectionPass.
    void calculateStarPositions(bool force);
    // The same for inputs gathered elsewhere.
    void calculateStarPositions(const ProjectionInputs& inputs, bool force);

    // What the last pass left. The scale, in points: a direction at angle t
    // from the view centre lies radius * tan(t / 2) from it.
    double radius() const { return m_projection.radius(); }
    double xLimit() const { return m_projection.xLimit(); }
    // The view rectangle (single-precision values) and angle (degrees) of the scale.
    const QRectF& skyRect() const { return m_projection.skyRect(); }
    double viewAngle() const { return m_projection.viewAngle(); }
    bool isTimeChange() const { return m_projection.isTimeChange(); }
    // The precession from J2000.0 to the sky date, row by row.
    const std::array<double, 9>& precessionMatrix() const { return m_projection.precession().p; }
    // The whole frame of the last pass.
    const ProjectionFrame& projectionFrame() const { return m_projection.frame(); }
    // The positions of the stars on screen, in order, while the table is
    // the one the last pass projected.
    std::optional<std::span<const std::uint32_t>> starsOnScreen() const
    {
        return m_projection.starsOnScreen(m_stars);
    }
    // The minor-planet step of the last pass, for the parallel small-body pass.
    const MinorPlanetProjector& minorPlanetProjector() const
    {
        return m_projection.minorPlanetProjector();
    }
    // Milky Way outline k, 0 to 29, and whether it has a visible point.
    const QPainterPath& mwPath(int k) const { return m_projection.milkyWay().mwPath(k); }
    bool pathIsVisible(int k) const { return m_projection.milkyWay().pathIsVisible(k); }
    // The ground area of the chart, whether there is one, and where the
    // horizon crosses the vertical through the view centre.
    const QPainterPath& horizonPath() const { return m_projection.ground().horizonPath(); }
    bool isHorizon() const { return m_projection.ground().isHorizon(); }
    QPointF horizonPt() const { return m_projection.ground().horizonPt(); }

    // Coordinate helpers for the current site, sky date and view; they read
    // the last projection pass's scale, sky rectangle and precession.
    // ra, dec (radians of date) → az (radians, 0..2π) and alt (radians).
    void CalculateAzFromRA(double ra, double dec, double* az, double* alt) const;
    // az, alt (DEGREES) → ra (radians, 0..2π) and dec (radians).
    void CalcRAFromAz(double az, double alt, double* ra, double* dec) const;
    // az, alt (radians) → chart point, y upward.
    FloatPoint CalculateAzPoint(double az, double alt) const;
    // Chart point → mouseAlt, mouseAz, mouseRA, mouseDec (degrees); they keep
    // their values when the point gives no valid right ascension.
    void calculateCursorPosition(FloatPoint point);
    double mouseAlt() const { return m_mouse.alt; }
    double mouseAz() const { return m_mouse.az; }
    double mouseRA() const { return m_mouse.ra; }
    double mouseDec() const { return m_mouse.dec; }
    // Turns the view centre to the find selection's current place; an index
    // the model holds no record for changes nothing. The caller re-projects.
    void centerObject();

    // The temporary star of an online lookup (degrees J2000, milliarcseconds
    // per year), or none.
    void createSimStar(double ra, double dec, const QString& name, const QString& number,
                       double pmRA, double pmDec, float mag)
    {
        m_simStar.create(ra, dec, name, number, pmRA, pmDec, mag);
    }
    void clearSimStar() { m_simStar.clear(); }
    star* simStar() { return m_simStar.get(); }
    const star* simStar() const { return m_simStar.get(); }

private:
    void loadConstellationLines();
    void resetPlanetRecords();
    // Rebuilds one of the model's own caches when it exists; false on failure.
    template <class Table, class Record>
    bool rebuildCache(const Table& table, std::vector<Record>& records);
    // Lets the boundaries go while hidden, reads them again when shown; a
    // table gone since the start leaves the layer empty, after its alert.
    void keepBoundaries(bool isShown);

    CatalogueFolders m_folders;
    PrefControl* m_prefControl = nullptr;
    SkyDateModel* m_skyDate = nullptr;
    SmallBodyCatalogues* m_smallBodies = nullptr;
    std::vector<CacheRebuilder*> m_rebuilders;
    std::uint32_t m_tableLoads = 0;  // of the star and deep-sky tables
    std::function<void(const QString&)> m_debug;

    std::vector<star> m_stars;
    std::vector<deepSky> m_deepSky;
    std::vector<conLine> m_conLines;
    std::vector<conLocn> m_conLocns;
    std::vector<boundaryLocn> m_boundaries;
    bool m_isBoundaryReleased = false;
    std::vector<RALocn> m_raGrid;
    std::vector<AltAzLocn> m_altAzGrid;
    HorizonTables::Slots m_horizons;
    std::vector<MWCoord> m_mwCoords;
    std::vector<meteor> m_meteors;
    std::array<planet, kNumPlanets> m_planets{};
    std::array<planetPath, kNumPlanetPathPoints> m_planetPaths{};
    bool m_hasPlanetPath = false;
    std::optional<QPainterPath> m_horizonAltAzPath;

    ProjectionPass m_projection;
    ProjectionPass::Services m_projectionServices;
    SimulatedStar m_simStar;
    SkyCoordinates::Position m_mouse{};
};
