#pragma once

#include "scopeview/SVLayerContext.h"

#include <QRectF>
#include <QString>

class SVViewState;

// The telescope view's overlays in the view's own frame: the line of an
// angular-separation drag and the camera frame with its angle label.
namespace SVFrameLayers {

void drawAngleSeparation(const SVLayerContext& c, const SVViewState& state);
// True when the camera frame was drawn (the camera slot is in use).
bool drawCameraFrame(const SVLayerContext& c, const SVViewState& state, const QRectF& bounds);

// The camera frame's angle as drawn (degrees): the stored one, turned by a
// half turn at a southern site (`latitude` below 0). The stored angle is
// left as it is.
float drawnCameraAngle(float sbigGuideAngle, double latitude);
// The angle label of a frame turned by `angle` degrees, or empty when it
// rounds to 0: "Angle: N° CCW" for an anticlockwise turn, else "... CW".
QString cameraAngleLabel(float angle);

}  // namespace SVFrameLayers
