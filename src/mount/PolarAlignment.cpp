#include "mount/PolarAlignment.h"

#include "model/Angles.h"
#include "model/SkyTexts.h"

#include <cmath>

PolarAlignment::Coefficients PolarAlignment::coefficients(double lat, double pm, Star star)
{
    const double h = star.ra - pm;
    const double tanDec = std::tan(star.dec);
    return {std::sin(lat) - tanDec * std::cos(h) * std::cos(lat), -tanDec * std::sin(h),
            -std::sin(h) * std::cos(lat), std::cos(h)};
}

bool PolarAlignment::calcData(double lat, double pm, const std::array<Star, 2>& stars, Offset measured,
                              double* determinant)
{
    // A mount reading just past 0 h for a star just before it is off by
    // minutes, not by a day.
    measured.dRA = std::remainder(measured.dRA, Angles::kTwoPi);
    const Coefficients k0 = coefficients(lat, pm, stars[0]);
    const Coefficients k1 = coefficients(lat, pm, stars[1]);
    const double det = (k1.a - k0.a) * (k1.d - k0.d) - (k1.b - k0.b) * (k1.c - k0.c);
    if (determinant)
        *determinant = det;
    if (!(std::abs(det) >= kMinDeterminant))
        return false;
    m_k = {k0, k1};
    m_dAz = ((k1.d - k0.d) * measured.dRA + (k0.b - k1.b) * measured.dDec) / det;
    m_dAlt = ((k0.c - k1.c) * measured.dRA + (k1.a - k0.a) * measured.dDec) / det;
    return true;
}

PolarAlignment::Offset PolarAlignment::delta() const
{
    const Coefficients& k0 = m_k[0];
    const Coefficients& k1 = m_k[1];
    return {(k1.a - k0.a) * m_dAz + (k1.b - k0.b) * m_dAlt, (k1.c - k0.c) * m_dAz + (k1.d - k0.d) * m_dAlt};
}

std::optional<PolarAlignment::Offset> PolarAlignment::calcDelta() const
{
    const Offset offset = delta();
    if (!(std::abs(offset.dRA) <= kMaxOffset && std::abs(offset.dDec) <= kMaxOffset))
        return std::nullopt;
    return offset;
}

QString PolarAlignment::errorText(const char* label, double radians)
{
    const double v = radians * Angles::kRadToDeg;
    // Whole seconds to the nearest: cut off, a half degree that came through
    // radians would show as 29' 59".
    const long total = std::lround(std::abs(v) * 3600.0);
    const int degrees = int(total / 3600);
    const int minutes = int(total / 60 % 60);
    const int seconds = int(total % 60);
    return QString::asprintf("%s: %d° %.2d' %.2d\"", label, v < 0.0 ? -degrees : degrees, minutes, seconds);
}

QString PolarAlignment::raText(double ra)
{
    return SkyTexts::raText(ra * Angles::kRadToDeg);
}

QString PolarAlignment::decText(double dec)
{
    return SkyTexts::decText(dec * Angles::kRadToDeg);
}
