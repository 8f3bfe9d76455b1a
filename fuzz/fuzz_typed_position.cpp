#include "find/TypedPosition.h"

#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <numbers>

// A typed position is a usable place on the sphere or is refused.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!text.contains(u':'))
        return 0;
    const TypedPosition::Result result = TypedPosition::parse(text);
    if (result.outcome != TypedPosition::Outcome::Position)
        return 0;
    const double ra = result.position.ra;
    const double dec = result.position.dec;
    // The pole itself may come out an ulp beyond π/2 in radians.
    constexpr double kUlps = 1e-12;
    if (!(ra >= 0.0 && ra < 2.0 * std::numbers::pi) || !(std::fabs(dec) <= std::numbers::pi / 2.0 + kUlps))
        std::abort();
    return 0;
}
