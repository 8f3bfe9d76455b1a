#include "scopeview/SVDiscPainter.h"

#include "scopeview/JupiterFrames.h"
#include "scopeview/PlusDarker.h"
#include "scopeview/SVDiscSource.h"
#include "scopeview/SVDrawPass.h"
#include "scopeview/SVProjection.h"

#include "model/records/BodyNumber.h"
#include "model/settings/PrefControl.h"
#include "skydraw/ChartSky.h"
#include "skydraw/MoonDisc.h"
#include "skydraw/PhaseTerminator.h"
#include "skydraw/UprightImage.h"
#include "solarsystem/DistanceUnits.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

using Symbol = ChartImageSet::Symbol;

constexpr int kSatelliteLabel = 9;
constexpr double kSunGlowMin = 20.0;
constexpr double kSunGlowDiameters = 10.0;
constexpr double kPrintSunMin = 5.0;
constexpr double kVenusShrinkFrom = 20.0;
constexpr double kMercuryMin = 1.0;
constexpr double kDiscMin = 2.0;
constexpr double kMarsMin = 5.0;
// The Sun's semi-diameter, widening the penumbra and narrowing the umbra.
constexpr double kSunSemiDiameter = 0.0047123889803847;

// Sines, cosines and tilts of the satellite systems' equators.
constexpr double kJupiterA = 0.39777717;
constexpr double kJupiterB = 0.9174821;
constexpr double kJupiterTilt = 0.4090928;
constexpr double kSaturnA = 0.057375655;
constexpr double kSaturnB = 0.99835265;
constexpr double kSaturnTilt = 0.0574071817;

// Saturn's rings reach 2.26 planet radii; the globe is 1.9 radii high.
constexpr double kRingRadius = 2.26;
constexpr double kRingInner = kRingRadius * 74658.0 / 136775.0;
constexpr double kGlobeHeight = 0.95;
constexpr double kGlobeShadowRing = 1.52;
constexpr double kRingShadowOpacity = 0.4;
constexpr int kMaxGlobePixels = 2048;

const QColor kSunRim = QColor::fromRgbF(1.0f, 1.0f, 0.75f, 1.0f);
const QColor kPhaseDark = QColor::fromRgbF(0.15f, 0.15f, 0.15f);
const QColor kMoonDark = QColor::fromRgbF(0.0f, 0.0f, 0.0f, 0.85f);
const QColor kPenumbra = QColor::fromRgbF(0.0f, 0.0f, 0.0f, 0.25f);
const QColor kUmbra = QColor::fromRgbF(0.45f, 0.22f, 0.11f, 0.75f);
const QColor kSatelliteShadow = QColor::fromRgbF(0.0f, 0.0f, 0.0f, 0.8f);
const QColor kSatelliteFront = QColor::fromRgbF(0.6f, 0.6f, 0.6f);
const QColor kSatelliteEclipsed = QColor::fromRgbF(0.15f, 0.15f, 0.15f);
const QColor kSatelliteLight = QColor::fromRgbF(0.8f, 0.8f, 0.8f);
const QColor kJupiterPlain = QColor::fromRgbF(1.0f, 0.65f, 0.0f);
const QColor kPrintDarkBelt = QColor::fromRgbF(0.35f, 0.35f, 0.35f);
const QColor kPrintLightBelt = QColor::fromRgbF(0.7f, 0.7f, 0.7f);
constexpr double kFaintMoon = 0.15;
constexpr double kPrintLine = 0.5;
constexpr double kMarsPrintLine = 1.0;

struct Satellite {
    const char* label;
    double ratio;  // radius / the planet's
};
constexpr std::array<Satellite, 4> kJupiterSatellites{{
    {"I", 0.02539}, {"E", 0.021961}, {"G", 0.03679}, {"C", 0.03357}}};
constexpr std::array<Satellite, 8> kSaturnSatellites{{
    {"M", 0.00332}, {"E", 0.004131}, {"Te", 0.00868}, {"D", 0.00929},
    {"R", 0.01268}, {"T", 0.04272}, {"H", 0.00337}, {"I", 0.01211}}};

// Jupiter's belts on paper: (from, to) in disc radii north and south.
constexpr std::array<std::pair<double, double>, 2> kPrintDarkBelts{{{0.12, 0.32}, {0.55, 0.62}}};
constexpr std::array<std::pair<double, double>, 1> kPrintLightBelts{{{0.32, 0.45}}};

