#pragma once

#include "model/projection/CatalogueFilters.h"
#include "model/projection/ProjectionFrame.h"
#include "model/records/minorPlanet.h"

#include <cstdint>
#include <optional>

// The minor-planet step of the projection pass for one record: filter, horizon
// vector (recomputed only while the sky moved, and only for a record that
// passes), visibility state and chart point. The parallel small-body pass runs
// it on its worker threads for large tables; it writes only the record it is
// given and reads nothing that changes, so any number of threads may share one.
class MinorPlanetProjector {
public:
    MinorPlanetProjector() = default;
    MinorPlanetProjector(const ProjectionFrame& frame,
                         const CatalogueFilters::MinorPlanetFilter& filter, bool isTimeChange)
        : m_frame(frame), m_filter(filter), m_isTimeChange(isTimeChange)
    {
    }

    // Record `i` of the table; `neoIndex` is the nearest near-Earth object, if
    // any. True when the record ends on screen.
    bool project(minorPlanet& record, std::uint32_t i, std::optional<std::uint32_t> neoIndex) const;

    const ProjectionFrame& frame() const { return m_frame; }
    const CatalogueFilters::MinorPlanetFilter& filter() const { return m_filter; }
    bool isTimeChange() const { return m_isTimeChange; }

private:
    ProjectionFrame m_frame;
    CatalogueFilters::MinorPlanetFilter m_filter;
    bool m_isTimeChange = false;
};
