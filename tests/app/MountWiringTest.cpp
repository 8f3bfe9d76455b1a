#include "app/AssembledProgram.h"
#include "app/DomeLink.h"
#include "model/settings/PrefControl.h"
#include "mount/panels/AlignPanel.h"
#include "mount/panels/ConnectMenu.h"
#include "mount/panels/DDWPanel.h"
#include "mount/panels/DomePanel.h"

#include <gtest/gtest.h>

#include <QAction>

// The settings give the domes the mount type before.
class MountWiringTest : public AssembledProgram {
protected:
    MountWiringTest() { stored = {{"DomeGEMPref", true}}; }
};

// Each device item of the Connect menu reaches its panel in the program as
// assembled: a link joining later (the polar alignment) keeps the earlier
// ones (the domes).
TEST_F(MountWiringTest, TheConnectMenuDeviceItemsShowAndHideTheirPanels)
{
    ConnectMenu& menu = *chart->mountLink().connectMenu();
    const struct {
        const char* title;
        const MenuPanel& panel;
    } items[] = {
        {"Dome", chart->domeLink().domePanelLink()},
        {"Digital Dome Works", chart->domeLink().ddwPanelLink()},
    };
    // The panels are made as their items first show them, with the mount
    // type the settings gave before.
    chart->prefControl().readPrefs();
    EXPECT_FALSE(chart->domeLink().arePanelsMade());
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
    EXPECT_TRUE(chart->domeLink().domePanel().isGEM());
    EXPECT_TRUE(chart->domeLink().ddwPanel().isGEM());

}
