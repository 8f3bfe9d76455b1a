#pragma once

#include "model/projection/ProjectionFrame.h"

// The horizon vector kept in a record's horX, horY, horZ. Records are packed,
// so the fields are copied, never bound by reference.
namespace RecordHorizon {

template <class Record>
HorizonVector stored(const Record& r)
{
    return {r.horX, r.horY, r.horZ};
}

template <class Record>
void store(Record& r, const HorizonVector& h)
{
    r.horX = h.x;
    r.horY = h.y;
    r.horZ = h.z;
}

// Recomputes the horizon vector from the record's equatorial vector of date
// while the sky moved, else takes the stored one.
template <class Record>
HorizonVector ofDate(Record& r, const ProjectionFrame& frame, bool isTimeChange)
{
    if (!isTimeChange)
        return stored(r);
    const HorizonVector h = frame.fromDate(r.vecX, r.vecY, r.vecZ);
    store(r, h);
    return h;
}

// The same for a record whose equatorial vector is of J2000.0 (precessed).
template <class Record>
HorizonVector ofJ2000(Record& r, const ProjectionFrame& frame, bool isTimeChange)
{
    if (!isTimeChange)
        return stored(r);
    const HorizonVector h = frame.fromJ2000(r.vecX, r.vecY, r.vecZ);
    store(r, h);
    return h;
}

// For the overlay records with a `visible` flag and a `screenPt`: clears the
// flag, then sets it with the chart point when the direction is above `cut`
// and inside the view.
template <class Record>
void show(Record& r, const HorizonVector& h, const ProjectionFrame& frame, double cut)
{
    FloatPoint point;
    r.visible = 0;
    if (frame.isShown(h, cut, point)) {
        r.screenPt = point;
        r.visible = 1;
    }
}

// For the records with a `state` and screenX, screenY that passed their filter.
template <class Record>
void place(Record& r, const HorizonVector& h, const ProjectionFrame& frame, double cut)
{
    FloatPoint point;
    r.state = frame.place(h, cut, point);
    if (r.state == kStateOnScreen) {
        r.screenX = point.x;
        r.screenY = point.y;
    }
}

}  // namespace RecordHorizon
