#pragma once

// Computes the path of the selected body.
class PlanetPathSource {
public:
    virtual ~PlanetPathSource() = default;
    virtual void calculatePlanetPath() = 0;
};
