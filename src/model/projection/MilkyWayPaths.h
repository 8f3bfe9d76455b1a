#pragma once

#include "model/catalogue/MilkyWayTable.h"
#include "model/projection/ProjectionFrame.h"
#include "model/records/MWCoord.h"

#include <QPainterPath>

#include <array>
#include <span>

// The Milky Way outlines on the chart: every point of the built-in table
// projected (its chart point written even when it is hidden, so the outlines
// run on past the edges), then one path per outline that has a visible point.
class MilkyWayPaths {
public:
    // `coords` is the built-in table of MilkyWayTable::kNumPoints points;
    // any other table is left alone.
    void project(std::span<MWCoord> coords, const ProjectionFrame& frame, bool isTimeChange);

    // Outline k, 0 to 29: empty when none of its points is visible.
    const QPainterPath& mwPath(int k) const { return m_paths.at(std::size_t(k)); }
    bool pathIsVisible(int k) const { return m_isVisible.at(std::size_t(k)); }

private:
    std::array<QPainterPath, MilkyWayTable::kNumPaths> m_paths;
    std::array<bool, MilkyWayTable::kNumPaths> m_isVisible{};
};
