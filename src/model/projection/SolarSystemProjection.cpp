#include "model/projection/SolarSystemProjection.h"

#include "model/projection/RecordHorizon.h"

namespace SolarSystemProjection {

void projectPlanets(std::span<planet> planets, const ProjectionFrame& frame, bool isTimeChange)
{
    for (std::size_t k = 0; k < planets.size(); ++k) {
        planet& body = planets[k];
        const HorizonVector h = RecordHorizon::ofDate(body, frame, isTimeChange);
        if (k != 0) {
            RecordHorizon::place(body, h, frame, frame.cut());
            continue;
        }
        // Only the direction straight behind the view centre has no point.
        if (const auto point = frame.anyChartPoint(h)) {
            body.screenX = point->x;
            body.screenY = point->y;
        }
        body.state = kStateOnScreen;
    }
}

void projectPath(std::span<planetPath> points, const ProjectionFrame& frame, bool isTimeChange)
{
    for (planetPath& point : points) {
        const HorizonVector h = RecordHorizon::ofDate(point, frame, isTimeChange);
        FloatPoint chart;
        point.state = kStateOffView;
        if (frame.isShown(h, frame.cut(), chart)) {
            point.screenX = chart.x;
            point.screenY = chart.y;
            point.state = kStateOnScreen;
        }
    }
}

void projectComets(std::span<comet> comets, const ProjectionFrame& frame, bool isTimeChange,
                   const CatalogueFilters::CometFilter& filter)
{
    const auto count = std::uint32_t(comets.size());
    for (std::uint32_t i = 0; i < count; ++i) {
        comet& body = comets[i];
        if (!filter.passes(body.mag, i)) {
            body.state = kStateFiltered;
            continue;
        }
        const HorizonVector h = RecordHorizon::ofDate(body, frame, isTimeChange);
        RecordHorizon::place(body, h, frame, frame.cut());
    }
}

}  // namespace SolarSystemProjection
