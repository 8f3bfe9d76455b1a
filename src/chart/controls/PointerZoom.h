#pragma once

#include "chart/controls/PanStep.h"

#include <QPointF>
#include <QRectF>

// The view centre after the field changes from `field` to `newField`
// (degrees) such that the sky under `point` (chart coordinates, y up) stays
// under it. `rect` is the sky view's rectangle. A point off the sky, or a
// view without a scale, keeps the centre.
ViewDirection zoomAboutPoint(ViewDirection view, QPointF point, const QRectF& rect, double field, double newField,
                             bool showBelow);
