#pragma once

#include "find/FindObjects.h"
#include "find/FieldMatch.h"
#include "model/records/BodyNumber.h"
#include "platform/StringTables.h"

#include <QPointF>

#include <cstdint>
#include <functional>
#include <string_view>

// One catalogue record the searches found, with what selecting it needs.
// Its chart point is read from the model's record when asked, so that it is
// what a re-projection left there.
struct FindObjects::Match {
    int indexBase;
    std::uint32_t index;
    QString displayName;
    double vecX;
    double vecY;
    double vecZ;
    bool isOfDate;  // comets and minor planets: the vector is of date already
    std::int32_t state;
    double horZ;
    std::function<QPointF()> screenPoint;

    template <class Record>
    static Match of(const Record& r, int indexBase, bool isOfDate, std::string_view displayName)
    {
        return {indexBase, r.index,
                QString::fromLatin1(displayName.data(), qsizetype(displayName.size())),
                r.vecX, r.vecY, r.vecZ, isOfDate, r.state, r.horZ,
                [&r] { return QPointF(r.screenX, r.screenY); }};
    }
};

namespace FindNaming {

// The first of the fields that does not start with a blank, else `fallback`.
inline QString firstNamed(std::initializer_list<std::string_view> fields, const char* fallback)
{
    for (std::string_view field : fields)
        if (!field.empty())
            return QString::fromLatin1(field.data(), qsizetype(field.size()));
    return QString::fromLatin1(fallback);
}

// The first of the fields with at least three characters, else the last.
inline std::string_view displayName(std::string_view a, std::string_view b, std::string_view c)
{
    if (a.size() >= 3)
        return a;
    if (b.size() >= 3)
        return b;
    return c;
}

// The Sun to the Moon by their English names; the window-less search leaves
// out the Sun (0), the panel takes it so "Sun" is not a partial match.
inline constexpr const char* kPlanetNames[] = {"Sun",    "Mercury", "Venus",   "Mars",  "Jupiter",
                                               "Saturn", "Uranus",  "Neptune", "Pluto", "Moon"};
inline constexpr int kFirstNamedPlanet = BodyNumber::kMercury;
inline constexpr int kFirstPanelPlanet = BodyNumber::kSun;
inline constexpr int kLastNamedPlanet = BodyNumber::kMoon;

// The localised name of planet record `index` (0 Sun to 9 Moon); empty for any other.
inline QString planetName(int index)
{
    if (index < 0 || index > kLastNamedPlanet)
        return {};
    return StringTables::localizedString(QStringLiteral("Global"),
                                         QString::fromLatin1(kPlanetNames[index]));
}

}  // namespace FindNaming
