#pragma once

// The Sun's height over the site, for the chart's sky colour and twilight.
namespace SunSky {

// ra, dec: apparent place, radians; lst: local sidereal time, degrees;
// latitude: degrees north. Altitude in radians.
double altitude(double ra, double dec, double lst, double latitude);

// Azimuth from north through east, radians 0..2 pi; arguments as above.
double azimuth(double ra, double dec, double lst, double latitude);

// Twilight indicator: the altitude in degrees plus 18, held to -0.5..17.5.
double twilightLevel(double altitude);

}  // namespace SunSky
