#pragma once

#include "model/projection/ProjectionFrame.h"
#include "model/records/meteor.h"

#include <QDate>

#include <span>

// The meteor-shower radiants on the chart: a radiant is shown within a day of
// its shower's peak, above the horizon and inside the view. Radiants are of
// date (never precessed).
namespace MeteorProjection {

// Within a day of the peak, inside one month: a shower peaking on the 1st is
// not shown on the last day of the month before.
bool isInWindow(const meteor& shower, const QDate& date);

// `date` is the sky date in the program's calendar and time zone.
void project(std::span<meteor> showers, const ProjectionFrame& frame, bool isTimeChange,
             const QDate& date);

}  // namespace MeteorProjection