QRectF discRect(QPointF p, double r) { return {p.x() - r, p.y() - r, 2.0 * r, 2.0 * r}; }

QPainterPath circle(const QRectF& square)
{
    QPainterPath path;
    path.addEllipse(square);
    return path;
}

// Turns by `angle` (radians, anticlockwise with y upward) about `p`.
QTransform turnAbout(QPointF p, double angle, double squeeze = 1.0)
{
    QTransform t;
    t.translate(p.x(), p.y());
    t.rotateRadians(angle);
    t.scale(1.0, squeeze);
    t.translate(-p.x(), -p.y());
    return t;
}

bool isInside(QPointF at, QPointF centre, double r)
{
    return std::hypot(at.x() - centre.x(), at.y() - centre.y()) < r;
}

}  // namespace

SVDiscPainter::SVDiscPainter(const SVLayerContext& c, const Links& links, SVDiscState& state)
    : m_c(c), m_links(links), m_state(state), m_painter(c.canvas.painter()),
      m_chart(c.canvas.chartTransform())
{
}

double SVDiscPainter::discRadius(double bodyRadius, double distance, double k)
{
    if (!(distance > bodyRadius))
        return 0.0;
    const double a = std::asin(bodyRadius / distance);
    return k * std::sin(a) / (std::cos(a) + 1.0);
}

double SVDiscPainter::systemTurn(double ra, double dec, double a, double b, double tilt)
{
    const double lambda = std::atan2(std::tan(dec) * a + std::sin(ra) * b, std::cos(ra));
    return std::atan(-std::cos(lambda) * std::tan(tilt));
}

double SVDiscPainter::jupiterTurn(double ra, double dec)
{
    return systemTurn(ra, dec, kJupiterA, kJupiterB, kJupiterTilt);
}

double SVDiscPainter::saturnTurn(double ra, double dec)
{
    return systemTurn(ra, dec, kSaturnA, kSaturnB, kSaturnTilt);
}

QRectF SVDiscPainter::terminatorSquare(QPointF p, double h, double phase, bool isVenus)
{
    const QRectF square = PhaseTerminator::of(h, phase).square(p);
    return isVenus && h >= kVenusShrinkFrom ? square.adjusted(1.0, 1.0, -1.0, -1.0) : square;
}

double SVDiscPainter::distanceOf(int body) const
{
    const std::span<const planet> planets = m_c.sky.planets;
    if (std::size_t(body) >= planets.size())
        return 0.0;
    const double d = planets[std::size_t(body)].geoDistance;
    return m_c.prefs.isMetric() ? d : d / DistanceUnits::kMilesPerKilometre;
}

double SVDiscPainter::radiusOf(int body, double bodyRadius) const
{
    return discRadius(bodyRadius, distanceOf(body), m_c.angles.svRadius);
}

float SVDiscPainter::draw(int body, QPointF p)
{
    switch (body) {
    case BodyNumber::kSun: sunDraw(p); return -1.0f;
    case BodyNumber::kMercury: return mercuryDraw(p);
    case BodyNumber::kVenus: return venusDraw(p);
    case BodyNumber::kMars: return marsDraw(p);
    case BodyNumber::kJupiter: return jupiterDraw(p);
    case BodyNumber::kSaturn: return saturnDraw(p);
    case BodyNumber::kUranus: return uranusDraw(p);
    case BodyNumber::kNeptune: return neptuneDraw(p);
    case BodyNumber::kMoon: return moonDraw(p);
    default: return -1.0f;
    }
}

void SVDiscPainter::sunDraw(QPointF p)
{
    const double r = radiusOf(BodyNumber::kSun, kSunRadius);
    m_painter.save();
    m_painter.setWorldTransform(m_chart);
    if (m_c.isPrint()) {
        const double half = std::max(r, kPrintSunMin / 2.0 * m_c.printScale);
        m_painter.strokePath(circle(discRect(p, half)), QPen(Qt::black, kPrintLine));
    } else if (m_c.images) {
        const double glow = std::max(kSunGlowMin, kSunGlowDiameters * r) / 2.0;
        drawUprightImage(m_painter, m_chart, discRect(p, glow), m_c.images->symbol(Symbol::Sun), 1.0);
        drawUprightImage(m_painter, m_chart, discRect(p, r), m_c.images->symbol(Symbol::LSun), 1.0);
        m_painter.strokePath(circle(discRect(p, r)), QPen(kSunRim, 1.0));
    }
    m_painter.restore();
}

