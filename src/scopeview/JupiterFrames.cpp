#include "scopeview/JupiterFrames.h"

#include <cmath>

namespace {

constexpr double kHalfTurn = 180.0;

}  // namespace

bool JupiterFrames::load(const QString& photoDirectory, double grsLong)
{
    if (isLoaded())
        return true;
    QImage sheet(photoDirectory + kFileName);
    const int rows = (kFrameCount + kColumns - 1) / kColumns;
    const int side = sheet.width() / kColumns;
    // A sheet of another layout would show parts of two frames.
    if (sheet.isNull() || side < 1 || sheet.width() != side * kColumns || sheet.height() != side * rows)
        return false;
    m_sheet = std::move(sheet);
    m_side = side;
    m_redSpot = redSpot(grsLong);
    return true;
}

double JupiterFrames::redSpot(double grsLong)
{
    const double spot = kSpotFrame - grsLong / 2.0;
    return spot < 0.0 ? spot + kHalfTurn : spot;
}

int JupiterFrames::frameIndex(double redSpot, double jupIIlong, int frameCount)
{
    double t = std::fmod(redSpot + jupIIlong / 2.0, kHalfTurn);
    if (!(t >= 0.0))
        t = std::isnan(t) ? 0.0 : t + kHalfTurn;
    const double factor = frameCount / kHalfTurn;
    return int(std::floor(factor * t + 0.5)) % frameCount;
}

QImage JupiterFrames::frame(double jupIIlong) const
{
    if (!isLoaded())
        return {};
    const int i = frameIndex(m_redSpot, jupIIlong);
    return m_sheet.copy((i % kColumns) * m_side, (i / kColumns) * m_side, m_side, m_side);
}
