#include "scopeview/SVConeSearchLayer.h"

#include "scopeview/SVAngles.h"
#include "scopeview/SVDrawPass.h"
#include "scopeview/SVProjection.h"

#include "model/Angles.h"
#include "model/Sexagesimal.h"
#include "model/UnitVector.h"
#include "model/settings/PrefControl.h"

#include <QLineF>
#include <QPainterPath>

#include <cmath>
#include <vector>

namespace {

constexpr int kMagLabel = 3;
constexpr int kGridLabel = 4;
constexpr double kLargestSize = 11.0;
constexpr double kSmallestSize = 2.0;
constexpr double kGridLineWidth = 0.5;
constexpr int kMeridians = 14;
constexpr int kParallels = 12;
constexpr int kRASteps = 14;
constexpr int kDecSteps = 12;
constexpr int kMeridianLabelEvery = 3;
constexpr int kMeridianLabelOffset = -25;
constexpr double kGridLimitDec = 87.0;
constexpr QChar kDegreeSign(0x00B0);

}  // namespace

namespace SVConeSearchLayer {

double starSize(float vMag)
{
    if (vMag < -0.5f)
        return kLargestSize;
    if (!(vMag < 16.5f))
        return kSmallestSize;
    return kLargestSize - 0.5 - 0.5 * std::floor(vMag + 0.5);
}

QString raLabel(double ra)
{
    const Sexagesimal s = Sexagesimal::rounded(Angles::wrap360(ra) / 15.0);
    return QString::asprintf("%.2dh%.2dm%.2ds", s.whole % 24, s.minutes, s.seconds);
}

QString decLabel(double dec)
{
    const Sexagesimal s = Sexagesimal::rounded(std::abs(dec));
    const QString degrees = dec < 0.0 ? QString::asprintf("-%.2d", s.whole) : QString::asprintf("%.2d", s.whole);
    return degrees + kDegreeSign + QString::asprintf("%.2d'%.2d\"", s.minutes, s.seconds);
}

void drawStars(const SVLayerContext& c, std::span<nomadData> stars, const Options& options)
{
    QPainterPath discs;
    for (nomadData& s : stars) {
        const UnitVector v = UnitVector::fromRADec(s.raNow * Angles::kDegToRad, s.decNow * Angles::kDegToRad);
        const std::optional<QPointF> at = c.projection.projectOfDate(v.x, v.y, v.z);
        if (!at)
            continue;
        s.point = {float(at->x()), float(at->y())};
        const double size = starSize(s.vMag);
        const double diameter = options.isNomadStar ? size * 0.5 : size * 2.0;
        const double back = options.isNomadStar ? size * 0.25 - 1.0 : size - 1.0;
        discs.addEllipse(at->x() - back, at->y() - back, diameter, diameter);
        if (options.isNomadShowMag)
            c.pass.addLabel(kMagLabel, int((options.isNomadStar ? size * 0.25 : size) / 2.0), *at,
                            QString::asprintf("%.2f", double(s.vMag)));
    }
    if (discs.isEmpty())
        return;
    if (options.isNomadStar)
        c.canvas.fillPath(discs, c.isPrint() ? Qt::black : Qt::white);
    else
        c.canvas.strokePath(discs, QPen(c.ink(c.prefs.nomadGridColor()), 1.0));
}

void drawGrid(const SVLayerContext& c, double fov, double trackRAPlus, double trackDecPlus)
{
    const double f = c.angles.fieldEdgeRadius();
    const double q = f / (fov * 0.5);
    const double rac = std::round(trackRAPlus * 240.0) / 240.0;
    const double cosDec = std::cos(trackDecPlus * Angles::kDegree);
    if (!(q > 0.0) || !(cosDec > 0.0))
        return;
    const double raStep = 15.0 * std::round(f * 7200.0 / (15.0 * q * cosDec) / 15.0) / 3600.0;
    const double decStep = std::round(f * 7200.0 / (13.0 * q)) / 3600.0;
    const double raStart = Angles::wrap360(rac - kRASteps / 2 * raStep);
    const double raEnd = Angles::wrap360(raStart + kRASteps * raStep);
    const double decc = std::round(trackDecPlus * 3600.0) / 3600.0;
    const double decStart = decc - kDecSteps / 2 * decStep;
    const double decEnd = decStart + kDecSteps * decStep;
    if (std::abs(raEnd - raStart) < 1e-5 || decStart < -kGridLimitDec || decEnd > kGridLimitDec)
        return;

    const double o = c.angles.svOffset;
    const auto x = [&](double r, double d) { return o + Angles::wrap180(rac - r) * q * std::cos(d * Angles::kDegree); };
    const auto y = [&](double d) { return o + (d - decc) * q; };
    std::vector<QLineF> lines;
    for (int u = 0; u < kMeridians; ++u) {
        const double ra = raStart + u * raStep;
        lines.emplace_back(x(ra, decStart), y(decStart), x(ra, decEnd), y(decEnd));
        if (u % kMeridianLabelEvery == 0)
            c.pass.addLabel(kGridLabel, kMeridianLabelOffset, QPointF(x(ra, decEnd), y(decEnd) - 10.0), raLabel(ra));
    }
    for (int v = 0; v < kParallels; ++v) {
        const double d = decStart + v * decStep;
        lines.emplace_back(x(raStart, decStart), y(d), x(raEnd, decEnd), y(d));
        c.pass.addLabel(kGridLabel, 0, QPointF(x(raEnd, decEnd), y(d) + 2.0), decLabel(d));
    }
    QPainterPath path;
    for (const QLineF& line : lines) {
        path.moveTo(line.p1());
        path.lineTo(line.p2());
    }
    c.canvas.strokePath(path, QPen(c.ink(c.prefs.nomadGridColor()), kGridLineWidth));
}

}  // namespace SVConeSearchLayer
