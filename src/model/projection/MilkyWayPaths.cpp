#include "model/projection/MilkyWayPaths.h"

#include "model/projection/RecordHorizon.h"

void MilkyWayPaths::project(std::span<MWCoord> coords, const ProjectionFrame& frame,
                            bool isTimeChange)
{
    if (coords.size() != std::size_t(MilkyWayTable::kNumPoints))
        return;
    const double cut = frame.overlayCut();
    for (MWCoord& point : coords) {
        const HorizonVector h = RecordHorizon::ofJ2000(point, frame, isTimeChange);
        const double depth = frame.depth(h);
        point.visible = h.z <= cut && frame.isInView(depth);
        // Straight behind the view centre there is no point; the old one stays.
        if (depth > -1.0) {
            const FloatPoint p = frame.chartPoint(h, depth);
            point.screenX = p.x;
            point.screenY = p.y;
        }
    }
    for (int k = 0; k < MilkyWayTable::kNumPaths; ++k) {
        const MilkyWayTable::Outline& outline = MilkyWayTable::kOutlines[std::size_t(k)];
        bool isVisible = false;
        for (int i = outline.first; i <= outline.last && !isVisible; ++i)
            isVisible = coords[std::size_t(i)].visible != 0;
        m_isVisible[std::size_t(k)] = isVisible;
        m_paths[std::size_t(k)] =
            isVisible ? MilkyWayTable::outlinePath(k, coords) : QPainterPath();
    }
}
