#include "platform/widgets/AccessibleInterfaces.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

// No assistive technology listens here: what a text change made Qt keep goes,
// and the widgets answer as before when an interface is next asked for.
TEST(AccessibleInterfaces, WhatQtKeptForNoListenerGoesAndComesBackWhenAsked)
{
    ASSERT_FALSE(QAccessible::isActive());
    QWidget window;
    auto* label = new QLabel(&window);
    auto* field = new QLineEdit(&window);
    label->setText("Altitude");
    field->setText("12.5");
    const QAccessible::Id labelId = QAccessible::uniqueId(QAccessible::queryAccessibleInterface(label));
    const QAccessible::Id fieldId = QAccessible::uniqueId(QAccessible::queryAccessibleInterface(field));
    ASSERT_NE(QAccessible::accessibleInterface(labelId), nullptr);

    EXPECT_GE(AccessibleInterfaces::releaseUnheard(), 3);
    EXPECT_EQ(QAccessible::accessibleInterface(labelId), nullptr);
    EXPECT_EQ(QAccessible::accessibleInterface(fieldId), nullptr);

    QAccessibleInterface* again = QAccessible::queryAccessibleInterface(label);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->text(QAccessible::Name), QString("Altitude"));
    label->setText("Azimuth");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name), QString("Azimuth"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(field)->text(QAccessible::Value), QString("12.5"));
}
