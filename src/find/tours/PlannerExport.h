#pragma once

#include <QString>
#include <QStringList>

// The object list an outside observing planner exports, read as a tour: a
// "<<Objects>>" section of TAB-separated rows (column 1 or 2 the id, 3 the
// right ascension in hours, 4 the declination in degrees, 9 the type).
struct PlannerExport {
    static constexpr const char* kMarker = "<<Objects>>";
    // What stands for "find it by its id" in `coordinates`.
    static constexpr const char* kFindByName = "-1";

    QStringList names;        // one id per object
    QStringList coordinates;  // "hh:mm.mmmm:±dd:mm.mmmm", or kFindByName

    static bool isExport(const QString& text);
    // The objects of the section after the marker, up to the next "<<" line.
    // Missing columns read as empty; a row without a position is skipped
    // unless its type is a solar-system body (found by name).
    static PlannerExport parse(const QString& text);
    // The typed position of RA `hours`, Dec `degrees` as the finder takes it.
    static QString coordinateText(double hours, double degrees);
};
