#include "scopeview/SVFrameLayers.h"

#include "scopeview/CameraSensor.h"
#include "scopeview/SVDrawPass.h"
#include "scopeview/SVOptics.h"
#include "scopeview/SVViewState.h"

#include "model/settings/PrefControl.h"

#include <QPainterPath>

#include <cmath>

namespace {

constexpr int kAngleSepLabel = 7;
constexpr int kAngleSepLabelOffset = 15;
const QColor kAngleSepColor = Qt::green;
const QColor kCameraFrameColor = QColor::fromRgbF(1.0f, 0.0f, 0.0f, 0.6f);
// The frame's scale: this share of the view's height per sensor divisor.
constexpr double kFrameHeightShare = 0.42;
constexpr QChar kDegreeSign(0x00B0);

}  // namespace

namespace SVFrameLayers {

float drawnCameraAngle(float sbigGuideAngle, double latitude)
{
    if (!(latitude < 0.0))
        return sbigGuideAngle;
    float angle = sbigGuideAngle + 180.0f;
    if (angle >= 360.0f)
        angle -= 360.0f;
    return angle;
}

QString cameraAngleLabel(float angle)
{
    if (!std::isfinite(angle))
        return {};
    // Rounded to the nearest degree either way (truncating -0.5 - angle
    // would label a clockwise turn one degree short).
    int a = int(std::floor(0.5 - double(angle)));
    if (a < -180)
        a += 360;
    else if (a > 180)
        a -= 360;
    if (a == 0)
        return {};
    return a < 0 ? QStringLiteral("Angle: %1%2 CCW").arg(-a).arg(kDegreeSign)
                 : QStringLiteral("Angle: %1%2 CW").arg(a).arg(kDegreeSign);
}

void drawAngleSeparation(const SVLayerContext& c, const SVViewState& state)
{
    if (!state.isAngleSep() || !c.pass.hasLabelRoom())
        return;
    const SVViewState::AngleSeparation& s = state.angleSeparation();
    QPainterPath line;
    line.moveTo(s.start);
    line.lineTo(s.current);
    c.canvas.strokePath(line, QPen(kAngleSepColor, 1.0));
    c.pass.addLabel(kAngleSepLabel, kAngleSepLabelOffset, s.current,
                    QString::asprintf("%d", s.degSep) + kDegreeSign
                        + QString::asprintf(" %d' %.1f\"", s.minSep, s.secSep));
}

bool drawCameraFrame(const SVLayerContext& c, const SVViewState& state, const QRectF& bounds)
{
    if (c.prefs.currentEyepiece() != SVOptics::kCameraSlot)
        return false;
    const CameraSensor& sensor = CameraSensor::forKind(c.prefs.currentDSLR());
    const double s = bounds.height() * kFrameHeightShare / sensor.divisor;
    const double w = sensor.width * s;
    const double h = sensor.height * s;
    const QPointF centre(bounds.width() / 2.0, bounds.height() / 2.0);
    QPainterPath frame;
    frame.addRect(centre.x() - w / 2.0, centre.y() - h / 2.0, w, h);
    const float angle = drawnCameraAngle(state.sbigGuideAngle(), c.prefs.latitude());
    if (angle != 0.0f) {
        QTransform turn;
        turn.translate(centre.x(), centre.y());
        turn.rotate(angle);
        turn.translate(-centre.x(), -centre.y());
        frame = turn.map(frame);
        const QString label = cameraAngleLabel(angle);
        if (!label.isEmpty())
            c.pass.addUprightLabel(SVDrawPass::kCameraAngleLabel, QPointF(0.0, 0.0), label);
    }
    c.canvas.strokePath(frame, QPen(kCameraFrameColor, 1.0));
    return true;
}

}  // namespace SVFrameLayers
