#include "platform/widgets/WindowStacking.h"
#include "support/PointerCrossings.h"

#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

TEST(WindowStacking, AWindowIsKeptAboveItsOwnerWhileTheOwnerShows)
{
    QWidget chart;
    auto* tool = new QWidget(nullptr, Qt::Tool);
    WindowStacking::keepAbove(*tool, chart);
    chart.show();
    WindowStacking::bringToFront(*tool);
    tool->hide();
    tool->show();
    ASSERT_NE(tool->windowHandle(), nullptr);
    EXPECT_EQ(tool->windowHandle()->transientParent(), chart.windowHandle());
    EXPECT_TRUE(tool->isVisible());
    // With its owner closed the window is one of the program's own again.
    chart.hide();
    EXPECT_EQ(tool->windowHandle()->transientParent(), nullptr);
    chart.show();
    EXPECT_EQ(tool->windowHandle()->transientParent(), chart.windowHandle());
    // The owner does not delete the window: its maker does.
    EXPECT_EQ(tool->parentWidget(), nullptr);
    delete tool;
}

TEST(WindowStacking, AWindowMayTakeTheKeyboardOnlyFromAPointerMovedIntoIt)
{
    WindowStacking::watchPointer();
    QWidget chart;
    QWidget view(nullptr, Qt::Tool);
    chart.show();
    view.show();
    // Told the pointer entered with no crossing read: a menu closed over it.
    EXPECT_FALSE(WindowStacking::mayTakeKeyOnEntry(chart));

    PointerCrossings::crosses(&view, &chart, QPoint(10, 10));
    EXPECT_TRUE(WindowStacking::mayTakeKeyOnEntry(chart));
    PointerCrossings::crosses(&chart, &view, QPoint(20, 10));
    EXPECT_FALSE(WindowStacking::mayTakeKeyOnEntry(chart)) << "the pointer left the chart";
    // The view moved, shrank or went from under the still pointer.
    PointerCrossings::movesWithin(view, QPoint(25, 10));
    PointerCrossings::crosses(&view, &chart, QPoint(25, 10));
    EXPECT_FALSE(WindowStacking::mayTakeKeyOnEntry(chart));

    // Another program's window going from under the pointer the user left
    // over it.
    PointerCrossings::crosses(&chart, nullptr, QPoint(40, 10));
    PointerCrossings::crosses(nullptr, &chart, QPoint(40, 10));
    EXPECT_FALSE(WindowStacking::mayTakeKeyOnEntry(chart));
    PointerCrossings::crosses(nullptr, &chart, QPoint(41, 10));
    EXPECT_TRUE(WindowStacking::mayTakeKeyOnEntry(chart));
}
