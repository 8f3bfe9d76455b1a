#pragma once

// The planetary pass of the solar-system subsystem, which the projection pass
// runs when the sky moved: the apparent places of the Sun, the planets, Pluto
// and the Moon, written into the astronomy model's planet records.
class PlanetPositions {
public:
    virtual ~PlanetPositions() = default;
    // For the sky date moved by `dayOffset` days: `body` 1 to 8 (Mercury to
    // Pluto) or -1 for all; `pathSlot` 0 to 39 for one point of the selected
    // body's path, -1 for the records; `plotOnly` for the orbit plot's
    // longitudes alone.
    virtual void calculatePlanetPositions(double dayOffset, int body, int pathSlot,
                                          bool plotOnly) = 0;
};
