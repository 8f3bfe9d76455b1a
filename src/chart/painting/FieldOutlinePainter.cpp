#include "chart/painting/FieldOutlinePainter.h"

#include "chart/painting/ChartOverlayState.h"
#include "model/ObjectIndex.h"
#include "model/settings/PrefControl.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartSky.h"
#include "skydraw/FindMark.h"
#include "skydraw/ProjectedAngle.h"

#include <QPainterPath>

#include <array>

namespace {

struct TableEntry {
    int value;
    const char* label;  // "%C" stands for the degree sign
    double halfAngle;
};

constexpr std::array<TableEntry, 19> kOutlines = {{
    {21, "28mm ", 0.5475},
    {22, "50mm ", 0.3358},
    {23, "100mm ", 0.17082},
    {24, "200mm ", 0.0876},
    {25, "300mm ", 0.060225},
    {26, "400mm ", 0.045041},
    {27, "500mm ", 0.0365},
    {31, "6 power ", 0.0872664626},
    {32, "7 power ", 0.07853981634},
    {33, "8 power ", 0.06981317008},
    {34, "10 power ", 0.05235987756},
    {35, "20 power ", 0.03490658504},
    {41, "50%C", 0.436332313},
    {42, "40%C", 0.3490658504},
    {43, "30%C", 0.2617993878},
    {44, "20%C", 0.1745329252},
    {45, "10%C", 0.0872664626},
    {46, "5%C", 0.0436332313},
    {47, "1%C", 0.00872664626},
}};

constexpr int kFinderOutline = 48;
constexpr int kLastLens = 30;
constexpr std::uint16_t kFinderCircle = 2;
// Half the finder's field, radians per degree of field.
constexpr double kHalfDegree = 0.00872664626;
constexpr double kLensAspect = 1.5;

const QColor kFieldFill = QColor::fromRgbF(1.0f, 1.0f, 1.0f, 0.15f);
// The system's light and dark greys.
const QColor kLightGrey = QColor::fromRgbF(2.0f / 3.0f, 2.0f / 3.0f, 2.0f / 3.0f);
const QColor kDarkGrey = QColor::fromRgbF(1.0f / 3.0f, 1.0f / 3.0f, 1.0f / 3.0f);

QString degreeLabel(const char* format)
{
    return QString::fromLatin1(format).replace(QLatin1String("%C"), QString(QChar(0x00B0)));
}

// The part of `shape` within the chart `clip` filled: the same pixels as the
// whole shape under a clip to the chart, whose edges lie on whole pixels.
void fillWithin(ChartCanvas& canvas, const QRectF& clip, const QRectF& shape, const QColor& color)
{
    const QRectF part = shape.normalized() & clip;
    if (!part.isEmpty())
        canvas.fillRect(part, color);
}

// The lens frame's bevel: one-point strips taken off the sides in turn,
// leaving the inner rectangle, drawn within the chart `clip`.
QRectF drawBevel(ChartCanvas& canvas, const QRectF& clip, QRectF r)
{
    enum Side { kBottom, kRight, kTop, kLeft };
    const std::array<std::pair<Side, QColor>, 6> strips = {{
        {kBottom, Qt::black}, {kRight, Qt::black}, {kTop, Qt::white},
        {kLeft, Qt::white}, {kBottom, kDarkGrey}, {kRight, kDarkGrey},
    }};
    for (const auto& [side, grey] : strips) {
        QRectF strip = r;
        switch (side) {
        case kBottom:
            strip.setHeight(1.0);
            r.setTop(r.top() + 1.0);
            break;
        case kRight:
            strip.setLeft(r.right() - 1.0);
            r.setRight(r.right() - 1.0);
            break;
        case kTop:
            strip.setTop(r.bottom() - 1.0);
            r.setBottom(r.bottom() - 1.0);
            break;
        case kLeft:
            strip.setWidth(1.0);
            r.setLeft(r.left() + 1.0);
            break;
        }
        fillWithin(canvas, clip, strip, grey);
    }
    return r;
}

}  // namespace

FieldOutlinePainter::FieldOutlinePainter(PrefControl& prefs, const ChartImageSet& images)
    : m_prefs(prefs), m_images(images)
{
}

std::optional<FieldOutlinePainter::Outline> FieldOutlinePainter::outline(int outlines, const PrefControl& prefs)
{
    for (const TableEntry& entry : kOutlines) {
        if (entry.value == outlines)
            return Outline{degreeLabel(entry.label), entry.halfAngle, outlines <= kLastLens};
    }
    if (outlines != kFinderOutline)
        return std::nullopt;
    const int current = prefs.currentScope();
    if (current < 0 || std::size_t(current) >= prefs.scopes().size())
        return std::nullopt;
    const scope& telescope = prefs.scopes()[std::size_t(current)];
    if (telescope.finderType != kFinderCircle)
        return std::nullopt;
    return Outline{QString::asprintf("%.0f", double(telescope.finderFOV)) + QChar(0x00B0),
                   telescope.finderFOV * kHalfDegree, false};
}

void FieldOutlinePainter::paint(ChartCanvas& canvas, const ChartSky& sky, const QRectF& rect, float markAlpha,
                                ChartOverlayState& state)
{
    if (m_prefs.findIndex() == kNoObjectIndex && m_prefs.isMarkCenter()) {
        FindMark::draw(canvas, m_images, m_prefs.isNightVision(), rect.center(), markAlpha);
        m_prefs.setIsMarkCenter(false);
    }
    if (state.outlines == 0)
        return;
    if (const std::optional<Outline> chosen = outline(state.outlines, m_prefs))
        paintOutline(canvas, *chosen, sky.radius, rect, state);
}

void FieldOutlinePainter::paintOutline(ChartCanvas& canvas, const Outline& outline, double radius,
                                       const QRectF& rect, ChartOverlayState& state)
{
    const double h = ProjectedAngle::distance(outline.halfAngle, radius);
    const QPointF c = rect.center() + state.outlineDelta;
    if (outline.isLens) {
        state.outlineRect =
            drawBevel(canvas, rect, QRectF(c.x() - h, c.y() - h / kLensAspect, 2.0 * h, 2.0 * h / kLensAspect));
        fillWithin(canvas, rect, state.outlineRect, kFieldFill);
    } else {
        state.outlineRect = QRectF(c.x() - h, c.y() - h, 2.0 * h, 2.0 * h);
        QPainterPath oval;
        oval.addEllipse(state.outlineRect);
        canvas.fillPath(oval, kFieldFill);
        canvas.strokePath(oval, QPen(kLightGrey, 1.0));
    }
    m_labels.setAttributes(m_prefs.outlineLabelAttributes());
    m_labels.apply(canvas);
    m_labels.draw(canvas, QPointF(state.outlineRect.x() + 5.0, state.outlineRect.y() + state.outlineRect.height() - 14.0),
                  std::uint64_t(state.outlines), outline.label);
}
