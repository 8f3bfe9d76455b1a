#include "focus/FocuserConnection.h"
#include "focus/views/FocusMenu.h"

#include <gtest/gtest.h>

namespace {

struct FakeConnection final : FocuserConnection {
    bool isFocuserConnected() const override { return connected; }
    void focuserConnect() override
    {
        connected = !connected;
        ++toggles;
    }
    bool connected = false;
    int toggles = 0;
};

}  // namespace

class FocusMenuTest : public ::testing::Test {
protected:
    FocusMenuTest()
    {
        menu.setOptec(&optec);
        menu.setRobo(&robo);
        menu.setJMI(&jmi);
        menu.setFCUSB(&fcusb);
        menu.setMoonLite(&moon);
    }
    bool enabled(int tag)
    {
        menu.validateMenu();
        return menu.itemWithTag(tag)->isEnabled();
    }
    bool checked(int tag) const { return menu.itemWithTag(tag)->isChecked(); }

    FakeConnection optec, robo, jmi, fcusb, moon;
    FocusMenu menu;
};

TEST_F(FocusMenuTest, OneSerialFocuserAtATime)
{
    EXPECT_EQ(menu.title(), "Focuser");
    for (int tag = 1; tag <= 5; ++tag)
        EXPECT_TRUE(enabled(tag)) << tag;

    menu.itemWithTag(FocusMenu::kRoboTag)->trigger();
    ASSERT_TRUE(robo.connected);
    EXPECT_FALSE(enabled(FocusMenu::kOptecTag));
    EXPECT_FALSE(enabled(FocusMenu::kJMITag));
    EXPECT_FALSE(enabled(FocusMenu::kMoonTag));
    EXPECT_TRUE(enabled(FocusMenu::kRoboTag));
    EXPECT_TRUE(enabled(FocusMenu::kFCUSBTag));
    EXPECT_TRUE(checked(FocusMenu::kRoboTag));
    EXPECT_FALSE(checked(FocusMenu::kOptecTag));

    // The FCUSB controller connects beside a serial focuser and disables nothing.
    menu.focuserMenuAction(FocusMenu::kFCUSBTag);
    EXPECT_TRUE(checked(FocusMenu::kFCUSBTag));
    EXPECT_TRUE(enabled(FocusMenu::kRoboTag));

    // Choosing the connected focuser disconnects it.
    menu.focuserMenuAction(FocusMenu::kRoboTag);
    EXPECT_FALSE(robo.connected);
    EXPECT_TRUE(enabled(FocusMenu::kOptecTag));
    EXPECT_FALSE(checked(FocusMenu::kRoboTag));
}

TEST_F(FocusMenuTest, OtherTagsAndAbsentFocusersDoNothing)
{
    menu.focuserMenuAction(0);
    menu.focuserMenuAction(6);
    EXPECT_EQ(optec.toggles + robo.toggles + jmi.toggles + fcusb.toggles + moon.toggles, 0);

    FocusMenu bare;
    bare.focuserMenuAction(FocusMenu::kOptecTag);
    bare.validateMenu();
    EXPECT_FALSE(bare.itemWithTag(FocusMenu::kOptecTag)->isEnabled());
    EXPECT_FALSE(bare.itemWithTag(FocusMenu::kFCUSBTag)->isEnabled());
}
