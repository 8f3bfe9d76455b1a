#include "platform/widgets/WindowStacking.h"

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
