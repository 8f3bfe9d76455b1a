#pragma once

// The polar-alignment panel's offsets for the next Track.
class AlignmentDelta {
public:
    virtual ~AlignmentDelta() = default;
    // Computes dRA and dDec; false when they cannot be had (the panel has
    // told the user).
    virtual bool calcDelta() = 0;
    virtual double dRA() const = 0;   // radians
    virtual double dDec() const = 0;  // radians
};