float SVDiscPainter::moonDraw(QPointF p)
{
    const SVDiscSky sky = m_links.source ? m_links.source->discSky() : SVDiscSky{};
    const MoonDisc::Geometry g = MoonDisc::geometry(p, m_c.angles.svRadius, sky.moonAD, sky.moonPhase);
    const double h = g.radius;
    const QRectF image = g.disc.adjusted(1.0, 1.0, -1.0, -1.0);
    const QPainterPath disc = circle(m_c.isPrint() ? g.disc : g.disc.adjusted(-1.0, -1.0, 1.0, 1.0));
    const QPainterPath terminator = circle(terminatorSquare(p, h, sky.moonPhase, false));
    const QImage moonFull = m_c.images ? m_c.images->symbol(Symbol::MoonFull) : QImage();

    m_painter.save();
    m_painter.setWorldTransform(m_chart);
    m_painter.setClipPath(disc);
    if (m_c.isPrint()) {
        m_painter.fillPath(disc, Qt::white);
        m_painter.setClipPath(terminator, Qt::IntersectClip);
        m_painter.fillPath(disc, g.isDarkInside ? Qt::black : Qt::white);
        m_painter.setClipPath(disc);
        if (!g.isDarkInside) {
            QPainterPath dark = disc.subtracted(terminator);
            m_painter.fillPath(dark, Qt::black);
        }
        m_painter.setClipping(false);
        m_painter.strokePath(disc, QPen(Qt::black, kPrintLine));
    } else if (!g.isDarkInside) {
        m_painter.fillPath(disc, Qt::black);
        drawUprightImage(m_painter, m_chart, image, moonFull, kFaintMoon);
        m_painter.setClipPath(terminator, Qt::IntersectClip);
        drawUprightImage(m_painter, m_chart, image, moonFull, 1.0);
    } else {
        drawUprightImage(m_painter, m_chart, image, moonFull, 1.0);
        m_painter.setClipPath(terminator, Qt::IntersectClip);
        m_painter.fillPath(disc, kMoonDark);
    }
    m_painter.restore();

    const std::span<const planet> planets = m_c.sky.planets;
    if (!m_c.isPrint() && planets.size() > std::size_t(BodyNumber::kShadow)) {
        const planet& shadow = planets[std::size_t(BodyNumber::kShadow)];
        if (const std::optional<QPointF> s = m_c.projection.projectOfDate(shadow.vecX, shadow.vecY, shadow.vecZ)) {
            const double k = m_c.angles.svRadius;
            const double umbra = k * std::sin((sky.moonHP - kSunSemiDiameter) / 2.0);
            const double penumbra = k * std::sin((sky.moonHP + kSunSemiDiameter) / 2.0);
            m_painter.save();
            m_painter.setWorldTransform(m_chart);
            m_painter.setClipPath(disc);
            m_painter.fillPath(circle(discRect(*s, penumbra)), kPenumbra);
            m_painter.fillPath(circle(discRect(*s, umbra)), kUmbra);
            m_painter.restore();
        }
    }
    if (!m_c.isPrint() && m_state.isMoonLabel && m_c.images) {
        m_painter.save();
        m_painter.setWorldTransform(m_chart);
        drawUprightImage(m_painter, m_chart, image, m_c.images->symbol(Symbol::MoonLabel), 1.0,
                         QRectF(moonFull.rect()));
        m_painter.restore();
    }
    m_state.isMoon = true;
    m_state.halfMoonSize = float(h);
    m_state.moonPt = p;
    return float(h);
}

float SVDiscPainter::phaseDraw(QPointF p, double r, double phase, bool isVenus)
{
    const QRectF square = discRect(p, r);
    const QPainterPath disc = circle(square);
    const QPainterPath terminator = circle(terminatorSquare(p, r, phase, isVenus));
    const QColor dark = m_c.isPrint() ? QColor(Qt::black) : kPhaseDark;
    const bool isCrescent = std::abs(phase) < 50.0;
    m_painter.save();
    m_painter.setWorldTransform(m_chart);
    m_painter.setClipPath(disc);
    m_painter.fillPath(disc, isCrescent ? QColor(Qt::white) : dark);
    m_painter.setClipPath(terminator, Qt::IntersectClip);
    m_painter.fillPath(disc, isCrescent ? dark : QColor(Qt::white));
    m_painter.setClipping(false);
    if (m_c.isPrint())
        m_painter.strokePath(disc, QPen(Qt::black, kPrintLine));
    m_painter.restore();
    return float(r);
}

