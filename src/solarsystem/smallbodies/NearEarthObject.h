#pragma once

#include <array>
#include <cstdint>

// The nearest object of the near-Earth list found by the last full pass.
// `hasNeo` says whether there is one at all, so that minor planet 0 is not
// taken for it when the list is empty or far away.
struct NearEarthObject {
    static constexpr double kNoDistance = 9999999.0;

    bool hasNeo = false;
    double distance = kNoDistance;  // AU
    std::uint32_t index = 0;        // minor-planet index
    std::array<char, 33> name{};    // NUL-terminated

    // Before a search: none found yet, the name cleared.
    void reset();
    // Takes the candidate when it is strictly nearer than the one held (so a
    // tie keeps the earlier, lower index). `candidateName` is NUL-terminated.
    void offer(double candidateDistance, std::uint32_t candidateIndex, const char* candidateName);

    bool isNeo(std::uint32_t minorPlanetIndex) const { return hasNeo && index == minorPlanetIndex; }
};
