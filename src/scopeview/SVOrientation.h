#pragma once

#include <QTransform>

class PrefControl;

// How the telescope view is turned for the chosen telescope and mount: the
// optics' east-west and north-south reversals and, for an alt-azimuth mount,
// the field rotation (the parallactic angle).
struct SVOrientation {
    double ewSign = 1.0;  // -1 when the optics reverse east and west
    double nsSign = 1.0;  // -1 when they reverse north and south
    double qP = 0.0;      // field rotation, radians

    // The flips of the current telescope (none without one) and, with the
    // alt-azimuth setting on, the rotation for the centre (radians of date)
    // at the local sidereal time `primeMeridian` (degrees).
    static SVOrientation of(const PrefControl& prefs, double primeMeridian, double ra, double dec);
    // Only the flips; what the arrow keys pan by.
    static SVOrientation flipsOf(const PrefControl& prefs);

    // The parallactic angle (radians) of a direction at hour angle `hourAngle`
    // and declination `dec` (radians) seen from latitude `latitude` (radians):
    // 0 south of the zenith on the meridian, pi north of it.
    static double parallacticAngle(double latitude, double hourAngle, double dec);

    // The view transform `tran` about the view centre (`svOffset`, both axes):
    // the flips, then the rotation by -qP.
    QTransform tran(double svOffset) const;
};
