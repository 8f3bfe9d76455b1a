#pragma once

#include <QString>

#include <array>
#include <optional>

// The two-star polar alignment: from the places of two stars and the
// mount's pointing error at the second, the azimuth and altitude errors of
// the polar axis, and from those the offset a goto must add. Angles are
// radians; right ascension of date; `pm` is the local sidereal time.
//
// Error model per star i, with hour angle Hi = RAi - pm (this sign):
//   Ai = sin lat - tan Deci cos Hi cos lat,  Bi = -tan Deci sin Hi,
//   Ci = -sin Hi cos lat,                    Di = cos Hi;
//   dRA = (A1 - A0) dAz + (B1 - B0) dAlt,  dDec = (C1 - C0) dAz + (D1 - D0) dAlt.
class PolarAlignment {
public:
    // Below this the two stars cannot tell the errors apart.
    static constexpr double kMinDeterminant = 0.005;
    // The largest offset a goto takes: 5°.
    static constexpr double kMaxOffset = 0.0872664626;

    struct Star {
        double ra = 0.0;
        double dec = 0.0;
    };
    struct Offset {
        double dRA;
        double dDec;
    };

    // Fills the coefficients and solves; none (the errors unchanged) when the
    // determinant is too small. `determinant` receives it either way. The
    // measured RA error counts across 0 h.
    bool calcData(double lat, double pm, const std::array<Star, 2>& stars, Offset measured,
                  double* determinant = nullptr);
    // The offset the solved errors give; none beyond kMaxOffset on either axis.
    std::optional<Offset> calcDelta() const;
    // The unchecked offset, for the log.
    Offset delta() const;

    double dAz() const { return m_dAz; }
    double dAlt() const { return m_dAlt; }

    // "Az Error: 0° 30' 00"" style texts: degrees carry the sign.
    static QString errorText(const char* label, double radians);
    // "%dh %dm %.1fs" and "%d° %d' %.1f"" texts of a place.
    static QString raText(double ra);
    static QString decText(double dec);

private:
    struct Coefficients {
        double a, b, c, d;
    };
    static Coefficients coefficients(double lat, double pm, Star star);

    std::array<Coefficients, 2> m_k{};
    double m_dAz = 0.0;
    double m_dAlt = 0.0;
};
