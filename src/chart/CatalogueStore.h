#pragma once

// The astronomy model's catalogue store as the launch uses it.
class CatalogueStore {
public:
    virtual ~CatalogueStore() = default;
    // Loads or builds every table; a table that cannot be had shows the
    // "Startup Failed" alert and throws StartupFailure.
    virtual void setupDatabase() = 0;
    // Builds the custom horizon outline of site slot `currentSite`.
    virtual void createHorizonAltAz(int currentSite) = 0;
    // Rebuilds the five custom horizons from their text files.
    virtual void createCustomHorizons() = 0;
};
