#include "skydraw/PlanetPainter.h"

#include "model/ObjectIndex.h"
#include "model/records/RecordConstants.h"
#include "model/settings/PrefControl.h"
#include "platform/StringTables.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartImageSet.h"
#include "skydraw/ChartSky.h"
#include "skydraw/FindMark.h"
#include "skydraw/MoonDisc.h"
#include "skydraw/PrintMapping.h"
#include "skydraw/StarClasses.h"

#include <QPainterPath>

#include <algorithm>

namespace {

constexpr std::array<const char*, PlanetPainter::kNumDrawnBodies> kNameKeys = {
    "Sun", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto", "Moon"};

// The Sun's apparent diameter per point of scale, and the image's size in diameters.
constexpr double kSunDiameterPerRadius = 0.004712371539373433;
constexpr double kSunMinDiameter = 5.0;
constexpr double kSunImageDiameters = 5.0;

const ChartImageSet::StarSet& spritesOf(const ChartImageSet& images, int body)
{
    switch (body) {
    case BodyNumber::kMars:
        return images.starRedArray();
    case BodyNumber::kJupiter:
        return images.starOrangeArray();
    case BodyNumber::kSaturn:
        return images.starYellowArray();
    case BodyNumber::kUranus:
    case BodyNumber::kNeptune:
        return images.starBlueArray();
    default:
        return images.starArray();
    }
}

}  // namespace

PlanetPainter::PlanetPainter(const PrefControl& prefs, const ChartImageSet& images)
    : m_prefs(prefs), m_images(images)
{
}

double PlanetPainter::sunSize(double radius)
{
    return kSunImageDiameters * std::max(kSunMinDiameter, radius * kSunDiameterPerRadius);
}

const char* PlanetPainter::nameKey(int body) { return kNameKeys[std::size_t(body)]; }

const QString& PlanetPainter::name(int body)
{
    QString& text = m_names[std::size_t(body)];
    if (text.isEmpty())
        text = StringTables::localizedString(QStringLiteral("Global"), QString::fromLatin1(kNameKeys[std::size_t(body)]));
    return text;
}

void PlanetPainter::paint(ChartCanvas& canvas, const ChartSky& sky, float markAlpha)
{
    const ObjectIndexParts find = splitObjectIndex(m_prefs.findIndex());
    const bool isNames = m_prefs.isPlanetNames();
    const double bright = m_prefs.starBrightVal();
    m_labels.setAttributes(m_prefs.planetNameAttributes());
    const int count = std::min<int>(kNumDrawnBodies, int(sky.planets.size()));
    for (int body = 0; body < count; ++body) {
        const planet& record = sky.planets[std::size_t(body)];
        if (record.state != kStateOnScreen)
            continue;
        const double x = record.screenX;
        const double y = record.screenY;
        QPointF nameAt;
        if (body == BodyNumber::kSun) {
            const double d = sunSize(sky.radius);
            canvas.drawImage(QRectF(x - d / 2.0, y - d / 2.0, d, d), m_images.symbol(ChartImageSet::Symbol::Sun));
            nameAt = QPointF(x + d / 10.0 + 5.0, y - 5.0);
        } else if (body == BodyNumber::kMoon) {
            const float r = MoonDisc::draw(canvas, sky, QPointF(x, y), m_images.symbol(ChartImageSet::Symbol::MoonFull));
            nameAt = QPointF(x + r + 5.0, y - 5.0);
        } else {
            const int k = StarClasses::screenClass(StarClasses::brightness(record.mag, bright, 0.0));
            const int o = -StarClasses::originOffset(k);
            if (find.band == ObjectBand::Planet && find.number == record.index)
                FindMark::draw(canvas, m_images, m_prefs.isNightVision(), QPointF(x, y), markAlpha);
            canvas.drawImage(QPointF(x + o, y + o), spritesOf(m_images, body)[std::size_t(k)]);
            nameAt = o == 0 ? QPointF(x + 4.0, y - 4.0) : QPointF(x + o + 14.0, y + o - 1.0);
        }
        if (isNames) {
            m_labels.apply(canvas);
            m_labels.draw(canvas, nameAt, std::uint64_t(body), name(body));
        }
    }
}

void PlanetPainter::print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping)
{
    const bool isNames = m_prefs.isPlanetNames();
    const double bright = m_prefs.starBrightVal();
    m_printLabels.setAttributes({m_prefs.planetPrintFont(), Qt::black});
    QPainterPath dots;
    std::array<QPointF, kNumDrawnBodies> nameAt;
    std::array<bool, kNumDrawnBodies> isDrawn{};
    const int count = std::min<int>(kNumDrawnBodies, int(sky.planets.size()));
    for (int body = 0; body < count; ++body) {
        const planet& record = sky.planets[std::size_t(body)];
        if (record.state != kStateOnScreen)
            continue;
        const QPointF p = mapping.map(record.screenX, record.screenY);
        isDrawn[std::size_t(body)] = true;
        if (body == BodyNumber::kSun) {
            const double d = std::max(kSunMinDiameter, sky.radius * kSunDiameterPerRadius + 0.5) * mapping.scale;
            const QRectF disc(p.x() - d / 2.0, p.y() - d / 2.0, d, d);
            dots.addEllipse(disc);
            nameAt[BodyNumber::kSun] = QPointF(disc.left() + 5.0 + d, disc.top() + 2.0);
        } else if (body == BodyNumber::kMoon) {
            const float w = MoonDisc::print(canvas, sky, p);
            nameAt[BodyNumber::kMoon] = QPointF(p.x() + 5.0 + w, p.y() + 2.0);
        } else {
            const int c = StarClasses::paperClass(StarClasses::brightness(record.mag, bright, 0.0));
            const QPointF corner(p.x() - c, p.y() - c);
            if (c == 0)
                dots.addRect(corner.x(), corner.y(), 1.0, 1.0);
            else
                dots.addEllipse(corner.x(), corner.y(), 2 * c + 1, 2 * c + 1);
            nameAt[std::size_t(body)] = QPointF(corner.x() + 2 * c + 2, corner.y() - 1.0);
        }
    }
    canvas.fillPath(dots, Qt::black);
    if (!isNames)
        return;
    m_printLabels.apply(canvas);
    for (int body = 0; body < count; ++body) {
        if (isDrawn[std::size_t(body)])
            m_printLabels.draw(canvas, nameAt[std::size_t(body)], std::uint64_t(body), name(body));
    }
}