float SVDiscPainter::mercuryDraw(QPointF p)
{
    const double r = radiusOf(BodyNumber::kMercury, kMercuryRadius);
    if (r < kMercuryMin)
        return -1.0f;
    const double phase = m_links.source ? m_links.source->discSky().mercuryPhase : 100.0;
    return phaseDraw(p, r, phase, false);
}

float SVDiscPainter::venusDraw(QPointF p)
{
    const double r = radiusOf(BodyNumber::kVenus, kVenusRadius);
    if (r < kDiscMin)
        return -1.0f;
    const double phase = m_links.source ? m_links.source->discSky().venusPhase : 100.0;
    return phaseDraw(p, r, phase, true);
}

float SVDiscPainter::imageDraw(QPointF p, double r, const QImage& image, double lineWidth)
{
    m_painter.save();
    m_painter.setWorldTransform(m_chart);
    if (m_c.isPrint()) {
        const QPainterPath disc = circle(discRect(p, r));
        m_painter.fillPath(disc, Qt::white);
        m_painter.strokePath(disc, QPen(Qt::black, lineWidth));
    } else {
        drawUprightImage(m_painter, m_chart, discRect(p, r), image, 1.0);
    }
    m_painter.restore();
    return float(r);
}

float SVDiscPainter::marsDraw(QPointF p)
{
    const double r = radiusOf(BodyNumber::kMars, kMarsRadius);
    if (r < kMarsMin)
        return -1.0f;
    return imageDraw(p, r, m_c.images ? m_c.images->symbol(Symbol::Mars) : QImage(), kMarsPrintLine);
}

float SVDiscPainter::uranusDraw(QPointF p)
{
    const double r = radiusOf(BodyNumber::kUranus, kUranusRadius);
    if (r < kDiscMin)
        return -1.0f;
    return imageDraw(p, r, m_c.images ? m_c.images->symbol(Symbol::Uranus) : QImage(), kPrintLine);
}

float SVDiscPainter::neptuneDraw(QPointF p)
{
    const double r = radiusOf(BodyNumber::kNeptune, kNeptuneRadius);
    if (r < kDiscMin)
        return -1.0f;
    return imageDraw(p, r, m_c.images ? m_c.images->symbol(Symbol::Neptune) : QImage(), kPrintLine);
}

void SVDiscPainter::drawSatellite(QPointF at, double m, const QColor& screenColor)
{
    m_painter.fillPath(circle(discRect(at, m)), m_c.isPrint() ? QColor(Qt::black) : screenColor);
}

void SVDiscPainter::addSatelliteLabel(const QTransform& turn, QPointF at, double m, const char* text)
{
    if (m_c.prefs.isPlanetNames())
        m_c.pass.addLabel(kSatelliteLabel, int(m), turn.map(at), QString::fromLatin1(text));
}

