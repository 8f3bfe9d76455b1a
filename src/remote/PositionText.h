#pragma once

#include <QString>

// The typed-coordinates text the finder reads ("h:m.mmm:d:m.mmm"), for the
// companion app's and the outside programs' gotos. Right ascension in hours,
// 0 to 24; declination in degrees, -90 to 90. A declination between -1° and
// 0° is written with degrees "-0", which the finder reads as south.
namespace PositionText {

QString format(float hours, float degrees);

}  // namespace PositionText
