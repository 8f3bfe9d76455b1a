#include "chart/painting/ChartOverlayPainter.h"

#include "chart/painting/ChartOverlayState.h"
#include "model/Angles.h"
#include "model/SkyCoordinates.h"
#include "model/settings/PrefControl.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartSky.h"

#include <QFontMetricsF>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr double kStripSquare = 40.0;
constexpr int kStripSteps = 10;
const QColor kLightGrey = QColor::fromRgbF(2.0f / 3.0f, 2.0f / 3.0f, 2.0f / 3.0f);
const QColor kDarkGrey = QColor::fromRgbF(1.0f / 3.0f, 1.0f / 3.0f, 1.0f / 3.0f);

constexpr double kCaptionX = 10.0;
constexpr const char* kCaptionText = "Creating tour/filter...";
// Points of plate around the captions, and its colour: dark enough under white
// text on the brightest sky.
constexpr double kPlateMargin = 4.0;
const QColor kPlateColor(0, 0, 0, 190);
constexpr std::array<const char*, 3> kTourHints = {
    "(Click objects to add them to the tour)",
    "(Double-click objects in the tour panel to remove them)",
    "(Select the Save tour menu item to stop creating the tour)",
};

// Where the caption and each hint stand below the chart's top edge `top`.
QPointF captionAt(double top) { return QPointF(kCaptionX, top - 20.0); }
QPointF hintAt(double top, std::size_t k) { return QPointF(kCaptionX, top - 35.0 - 15.0 * double(k)); }

// A one-point outline just inside the rectangle, as a frame is drawn.
void frame(ChartCanvas& canvas, const QRectF& r, const QColor& color)
{
    QPainterPath outline;
    outline.addRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    canvas.strokePath(outline, QPen(color, 1.0));
}

}  // namespace

std::optional<double> ChartOverlayPainter::separation(const ChartSky& sky, QPointF from, QPointF to)
{
    const auto a = SkyCoordinates::calculateCursorPosition({float(from.x()), float(from.y())}, sky.view, sky.site);
    const auto b = SkyCoordinates::calculateCursorPosition({float(to.x()), float(to.y())}, sky.view, sky.site);
    if (!a || !b)
        return std::nullopt;
    const double d1 = a->dec * Angles::kDegToRad;
    const double d2 = b->dec * Angles::kDegToRad;
    const double c = std::cos(d1) * std::cos(d2) * std::cos((a->ra - b->ra) * Angles::kDegToRad)
                     + std::sin(d1) * std::sin(d2);
    return std::acos(std::clamp(c, -1.0, 1.0)) * Angles::kRadToDeg;
}

QString ChartOverlayPainter::separationText(double degrees)
{
    return QString::asprintf("%0.1f", degrees) + QChar(0x00B0);
}

void ChartOverlayPainter::paint(ChartCanvas& canvas, const ChartSky& sky, const QRectF& rect,
                                const ChartOverlayState& state)
{
    if (state.showMonitorAdjust)
        paintMonitorAdjust(canvas, rect);
    if (m_prefs.isCreateTour())
        paintTourCaptions(canvas, rect);
    if (!state.isFullScreen)
        frame(canvas, QRectF(rect.x(), rect.y() - 1.0, rect.width(), rect.height() + 2.0), kLightGrey);
    if (state.dragRect.width() != 0.0 && state.dragRect.height() != 0.0) {
        QPainterPath marquee;
        marquee.addRect(state.dragRect.normalized());
        QPen dashed(kLightGrey, 1.0);
        dashed.setDashPattern({10.0, 5.0});
        canvas.strokePath(marquee, dashed);
    } else if (state.startPt.x() != 0.0 && state.startPt.y() != 0.0) {
        paintRuler(canvas, sky, state);
    }
}

void ChartOverlayPainter::paintMonitorAdjust(ChartCanvas& canvas, const QRectF& rect)
{
    const QPointF o(rect.x() + rect.width() * 0.5 - kStripSquare * kStripSteps / 2.0,
                    rect.y() + rect.height() * 0.5 - kStripSquare / 2.0);
    for (int i = 0; i < kStripSteps; ++i) {
        const float grey = 0.1f * float(i + 1);
        canvas.fillRect(QRectF(o.x() + kStripSquare * i, o.y(), kStripSquare, kStripSquare),
                        QColor::fromRgbF(grey, grey, grey));
    }
    frame(canvas, QRectF(o.x(), o.y(), kStripSquare * kStripSteps, kStripSquare), kDarkGrey);
}

QRectF ChartOverlayPainter::tourCaptionsPlate(const PrefControl& prefs, const QRectF& rect)
{
    const double top = rect.y() + rect.height();
    const QFontMetricsF captionMetrics(LabelCache::chartFont(prefs.constellationNameFont()));
    const QFontMetricsF hintMetrics(LabelCache::chartFont(prefs.gridLabelFont()));
    double width = captionMetrics.horizontalAdvance(QLatin1StringView(kCaptionText));
    for (const char* hint : kTourHints)
        width = std::max(width, hintMetrics.horizontalAdvance(QLatin1StringView(hint)));
    const double bottom = hintAt(top, kTourHints.size() - 1).y() - hintMetrics.descent();
    const double plateTop = captionAt(top).y() + captionMetrics.ascent();
    return QRectF(kCaptionX - kPlateMargin, bottom - kPlateMargin, width + 2.0 * kPlateMargin,
                  plateTop - bottom + 2.0 * kPlateMargin);
}

void ChartOverlayPainter::paintTourCaptions(ChartCanvas& canvas, const QRectF& rect)
{
    // White text on a dark plate reads on a daylight sky as on a night one.
    canvas.fillRect(tourCaptionsPlate(m_prefs, rect), kPlateColor);

    const double top = rect.y() + rect.height();
    m_captionLabels.setAttributes({m_prefs.constellationNameFont(), Qt::white});
    m_captionLabels.apply(canvas);
    m_captionLabels.draw(canvas, captionAt(top), 0, QLatin1StringView(kCaptionText));
    m_hintLabels.setAttributes({m_prefs.gridLabelFont(), Qt::white});
    m_hintLabels.apply(canvas);
    for (std::size_t k = 0; k < kTourHints.size(); ++k)
        m_hintLabels.draw(canvas, hintAt(top, k), k, QLatin1StringView(kTourHints[k]));
}

void ChartOverlayPainter::paintRuler(ChartCanvas& canvas, const ChartSky& sky, const ChartOverlayState& state)
{
    QPainterPath ruler;
    ruler.moveTo(state.startPt);
    ruler.lineTo(state.currentPt);
    canvas.strokePath(ruler, QPen(Qt::green, 1.0));
    const std::optional<double> degrees = separation(sky, state.startPt, state.currentPt);
    if (!degrees)
        return;
    m_rulerLabels.setAttributes(m_prefs.angleSepAttributes());
    m_rulerLabels.apply(canvas);
    m_rulerLabels.draw(canvas, state.currentPt + QPointF(15.0, 3.0), 0, separationText(*degrees));
}
