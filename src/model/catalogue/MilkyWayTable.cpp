#include "model/catalogue/MilkyWayTable.h"

#include "model/UnitVector.h"

namespace {

// Points after which every outline lifts the pen, whatever its skip point.
constexpr int kExtraLifts[] = {177, 293};

}  // namespace

const std::array<MilkyWayTable::Outline, MilkyWayTable::kNumPaths> MilkyWayTable::kOutlines = {{
    {0, 13, 9},      {14, 40, 38},    {41, 54, 52},    {55, 77, 70},    {78, 83, 81},
    {84, 95, 89},    {96, 106, 102},  {107, 115, 111}, {116, 129, 120}, {130, 133, 132},
    {134, 138, 137}, {139, 148, 143}, {149, 158, 154}, {159, 180, 168}, {181, 198, 0},
    {199, 208, 203}, {209, 212, 211}, {213, 232, 224}, {233, 239, 235}, {240, 246, 243},
    {247, 252, 251}, {253, 260, 0},   {261, 270, 268}, {271, 274, 273}, {275, 285, 284},
    {286, 303, 302}, {304, 323, 320}, {324, 329, 326}, {330, 338, 0},   {339, 345, 0},
}};

std::vector<MWCoord> MilkyWayTable::createCoords()
{
    constexpr double kHoursToRad = 15.0 * kDegToRad;
    std::vector<MWCoord> coords(kNumPoints);
    for (int i = 0; i < kNumPoints; ++i) {
        const Point& p = kPoints[std::size_t(i)];
        const UnitVector v = UnitVector::fromRADec(p.raHours * kHoursToRad, p.decDeg * kDegToRad);
        coords[std::size_t(i)] = MWCoord{v.x, v.y, v.z, 0.0, 0.0, 0.0, 0, 0.0f, 0.0f};
    }
    return coords;
}

int MilkyWayTable::pathSkipLine(int k)
{
    return kOutlines[std::size_t(k)].skipLine;
}

bool MilkyWayTable::liftsInto(int k, int i)
{
    for (int lift : kExtraLifts) {
        if (i == lift)
            return true;
    }
    return i == pathSkipLine(k);
}

bool MilkyWayTable::isClosed(int k)
{
    return k == 28 || k == 29;
}

QPainterPath MilkyWayTable::outlinePath(int k, std::span<const MWCoord> coords)
{
    const Outline& outline = kOutlines[std::size_t(k)];
    QPainterPath path;
    for (int i = outline.first; i <= outline.last; ++i) {
        const MWCoord& c = coords[std::size_t(i)];
        if (i == outline.first || liftsInto(k, i))
            path.moveTo(c.screenX, c.screenY);
        else
            path.lineTo(c.screenX, c.screenY);
    }
    if (isClosed(k))
        path.closeSubpath();
    return path;
}
