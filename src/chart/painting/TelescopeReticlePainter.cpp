#include "chart/painting/TelescopeReticlePainter.h"

#include "chart/painting/TelescopeAim.h"
#include "model/Angles.h"
#include "model/ObjectIndex.h"
#include "model/SkyCoordinates.h"
#include "model/settings/PrefControl.h"
#include "mount/MountProtocols.h"
#include "mount/dome/DomeSlit.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartSky.h"
#include "skydraw/ProjectedAngle.h"

#include <QPainterPath>

#include <algorithm>
#include <array>

namespace {

const QColor kReticleColor = QColor::fromRgbF(1.0f, 0.0f, 0.0f, 0.8f);
const QColor kSlitColor = QColor::fromRgbF(0.75f, 0.75f, 0.0f, 0.8f);

constexpr double kMinFieldCircle = 6.0;
constexpr double kMinFinderCircle = 2.0;
constexpr double kDotOffset = 3.0;
constexpr double kDotSize = 8.0;
constexpr double kSlitHalfHeight = 20.0;
constexpr double kSlitWidth = 3.0;
constexpr double kSlitPad = 2.0;

// The rings finder's circles of 4°, 2° and 1°: R · sin a / (1 + cos a) per
// point of scale, and whether the circle is moved a point up and right.
struct Ring {
    double perRadius;
    bool isShifted;
};
constexpr std::array<Ring, 3> kRingCircles = {{
    {0.06975647374412532 / 1.9975640502598242, true},
    {0.034899496702500976 / 1.9993908270190959, true},
    {0.017452406437283515 / 1.9998476951563913, false},
}};

void addCircle(QPainterPath& path, QPointF centre, double d)
{
    path.addEllipse(centre.x() - d / 2.0, centre.y() - d / 2.0, d, d);
}

}  // namespace

int TelescopeReticlePainter::finderKind() const
{
    const int current = m_prefs.currentScope();
    if (current < 0 || std::size_t(current) >= m_prefs.scopes().size())
        return kNoTelescope;
    return std::int16_t(m_prefs.scopes()[std::size_t(current)].finderType);
}

QPointF TelescopeReticlePainter::reticlePoint(const ChartSky& sky, double ra, double dec, double* alt)
{
    double az = 0.0;
    SkyCoordinates::CalculateAzFromRA(ra, dec, sky.site, &az, alt);
    const FloatPoint p = SkyCoordinates::CalculateAzPoint(az, *alt, sky.view);
    return {p.x, p.y};
}

void TelescopeReticlePainter::paint(ChartCanvas& canvas, const ChartSky& sky)
{
    if (!m_aim || !m_aim->isReticleShown())
        return;
    const int kind = finderKind();
    if (m_aim->keepSVClosed() && m_prefs.findIndex() != kNoObjectIndex)
        m_aim->followFinder();
    double ra = m_aim->trackRA();
    double dec = m_aim->trackDec();
    if (m_aim->scopeProtocol() == kProtocolSynScan) {
        ra -= m_aim->synScanRAError();
        if (ra >= Angles::kTwoPi)
            ra -= Angles::kTwoPi;
        else if (ra < 0.0)
            ra += Angles::kTwoPi;
        dec -= m_aim->synScanDecError();
    }
    double alt = 0.0;
    const QPointF p = reticlePoint(sky, ra, dec, &alt);
    const double r = sky.radius;

    QPainterPath reticle;
    switch (kind) {
    case kNoTelescope:
        addCircle(reticle, p, std::max(kMinFieldCircle, ProjectedAngle::distance(m_aim->fov() * Angles::kDegToRad, r)));
        break;
    case kRedDot: {
        QPainterPath dot;
        dot.addEllipse(p.x() - kDotOffset, p.y() - kDotOffset, kDotSize, kDotSize);
        canvas.fillPath(dot, kReticleColor);
        break;
    }
    case kRings:
        for (const Ring& ring : kRingCircles)
            addCircle(reticle, ring.isShifted ? p + QPointF(1.0, 1.0) : p, r * ring.perRadius);
        break;
    case kFinderCircle: {
        const int current = m_prefs.currentScope();
        const double a = m_prefs.scopes()[std::size_t(current)].finderFOV * Angles::kDegToRad;
        const double d = std::max(kMinFinderCircle, ProjectedAngle::distance(a, r));
        addCircle(reticle, p, d);
        reticle.moveTo(p.x(), p.y() + d / 2.0);
        reticle.lineTo(p.x(), p.y() - d / 2.0);
        reticle.moveTo(p.x() - d / 2.0, p.y());
        reticle.lineTo(p.x() + d / 2.0, p.y());
        break;
    }
    default:
        break;
    }
    if (!reticle.isEmpty())
        canvas.strokePath(reticle, QPen(kReticleColor, 1.0));
    paintSlit(canvas, sky, p, alt);
}

void TelescopeReticlePainter::paintSlit(ChartCanvas& canvas, const ChartSky& sky, QPointF p, double alt)
{
    if (!m_dome || !(m_dome->isDomeTrack() || m_dome->isDDWTracking()))
        return;
    const double azimuth = m_dome->isDomeTrack() ? m_dome->domeSkyAzimuth() : m_dome->ddwSkyAzimuth();
    const FloatPoint q = SkyCoordinates::CalculateAzPoint(azimuth * Angles::kDegToRad, alt, sky.view);
    const double w = 2.0 * m_dome->domeDelta() * Angles::kDegToRad;
    const double half = (ProjectedAngle::distance(w, sky.radius) + kSlitPad) / 2.0;
    QPainterPath bars;
    bars.moveTo(q.x - half, p.y() - kSlitHalfHeight);
    bars.lineTo(q.x - half, p.y() + kSlitHalfHeight);
    bars.moveTo(q.x + half, p.y() - kSlitHalfHeight);
    bars.lineTo(q.x + half, p.y() + kSlitHalfHeight);
    canvas.strokePath(bars, QPen(kSlitColor, kSlitWidth));
}
