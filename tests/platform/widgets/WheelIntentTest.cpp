#include "platform/widgets/WheelIntent.h"

#include <QWheelEvent>

#include <gtest/gtest.h>

TEST(WheelIntent, ThePlainWheelZoomsModifiersAndTouchpadsMove)
{
    using Kind = WheelIntent::Kind;
    const struct {
        const char* name;
        Qt::KeyboardModifiers modifiers;
        QPoint pixels;
        Kind kind;
    } cases[] = {
        {"plain wheel", Qt::NoModifier, {}, Kind::Zoom},
        {"Shift", Qt::ShiftModifier, {}, Kind::Move},
        {"Ctrl", Qt::ControlModifier, {}, Kind::Move},
        {"Ctrl+Shift", Qt::ControlModifier | Qt::ShiftModifier, {}, Kind::Move},
        {"touchpad", Qt::NoModifier, QPoint(3, -7), Kind::Move},
        {"Alt", Qt::AltModifier, {}, Kind::Zoom},
        {"Alt on a touchpad", Qt::AltModifier, QPoint(0, 5), Kind::Zoom},
    };
    for (const auto& c : cases) {
        const QWheelEvent event(QPointF(5, 5), QPointF(5, 5), c.pixels, QPoint(60, -240), Qt::NoButton, c.modifiers,
                                Qt::NoScrollPhase, false);
        const WheelIntent wheel = WheelIntent::read(event);
        EXPECT_EQ(wheel.kind, c.kind) << c.name;
        EXPECT_EQ(wheel.notches, QPointF(0.5, -2.0)) << c.name;
        EXPECT_EQ(wheel.scrolled(), QPointF(0.5, -2.0)) << c.name;
    }
}

TEST(WheelIntent, AShiftHeldMouseWheelScrollsSideways)
{
    const struct {
        const char* name;
        Qt::KeyboardModifiers modifiers;
        QPoint pixels;
        QPoint angle;
        QPointF scrolled;
    } cases[] = {
        {"Shift, away", Qt::ShiftModifier, {}, QPoint(0, 240), QPointF(2.0, 0.0)},
        {"Shift, toward", Qt::ShiftModifier, {}, QPoint(0, -120), QPointF(-1.0, 0.0)},
        {"Shift, a sideways wheel", Qt::ShiftModifier, {}, QPoint(120, 0), QPointF(1.0, 0.0)},
        {"Ctrl", Qt::ControlModifier, {}, QPoint(0, 120), QPointF(0.0, 1.0)},
        {"Ctrl+Shift", Qt::ControlModifier | Qt::ShiftModifier, {}, QPoint(0, 120), QPointF(0.0, 1.0)},
        {"touchpad with Shift", Qt::ShiftModifier, QPoint(0, 9), QPoint(0, 120), QPointF(0.0, 1.0)},
    };
    for (const auto& c : cases) {
        const QWheelEvent event(QPointF(5, 5), QPointF(5, 5), c.pixels, c.angle, Qt::NoButton, c.modifiers,
                                Qt::NoScrollPhase, false);
        const WheelIntent wheel = WheelIntent::read(event);
        EXPECT_EQ(wheel.kind, WheelIntent::Kind::Move) << c.name;
        EXPECT_EQ(wheel.scrolled(), c.scrolled) << c.name;
    }
}
