#include "scopeview/SVDrawPass.h"

#include "model/settings/PrefStyles.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>

namespace {

constexpr double kEmptyFieldInset = 12.0;
const QColor kEmptyFieldColor = QColor::fromRgbF(1.0f, 1.0f, 1.0f, 0.15f);
const QColor kFieldMaskColor = QColor::fromRgbF(0.2f, 0.2f, 0.2f, 0.7f);

// Where each label kind's text starts, from its anchor (x, y) and offset o:
// (x + o + dx, y + dy) in view coordinates; kind 8 takes no offset.
struct Placement {
    double dx;
    double dy;
    bool usesOffset;
};
constexpr std::array<Placement, 10> kPlacements{{
    {7, -5, true},    // deep-sky objects
    {7, -5, true},    // stars
    {7, -5, true},    // comets and minor planets
    {7, -4, true},    // cone-search magnitudes
    {0, 0, true},     // grid coordinates
    {5, -4, true},    // path dates
    {5, -5, true},    // planets
    {5, -1, true},    // angular separation
    {20, 10, false},  // camera angle
    {-2, 4, true},
}};

void fillOutside(QPainter& painter, const QRectF& bounds, const QRectF& oval, const QColor& color)
{
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addRect(bounds);
    path.addEllipse(oval);
    painter.fillPath(path, color);
}

}  // namespace

SVDrawPass::SVDrawPass(QPainter& painter, const QRectF& bounds, const SVAngles& angles,
                       const SVOrientation& orientation, std::vector<svLabel>& labels,
                       const PrefStyles& styles, const TextAttributes& angleLabel)
    : m_painter(painter), m_bounds(bounds), m_angles(angles),
      m_tran(orientation.tran(angles.svOffset)),
      m_flip(1.0, 0.0, 0.0, -1.0, bounds.left(), bounds.bottom()), m_labels(labels),
      m_styles(styles), m_angleLabel(angleLabel)
{
    m_labels.clear();
}

void SVDrawPass::fillBackground(QPainter& painter, const QRectF& bounds)
{
    painter.fillRect(bounds, Qt::black);
}

void SVDrawPass::drawEmptyField(QPainter& painter, const QRectF& bounds)
{
    const double inset = kEmptyFieldInset;
    fillOutside(painter, bounds, bounds.adjusted(inset, inset, -inset, -inset), kEmptyFieldColor);
}

void SVDrawPass::begin()
{
    m_painter.save();
    // The canvas flips its own y axis over the bounds' height; the device
    // transform under it brings in the view transform and the bounds' left edge.
    const QTransform canvasFlip(1.0, 0.0, 0.0, -1.0, 0.0, m_bounds.bottom());
    // On paper the painter already places and scales the field on the page.
    m_painter.setWorldTransform(canvasFlip.inverted() * m_tran * m_flip * m_painter.worldTransform());
    m_canvas.emplace(m_painter, m_bounds.bottom());
}

void SVDrawPass::drawSurveyImage(const QImage& image)
{
    if (image.isNull())
        return;
    m_painter.save();
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    // Chart coordinates: the bounds' lower edge is y 0.
    m_canvas->drawImage(QRectF(m_bounds.left(), 0.0, m_bounds.width(), m_bounds.height()), image);
    m_painter.restore();
}

bool SVDrawPass::addLabel(int kind, int xOffset, const QPointF& viewPoint, const QString& text)
{
    if (!hasLabelRoom())
        return false;
    svLabel label;
    label.kind = std::uint16_t(kind);
    label.xOffset = std::int16_t(xOffset);
    label.point = m_tran.map(viewPoint);
    label.text = text;
    m_labels.push_back(std::move(label));
    return true;
}

bool SVDrawPass::addUprightLabel(int kind, const QPointF& point, const QString& text)
{
    return addLabel(kind, 0, m_tran.inverted().map(point), text);
}

void SVDrawPass::finish()
{
    m_canvas.reset();
    m_painter.restore();
    m_painter.save();
    for (const svLabel& label : m_labels)
        drawLabel(label);
    m_painter.restore();

    const double d = 2.0 * m_angles.fieldEdgeRadius();
    const double o = (m_bounds.width() - d) / 2.0;
    fillOutside(m_painter, m_bounds, QRectF(m_bounds.left() + o, m_bounds.top() + o, d, d),
                kFieldMaskColor);
}

const TextAttributes* SVDrawPass::attributes(int kind) const
{
    if (m_printAttributes) {
        if (kind < 0 || kind >= int(m_printAttributes->size()))
            return nullptr;
        const std::optional<TextAttributes>& a = (*m_printAttributes)[std::size_t(kind)];
        return a ? &*a : nullptr;
    }
    switch (kind) {
    case 0: return &m_styles.deepSkyNameAttributes();
    case 1: return &m_styles.starNameAttributes();
    case 2: return &m_styles.cometNameAttributes();
    case 3: return &m_styles.nomadMagAttributes();
    case 4: return &m_styles.nomadGridAttributes();
    case 5: return &m_styles.pathLabelAttributes();
    case 6:
    case 9: return &m_styles.planetNameAttributes();
    case 7: return &m_styles.angleSepAttributes();
    case kCameraAngleLabel: return &m_angleLabel;
    default: return nullptr;
    }
}

void SVDrawPass::drawLabel(const svLabel& label)
{
    const TextAttributes* a = attributes(label.kind);
    if (!a)
        return;
    const Placement& p = kPlacements[label.kind];
    const double x = label.point.x() + (p.usesOffset ? label.xOffset : 0) + p.dx;
    const double y = label.point.y() + p.dy;
    // The text stands on (x, y) with its descent, upright on the widget.
    const QPointF at = m_flip.map(QPointF(x, y));
    m_painter.setFont(a->font);
    m_painter.setPen(a->color);
    m_painter.drawText(QPointF(at.x(), at.y() - QFontMetricsF(a->font).descent()), label.text);
}