float SVDiscPainter::jupiterDraw(QPointF p)
{
    // The satellites go with the disc: none stays clickable after it shrinks to a point.
    m_state.jupiterSatPts.fill(SVDiscState::kNotDrawn);
    const double r = radiusOf(BodyNumber::kJupiter, kJupiterRadius);
    if (r < kDiscMin)
        return -1.0f;
    if (m_links.source)
        m_links.source->calculateJupiterSatellites();
    const SVDiscSky sky = m_links.source ? m_links.source->discSky() : SVDiscSky{};
    const planet& jupiter = m_c.sky.planets[std::size_t(BodyNumber::kJupiter)];
    const QTransform turn = turnAbout(p, jupiterTurn(jupiter.ra, jupiter.dec));
    const QTransform world = turn * m_chart;
    const QRectF square = discRect(p, r);

    m_painter.save();
    m_painter.setWorldTransform(world);
    if (m_c.isPrint()) {
        const QPainterPath disc = circle(square);
        m_painter.fillPath(disc, Qt::white);
        m_painter.setClipPath(disc);
        const auto belts = [&](const auto& bands, const QColor& colour) {
            for (const auto& [from, to] : bands)
                for (const double side : {1.0, -1.0})
                    m_painter.fillRect(QRectF(p.x() - r, p.y() + side * (side > 0 ? from : to) * r, 2.0 * r,
                                              (to - from) * r),
                                       colour);
        };
        belts(kPrintDarkBelts, kPrintDarkBelt);
        belts(kPrintLightBelts, kPrintLightBelt);
        m_painter.setClipping(false);
        m_painter.strokePath(disc, QPen(Qt::black, kPrintLine));
    } else {
        JupiterFrames* frames = m_links.frames;
        if (frames && frames->load(m_links.photoDirectory, m_c.prefs.GRSLong()))
            drawUprightImage(m_painter, world, square, frames->frame(sky.jupIIlong), 1.0);
        else
            m_painter.fillPath(circle(square), kJupiterPlain);
    }

    for (std::size_t i = 0; i < kJupiterSatellites.size(); ++i) {
        const QPointF at(p.x() + sky.jupiterSatX[i] * r, p.y() + sky.jupiterSatY[i] * r);
        const QPointF shadow(p.x() + sky.jSatShadowX[i] * r, p.y() + sky.jSatShadowY[i] * r);
        const double m = std::max(1.0, kJupiterSatellites[i].ratio * r);
        m_state.jupiterSatPts[i] = turn.map(at);
        const bool isOnDisc = isInside(at, p, r);
        if (isOnDisc && !sky.jupiterSatVis[i])
            continue;
        const bool isShadowOnDisc = isInside(shadow, p, r);
        if (isShadowOnDisc && sky.jSatShadowVis[i])
            drawSatellite(shadow, m, kSatelliteShadow);
        const QColor colour = isOnDisc                                    ? kSatelliteFront
                              : isShadowOnDisc && !sky.jSatShadowVis[i] ? kSatelliteEclipsed
                                                                         : kSatelliteLight;
        drawSatellite(at, m, colour);
        addSatelliteLabel(turn, at, m, kJupiterSatellites[i].label);
    }
    m_painter.restore();
    return float(r);
}

void SVDiscPainter::drawSaturnRings(QPointF p, double r, double B, bool isNearHalf)
{
    const double R = kRingRadius * r;
    const QRectF whole = discRect(p, R);
    const QRectF near(p.x() - R, B >= 0.0 ? p.y() - R : p.y(), 2.0 * R, R);
    if (m_c.isPrint()) {
        QPainterPath ring = circle(whole);
        ring.addEllipse(discRect(p, kRingInner * r));
        m_painter.save();
        if (isNearHalf)
            m_painter.setClipRect(near, Qt::IntersectClip);
        m_painter.fillPath(ring, Qt::white);
        m_painter.strokePath(ring, QPen(Qt::black, kPrintLine));
        m_painter.restore();
        return;
    }
    if (!m_c.images)
        return;
    const QImage& rings = m_c.images->symbol(Symbol::SaturnRings);
    const QRectF lower(0.0, rings.height() / 2.0, rings.width(), rings.height() / 2.0);
    const QRectF upper(0.0, 0.0, rings.width(), rings.height() / 2.0);
    if (isNearHalf)
        drawUprightImage(m_painter, m_painter.worldTransform(), near, rings, 1.0, B >= 0.0 ? lower : upper);
    else
        drawUprightImage(m_painter, m_painter.worldTransform(), whole, rings, 1.0);
}

