#include "chart/menus/MenuFakes.h"

#include "chart/menus/SkyClickMenuActions.h"

#include <gtest/gtest.h>

namespace {

class SkyClickMenuActionsTest : public MenusTest {};

TEST_F(SkyClickMenuActionsTest, EachItemSetsItsClickModeAndRedraws)
{
    SkyClickMenuActions menu(outlets);
    const char* const wanted[] = {"skyView.setIsTrack true", "skyView.setIsAngleSep true",
                                  "skyView.setIsCopy true", nullptr, "skyView.setIsCenter true", nullptr};
    for (int tag = 1; tag <= 6; ++tag) {
        fakes.log.calls.clear();
        menu.menuAction(tag);
        if (wanted[tag - 1])
            EXPECT_EQ(count(wanted[tag - 1]), 1) << tag;
        else
            EXPECT_EQ(fakes.log.calls, QStringList({"skyView.display"})) << "hand move only redraws";
        EXPECT_EQ(count("skyView.display"), 1) << tag;
    }
}

}  // namespace
