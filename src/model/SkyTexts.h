#pragma once

#include <QString>

// Right ascension and declination as the panels print them, to a tenth of a
// second; seconds that would print as 60.0 carry upward.
namespace SkyTexts {

// Degrees → "%dh %dm %.1fs", 24h wrapping to 0h.
QString raText(double degrees);
// Degrees → "%d° %d' %.1f\"", with "-0°" for south of the equator within a degree.
QString decText(double degrees);

}  // namespace SkyTexts