void SVDiscPainter::drawSaturnGlobe(QPointF p, double r, const SVDiscSky& sky, double dx, double dy)
{
    const QRectF globe(p.x() - r, p.y() - kGlobeHeight * r, 2.0 * r, 2.0 * kGlobeHeight * r);
    if (m_c.isPrint()) {
        m_painter.fillPath(circle(globe), Qt::white);
        m_painter.strokePath(circle(globe), QPen(Qt::black, kPrintLine));
        return;
    }
    if (!m_c.images)
        return;
    // The globe with the rings' shadow laid on it plus-darker, made apart at
    // the device's size, then drawn like the globe alone.
    const double perPoint = std::sqrt(std::abs(m_painter.deviceTransform().determinant()));
    const int w = std::clamp(int(std::ceil(globe.width() * perPoint)), 1, kMaxGlobePixels);
    const int h = std::clamp(int(std::ceil(globe.height() * perPoint)), 1, kMaxGlobePixels);
    const QTransform toPixels(w / globe.width(), 0.0, 0.0, -h / globe.height(), -globe.x() * w / globe.width(),
                              (globe.y() + globe.height()) * h / globe.height());
    QImage ball(w, h, QImage::Format_ARGB32_Premultiplied);
    ball.fill(Qt::transparent);
    QImage shadow = ball;
    {
        QPainter bp(&ball);
        bp.setRenderHint(QPainter::SmoothPixmapTransform);
        drawUprightImage(bp, toPixels, globe, m_c.images->symbol(Symbol::SaturnBall), 1.0);
        QPainter sp(&shadow);
        sp.setRenderHint(QPainter::SmoothPixmapTransform);
        const QImage& ringShadow = m_c.images->symbol(Symbol::SaturnRingsShadow);
        const double R = kRingRadius * r;
        const QRectF half(p.x() - R + dx, (sky.saturnB >= 0.0 ? p.y() - R : p.y()) - dy, 2.0 * R, R);
        const QRectF source(0.0, sky.saturnB >= 0.0 ? ringShadow.height() / 2.0 : 0.0, ringShadow.width(),
                            ringShadow.height() / 2.0);
        drawUprightImage(sp, turnAbout(p, 0.0, std::sin(std::abs(sky.saturnB))) * toPixels, half, ringShadow,
                         1.0, source);
    }
    plusDarker(ball, shadow, kRingShadowOpacity);
    drawUprightImage(m_painter, m_painter.worldTransform(), globe, ball, 1.0);
}

float SVDiscPainter::saturnDraw(QPointF p)
{
    // The satellites go with the disc: none stays clickable after it shrinks to a point.
    m_state.saturnSatPts.fill(SVDiscState::kNotDrawn);
    const double r = radiusOf(BodyNumber::kSaturn, kSaturnRadius);
    if (r < kDiscMin)
        return -1.0f;
    if (m_links.source)
        m_links.source->calculateSaturnSatellites();
    const SVDiscSky sky = m_links.source ? m_links.source->discSky() : SVDiscSky{};
    const double dS = distanceOf(BodyNumber::kSun);
    const double dP = distanceOf(BodyNumber::kSaturn);
    const planet& saturn = m_c.sky.planets[std::size_t(BodyNumber::kSaturn)];
    const QTransform turn = turnAbout(p, saturnTurn(saturn.ra, saturn.dec));
    const QTransform world = turn * m_chart;
    const double squeeze = std::sin(std::abs(sky.saturnB));
    const QTransform rings = turnAbout(p, sky.saturnP, squeeze) * world;
    const QTransform globeTurn = turnAbout(p, sky.saturnP) * world;

    m_painter.save();
    m_painter.setWorldTransform(world);
    const auto satellites = [&](bool isFront) {
        m_painter.setWorldTransform(world);
        for (std::size_t i = 0; i < kSaturnSatellites.size(); ++i) {
            if (sky.saturnSatVis[i] != isFront)
                continue;
            const QPointF at(p.x() + sky.saturnSatX[i] * r, p.y() + sky.saturnSatY[i] * r);
            const double m = std::max(1.0, kSaturnSatellites[i].ratio * r);
            m_state.saturnSatPts[i] = turn.map(at);
            drawSatellite(at, m, kSatelliteLight);
            addSatelliteLabel(turn, at, m, kSaturnSatellites[i].label);
        }
    };
    satellites(false);
    m_painter.setWorldTransform(rings);
    drawSaturnRings(p, r, sky.saturnB, false);

    const double dx = dP > 0.0 ? kRingRadius * r * dS * std::sin(sky.saturnLes) / dP : 0.0;
    const double dy = -kGlobeShadowRing * r * squeeze * std::sin(sky.saturnBPrime);
    if (!m_c.isPrint()) {
        m_painter.setWorldTransform(world);
        const QRectF cast(p.x() - r + dx, p.y() - kGlobeHeight * r - dy / 2.0, 2.0 * r, 2.0 * kGlobeHeight * r);
        m_painter.fillPath(circle(cast), kSatelliteShadow);
    }
    m_painter.setWorldTransform(globeTurn);
    drawSaturnGlobe(p, r, sky, dx, dy);
    m_painter.setWorldTransform(rings);
    drawSaturnRings(p, r, sky.saturnB, true);
    satellites(true);
    m_painter.restore();
    return float(r);
}
