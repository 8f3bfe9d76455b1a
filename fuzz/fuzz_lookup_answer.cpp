#include "find/SimAnswer.h"

#include <QByteArrayView>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

// A name service's answer gives a position on the sphere and a finite
// magnitude, or nothing.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::optional<SimAnswer> answer = SimAnswer::parseEither(QByteArrayView(data, qsizetype(size)));
    if (!answer)
        return 0;
    if (!(answer->ra >= 0.0 && answer->ra < 360.0) || !(std::fabs(answer->dec) <= 90.0)
        || !std::isfinite(answer->mag) || !std::isfinite(answer->pmRA) || !std::isfinite(answer->pmDec))
        std::abort();
    return 0;
}
