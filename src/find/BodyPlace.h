#pragma once

#include "find/PlaceEvents.h"

// Where the Sun, a planet or the Moon stands at any moment, for the times
// that follow a body through a day or a night: the planetary pass for that
// body alone, and for the Moon its step seen from the site.
namespace BodyPlace {

// body: Sun 0, Mercury 1 … Pluto 8, Moon 9. Apparent place of date.
PlaceEvents::SkyPlace at(int body, double julianDay, const PlaceEvents::Site& site);

// The body's place as a function of the moment, for PlaceEvents.
PlaceEvents::PlaceAt of(int body, const PlaceEvents::Site& site);

}  // namespace BodyPlace
