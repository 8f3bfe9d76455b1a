#pragma once

#include "find/PlaceEvents.h"

#include <array>

// A body's place through one night, noon to noon, cheap enough to ask at
// every sample of the night planner: the Sun and planets interpolated
// (Meeus, ch. 3) from their places at the two noons and the midnight, which
// holds them to well under an arcsecond; the Moon, half a degree an hour and
// shifted by the site's parallax, computed at each moment.
class NightPlace {
public:
    // body: Sun 0 … Pluto 8, Moon 9; midnight: Julian day (UT) of the night's middle.
    NightPlace(int body, double midnight, const PlaceEvents::Site& site);

    PlaceEvents::SkyPlace at(double julianDay) const;

private:
    int m_body;
    double m_midnight;
    PlaceEvents::Site m_site;
    std::array<PlaceEvents::SkyPlace, 3> m_noonMidnightNoon{};
};
