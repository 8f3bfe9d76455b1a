#include "mount/families/EquatorJ2000.h"

#include "model/SkyDateModel.h"
#include "model/UnitVector.h"
#include "model/projection/PrecessionMatrix.h"

#include <array>

namespace {

EquatorJ2000::Position positionOf(const std::array<double, 3>& v)
{
    const auto [ra, dec] = UnitVector{v[0], v[1], v[2]}.raDec();
    return {ra, dec};
}

}  // namespace

namespace EquatorJ2000 {

Position fromDate(double ra, double dec, const QDateTime& moment)
{
    const PrecessionMatrix p = PrecessionMatrix::forJulianDay(SkyDateModel::julianDayOf(moment));
    const UnitVector u = UnitVector::fromRADec(ra, dec);
    return positionOf(PrecessionMatrix::multiplyTransposed(p.p, u.x, u.y, u.z));
}

Position toDate(double ra, double dec, const QDateTime& moment)
{
    const PrecessionMatrix p = PrecessionMatrix::forJulianDay(SkyDateModel::julianDayOf(moment));
    const UnitVector u = UnitVector::fromRADec(ra, dec);
    return positionOf(p.apply(u.x, u.y, u.z));
}

}  // namespace EquatorJ2000
