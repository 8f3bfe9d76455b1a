#pragma once

#include "scopeview/SVAngles.h"
#include "scopeview/SVOrientation.h"
#include "scopeview/svLabel.h"

#include "model/settings/TextAttributes.h"
#include "skydraw/ChartCanvas.h"

#include <QImage>
#include <QRectF>
#include <QTransform>

#include <array>
#include <optional>
#include <vector>

class PrefStyles;
class QPainter;

// The frame of one drawing pass of the telescope view: the transform the
// layers draw under, the labels they collect, and the mask over what lies
// outside the field. Layers draw in view coordinates (points, y upward,
// origin at the view's lower-left corner) on canvas() between begin() and finish().
class SVDrawPass {
public:
    static constexpr std::size_t kMaxLabels = 250;
    static constexpr int kCameraAngleLabel = 8;

    // The view's bounds have been filled black; `labels` is the view's label
    // block, emptied here. `angleLabel` draws the camera-angle label.
    SVDrawPass(QPainter& painter, const QRectF& bounds, const SVAngles& angles,
               const SVOrientation& orientation, std::vector<svLabel>& labels,
               const PrefStyles& styles, const TextAttributes& angleLabel);

    // Black over the bounds.
    static void fillBackground(QPainter& painter, const QRectF& bounds);
    // Nothing tracked: the corners outside the empty field, faintly white.
    static void drawEmptyField(QPainter& painter, const QRectF& bounds);

    // Puts the painter under the view transform.
    void begin();
    // What the layers draw on, in view coordinates; between begin() and finish().
    ChartCanvas& canvas() { return *m_canvas; }
    // The survey image over the whole field, turned and flipped with it;
    // drawn only where the black field already is (source-atop).
    void drawSurveyImage(const QImage& image);
    // Keeps a label for the end of the pass, its anchor `viewPoint` taken
    // through the view transform. False, and no label, once 250 are kept.
    bool addLabel(int kind, int xOffset, const QPointF& viewPoint, const QString& text);
    // The same with the anchor given upright, as the view's bounds are.
    bool addUprightLabel(int kind, const QPointF& point, const QString& text);
    bool hasLabelRoom() const { return m_labels.size() < kMaxLabels; }
    // Draws the labels upright, then dims what lies outside the field.
    void finish();

    const QTransform& tran() const { return m_tran; }

    // On paper each kind has its own attributes; a kind without any is not
    // drawn. The table must outlive the pass.
    using LabelAttributes = std::array<std::optional<TextAttributes>, 10>;
    void setPrintAttributes(const LabelAttributes* attributes) { m_printAttributes = attributes; }

private:
    const TextAttributes* attributes(int kind) const;
    void drawLabel(const svLabel& label);

    QPainter& m_painter;
    QRectF m_bounds;
    SVAngles m_angles;
    QTransform m_tran;
    QTransform m_flip;  // view coordinates to the widget's
    std::vector<svLabel>& m_labels;
    const PrefStyles& m_styles;
    const TextAttributes& m_angleLabel;
    std::optional<ChartCanvas> m_canvas;
    const LabelAttributes* m_printAttributes = nullptr;
};
