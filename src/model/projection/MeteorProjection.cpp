#include "model/projection/MeteorProjection.h"

#include "model/projection/RecordHorizon.h"

namespace MeteorProjection {

bool isInWindow(const meteor& shower, const QDate& date)
{
    return shower.month == date.month() && shower.day >= date.day() - 1 &&
           shower.day <= date.day() + 1;
}

void project(std::span<meteor> showers, const ProjectionFrame& frame, bool isTimeChange,
             const QDate& date)
{
    for (meteor& shower : showers) {
        const HorizonVector h = RecordHorizon::ofDate(shower, frame, isTimeChange);
        FloatPoint point;
        shower.visible = 0;
        if (isInWindow(shower, date) && frame.isShown(h, frame.cut(), point)) {
            shower.screenX = point.x;
            shower.screenY = point.y;
            shower.visible = 1;
        }
    }
}

}  // namespace MeteorProjection
