#include "platform/widgets/WheelIntent.h"

#include <QGuiApplication>
#include <QWheelEvent>

namespace {

// One notch of a wheel is 120 eighths of a degree.
constexpr double kNotch = 120.0;

}  // namespace

WheelIntent WheelIntent::read(const QWheelEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    QPointF notches = QPointF(event.angleDelta()) / kNotch;
    // The X platform turns an Alt-wheel sideways; the view wants it as it was.
    if ((modifiers & Qt::AltModifier) && QGuiApplication::platformName() == QLatin1String("xcb"))
        notches = notches.transposed();
    if (modifiers & Qt::AltModifier)
        return {Kind::Zoom, notches};
    // A touchpad reports the distance its fingers moved as well.
    const bool isTouchpad = !event.pixelDelta().isNull();
    if (isTouchpad || (modifiers & (Qt::ShiftModifier | Qt::ControlModifier))) {
        // A wheel that already turned sideways stays as it is.
        const bool sideways = !isTouchpad && notches.x() == 0.0 && (modifiers & Qt::ShiftModifier) &&
                              !(modifiers & Qt::ControlModifier);
        return {Kind::Move, notches, sideways};
    }
    return {Kind::Zoom, notches};
}
