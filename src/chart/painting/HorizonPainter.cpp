#include "chart/painting/HorizonPainter.h"

#include "chart/painting/PhotoHorizonSource.h"
#include "model/Angles.h"
#include "model/projection/ViewScale.h"
#include "model/settings/PrefControl.h"
#include "platform/StringTables.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartSky.h"
#include "skydraw/PrintMapping.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr std::array<const char*, HorizonPainter::kNumCompassPoints> kCompassKeys = {
    "S", "SW", "W", "NW", "N", "NE", "E", "SE"};

constexpr double kBelowPhotoAlpha = 0.6;
// Darkness grows 1.667 per degree of solar depression, a tenth of it per unit.
constexpr double kDarkPerDegree = 1.667;
constexpr double kDarkFull = -10.0;
constexpr double kPaperLine = 0.5;

}  // namespace

double HorizonPainter::darkness(double sunAltDeg, double brightAdj)
{
    return std::min(0.0, std::max(kDarkFull, kDarkPerDegree * sunAltDeg) + brightAdj) / kDarkFull;
}

QPointF HorizonPainter::compassLabelPoint(QPointF mark, QPointF centre, int k)
{
    const double theta = std::atan2(mark.y() - centre.y(), mark.x() - centre.x());
    const bool isTwoLetters = kCompassKeys[std::size_t(k)][1] != '\0';
    return {mark.x() + 10.0 * std::cos(theta) - (isTwoLetters ? 8.0 : 4.0), mark.y() + 10.0 * std::sin(theta) - 9.0};
}

void HorizonPainter::paint(ChartCanvas& canvas, const ChartSky& sky, const QRectF& rect, double viewAngle)
{
    const bool isAllSky = viewAngle > ViewScale::kAllSkyAngle;
    const bool isGround = (sky.isHorizon && !m_prefs.isBelow()) || isAllSky;
    if (isGround)
        canvas.fillPath(sky.horizonPath, m_prefs.horizonColor());
    if (m_prefs.isPhotoHorizon() && viewAngle < ViewScale::kAllSkyAngle)
        paintPhoto(canvas, sky, rect);
    if (!isGround || sky.altAzGrid.size() < kFirstCompassMark + kNumCompassPoints)
        return;
    m_labels.setAttributes(m_prefs.horizonLabelAttributes());
    m_labels.apply(canvas);
    for (int k = 0; k < kNumCompassPoints; ++k) {
        const AltAzLocn& mark = sky.altAzGrid[kFirstCompassMark + std::size_t(k)];
        if (mark.visible == 0)
            continue;
        QString& letter = m_letters[std::size_t(k)];
        if (letter.isEmpty())
            letter = StringTables::localizedString(QStringLiteral("Global"), QString::fromLatin1(kCompassKeys[std::size_t(k)]));
        m_labels.draw(canvas, compassLabelPoint(QPointF(mark.screenPt.x, mark.screenPt.y), rect.center(), k),
                      std::uint64_t(k), letter);
    }
}

void HorizonPainter::paintPhoto(ChartCanvas& canvas, const ChartSky& sky, const QRectF& rect)
{
    if (!m_photo)
        return;
    const auto w = std::uint16_t(std::clamp(rect.width(), 0.0, 65535.0));
    const auto h = std::uint16_t(std::clamp(rect.height(), 0.0, 65535.0));
    std::optional<QImage> photo = m_photo->drawImage(w, h);
    if (!photo || photo->isNull())
        return;
    const double k = darkness(sky.sunAlt * Angles::kRadToDeg, m_photo->photoBrightAdj(m_prefs.currentSite()));
    const QColor shade = QColor::fromRgbF(0.0f, 0.0f, 0.0f, float(std::max(k, 0.0)));
    // Shaded and blended in one pass where the canvas can: a shaded copy of
    // a whole chart's photograph is a costly detour.
    if (!m_prefs.isBelow() && photo->width() == w && photo->height() == h &&
        canvas.drawShadedImageOnPixels(QPointF(0.0, 0.0), *photo, shade))
        return;
    // Converted in place when it needs converting; darkened only when the
    // twilight darkens it, a fill of no opacity changing nothing.
    QImage shaded = std::move(*photo).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (k > 0.0) {
        QPainter painter(&shaded);
        painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        painter.fillRect(shaded.rect(), shade);
    }
    QPainter& painter = canvas.painter();
    const double before = painter.opacity();
    painter.setOpacity(m_prefs.isBelow() ? kBelowPhotoAlpha : 1.0);
    canvas.drawImage(QRectF(0.0, 0.0, w, h), shaded);
    painter.setOpacity(before);
}

void HorizonPainter::print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping,
                           const QRectF& chartRect, double viewAngle)
{
    if (!sky.isHorizon)
        return;
    const bool isAllSky = viewAngle > ViewScale::kAllSkyAngle;
    const QPen line(Qt::black, kPaperLine);
    if (!isAllSky) {
        canvas.strokePath(mapping.transform().map(sky.horizonPath), line);
    } else {
        const QRectF page(mapping.map(chartRect.topLeft()), mapping.map(chartRect.bottomRight()));
        const double d = page.height() - 40.0 * mapping.scale;
        QPainterPath circle;
        circle.addEllipse(page.x() + page.width() / 2.0 - d / 2.0, page.y() + 20.0 * mapping.scale, d, d);
        canvas.strokePath(circle, line);
    }
    if (m_prefs.isBelow() && !isAllSky)
        return;
    if (sky.altAzGrid.size() < kFirstCompassMark + kNumCompassPoints)
        return;
    m_printLabels.setAttributes({m_prefs.horizonLabelAttributes().font, Qt::black});
    m_printLabels.apply(canvas);
    QPainter& painter = canvas.painter();
    painter.save();
    if (isAllSky) {
        // The letters stand outside the all-sky circle the layers are clipped
        // to: only the chart's rectangle clips them.
        const QTransform current = painter.worldTransform();
        painter.setWorldTransform(canvas.chartTransform());
        painter.setClipRect(QRectF(mapping.map(chartRect.topLeft()), mapping.map(chartRect.bottomRight())),
                            Qt::ReplaceClip);
        painter.setWorldTransform(current);
    }
    for (int k = 0; k < kNumCompassPoints; ++k) {
        const AltAzLocn& mark = sky.altAzGrid[kFirstCompassMark + std::size_t(k)];
        if (mark.visible == 0)
            continue;
        const QPointF screen(mark.screenPt.x, mark.screenPt.y);
        const QPointF offset = compassLabelPoint(screen, chartRect.center(), k) - screen;
        m_printLabels.draw(canvas, mapping.map(screen) + offset, std::uint64_t(k),
                           QLatin1StringView(kCompassKeys[std::size_t(k)]));
    }
    painter.restore();
}
