#include "app/AssembledProgram.h"
#include "app/DomeLink.h"
#include "mount/panels/AlignPanel.h"
#include "mount/panels/ConnectMenu.h"
#include "mount/panels/DDWPanel.h"
#include "mount/panels/DomePanel.h"

#include <gtest/gtest.h>

#include <QAction>

using MountWiringTest = AssembledProgram;

// Each device item of the Connect menu reaches its panel in the program as
// assembled: a link joining later (the polar alignment) keeps the earlier
// ones (the domes).
TEST_F(MountWiringTest, TheConnectMenuDeviceItemsShowAndHideTheirPanels)
{
    ConnectMenu& menu = *chart->mountLink().connectMenu();
    const struct {
        const char* title;
        const QWidget& panel;
    } items[] = {
        {"Dome", chart->domeLink().domePanel()},
        {"Digital Dome Works", chart->domeLink().ddwPanel()},
    };
    for (const auto& item : items) {
        QAction* action = nullptr;
        for (QAction* candidate : menu.actions()) {
            if (candidate->text() == item.title)
                action = candidate;
        }
        ASSERT_NE(action, nullptr) << item.title;
        action->trigger();
        EXPECT_TRUE(item.panel.isVisible()) << item.title;
        action->trigger();
        EXPECT_FALSE(item.panel.isVisible()) << item.title;
    }
}
