#include "model/projection/MinorPlanetProjector.h"

#include "model/projection/RecordHorizon.h"

bool MinorPlanetProjector::project(minorPlanet& record, std::uint32_t i,
                                    std::optional<std::uint32_t> neoIndex) const
{
    if (!m_filter.passes(record.source, record.mag, i, neoIndex)) {
        record.state = kStateFiltered;
        return false;
    }
    const HorizonVector h = RecordHorizon::ofDate(record, m_frame, m_isTimeChange);
    RecordHorizon::place(record, h, m_frame, m_frame.cut());
    return record.state == kStateOnScreen;
}
