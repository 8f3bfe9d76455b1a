#include "model/projection/GridProjection.h"

#include "model/projection/RecordHorizon.h"

#include <algorithm>
#include <limits>

namespace {

// No horizon cut; inside the view, or anywhere in the all-sky chart but
// straight behind its centre (the nadir), which has no finite point.
void showAltAz(std::span<AltAzLocn> points, const ProjectionFrame& frame)
{
    for (AltAzLocn& point : points) {
        const HorizonVector h = RecordHorizon::stored(point);
        const double depth = frame.depth(h);
        point.visible = 0;
        if (frame.isInView(depth) || (frame.isAllSky() && depth > -1.0)) {
            point.screenPt = frame.chartPoint(h, depth);
            point.visible = 1;
        }
    }
}

}  // namespace

namespace GridProjection {

void projectRAGrid(std::span<RALocn> points, const ProjectionFrame& frame, bool isTimeChange)
{
    // Any height passes the cut in the all-sky chart.
    const double cut =
        frame.isAllSky() ? std::numeric_limits<double>::infinity() : frame.overlayCut();
    for (RALocn& point : points) {
        const HorizonVector h = RecordHorizon::ofDate(point, frame, isTimeChange);
        RecordHorizon::show(point, h, frame, cut);
    }
}

void projectAltAzGrid(std::span<AltAzLocn> table, const ProjectionFrame& frame)
{
    showAltAz(table.first(std::min(table.size(), kAltAzGridLines)), frame);
}

void projectAltAzMarks(std::span<AltAzLocn> table, const ProjectionFrame& frame)
{
    if (table.size() > kAltAzGridLines)
        showAltAz(table.subspan(kAltAzGridLines), frame);
}

}  // namespace GridProjection
