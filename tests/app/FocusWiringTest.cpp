#include "app/AssembledProgram.h"
#include "app/FocusLink.h"
#include "app/FocuserWindowOwner.h"
#include "app/MountLink.h"
#include "focus/ProbeFocuser.h"
#include "focus/views/FocusMenu.h"
#include "focus/views/FocuserWindow.h"
#include "mount/SerialControl.h"
#include "mount/panels/ConnectMenu.h"
#include "support/PtyDevice.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

QMenu* menuTitled(QMenuBar& bar, const QString& title)
{
    for (QAction* action : bar.actions()) {
        if (action->menu() && action->menu()->title() == title)
            return action->menu();
    }
    return nullptr;
}

QAction* itemTagged(QMenu& menu, int tag)
{
    for (QAction* action : menu.actions()) {
        if (action->data().toInt() == tag)
            return action;
    }
    return nullptr;
}

}  // namespace

// A focuser family joins the program as assembled: the chart's Focuser menu
// connects it through the mount's serial transport on the focuser slot,
// shows its window, and the Connect menu's control-panel item then reaches
// that window.
class FocusWiringTest : public AssembledProgram {
protected:
    void SetUp() override
    {
        AssembledProgram::SetUp();
        port.simulator().answer(ProbeFocuserControl::kProbe, "PONG#");
        port.start();
        SerialControl& serial = chart->mountLink().serialControl();
        serial.setExtraPorts({port.path()});
        serial.getPortNames();
        control = std::make_unique<ProbeFocuserControl>(serial, chart->focusLink().worker());
        window = std::make_unique<FocuserWindowOwner<FocuserWindow>>(
            [] { return std::make_unique<FocuserWindow>("Probe"); });
        frame = std::make_unique<ProbeFocuserFrame>(*control, chart->focusLink().frameLinks(),
                                                    *window, *window);
        window->attach([this](FocuserWindow& made) { made.attach(*frame); });
        chart->focusLink().joinRobo(*control, *frame, *window);
    }
    void TearDown() override
    {
        if (control->isConnected())
            control->disconnectDevice();
        chart.reset();
    }

    ScopedAlertRecorder alerts;
    PtyDevice port;
    std::unique_ptr<ProbeFocuserControl> control;
    std::unique_ptr<FocuserWindowOwner<FocuserWindow>> window;
    std::unique_ptr<ProbeFocuserFrame> frame;
};

TEST_F(FocusWiringTest, TheFocuserMenuConnectsAFocuserOnTheFocuserSlot)
{
    QMenuBar& bar = *chart->skyWindow().menuBar();
    QMenu* menu = menuTitled(bar, "Focuser");
    ASSERT_NE(menu, nullptr);
    // It follows the Connect menu.
    const QList<QAction*> order = bar.actions();
    EXPECT_EQ(order.indexOf(menu->menuAction()),
              order.indexOf(chart->mountLink().connectMenu()->menuAction()) + 1);

    QAction* robo = itemTagged(*menu, FocusMenu::kRoboTag);
    ASSERT_NE(robo, nullptr);
    robo->trigger();
    ASSERT_TRUE(control->settle());
    ASSERT_TRUE(control->isConnected());
    EXPECT_EQ(port.simulator().received(), "PING#");
    EXPECT_NE(chart->mountLink().serialControl().serialRefNum(kSerialSlotFocuser), -1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->get().statusField()->text(), "Connected");

    // The other serial focusers wait while this one is connected.
    static_cast<FocusMenu*>(menu)->validateMenu();
    EXPECT_TRUE(robo->isChecked());
    EXPECT_FALSE(itemTagged(*menu, FocusMenu::kOptecTag)->isEnabled());

    // The Connect menu's control-panel item reaches the window.
    ConnectMenu& connect = *chart->mountLink().connectMenu();
    connect.validateMenu();
    window->hide();
    connect.connectMenuAction(20);  // Control Panel
    EXPECT_TRUE(window->isVisible());

    robo->trigger();
    EXPECT_FALSE(control->isConnected());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(chart->mountLink().serialControl().serialRefNum(kSerialSlotFocuser), -1);
    EXPECT_TRUE(alerts.alerts.empty());
}
