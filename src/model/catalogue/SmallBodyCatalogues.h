#pragma once

// The comet and minor-planet tables, which the solar-system subsystem loads
// or imports from the Minor Planet Center's element files. The catalogue
// store calls them at launch in its order of loading; their failures raise
// their own alerts and never end the launch.
class SmallBodyCatalogues {
public:
    virtual ~SmallBodyCatalogues() = default;
    // Loads "Comets.tvk", or imports the comet file when `rebuild` is set or
    // the cache cannot be read.
    virtual bool createCometData(bool rebuild) = 0;
    // Loads "MinorPlanets.tvk", or imports the orbit lists (or the full orbit
    // file, with all its orbits or the numbered ones only).
    virtual void createMinorPlanetData(bool rebuild, bool useOrbitFile, bool allOrbits) = 0;
};
