#include "chart/menus/MenuFakes.h"

#include "chart/controls/SkyTimeControl.h"
#include "chart/toolbar/ToolbarActions.h"
#include "chart/toolbar/ToolbarDelagate.h"
#include "chart/toolbar/ToolbarItems.h"
#include "model/SkyDateModel.h"

#include <gtest/gtest.h>

#include <QMainWindow>
#include <QTest>

namespace {

class ToolbarDelagateTest : public MenusTest {
protected:
    void SetUp() override
    {
        MenusTest::SetUp();
        skyDate = std::make_unique<SkyDateModel>(settings());
        time = std::make_unique<SkyTimeControl>(settings(), *skyDate, outlets);
        actions = std::make_unique<ToolbarActions>(settings(), outlets, *chain, *time);
        delegate = new ToolbarDelagate(*actions, settings(), window, QStringLiteral("/nonexistent/"));
    }
    QAction* actionWithTag(int tag) const
    {
        for (QAction* action : delegate->toolbar()->actions())
            if (action->data().toInt() == tag)
                return action;
        return nullptr;
    }

    QMainWindow window;
    std::unique_ptr<SkyDateModel> skyDate;
    std::unique_ptr<SkyTimeControl> time;
    std::unique_ptr<ToolbarActions> actions;
    ToolbarDelagate* delegate = nullptr;
};

TEST_F(ToolbarDelagateTest, AGarbledSavedArrangementGivesTheDefaultToolbar)
{
    settings().saveToolbarConfiguration(ToolbarItems::kToolbarIdentifier, {"no such item", "\x01\x02"});
    delegate->setupToolbar();
    EXPECT_EQ(delegate->itemIdentifiers(), ToolbarItems::defaultItemIdentifiers());
    // Planet names are on by default, star names off; missing images leave plain buttons.
    EXPECT_EQ(actionWithTag(2)->text(), QString(ToolbarItems::kCheckMark) + "Planet");
    EXPECT_EQ(actionWithTag(1)->text(), "Star");
    actionWithTag(1)->trigger();
    EXPECT_EQ(actionWithTag(1)->text(), QString(ToolbarItems::kCheckMark) + "Star");
}

TEST_F(ToolbarDelagateTest, ACustomArrangementIsKeptAndTheSearchWorksAfterReAdding)
{
    delegate->setupToolbar();
    delegate->setItemIdentifiers({"Time View Toolbar ID", "Scope Window Toolbar ID"});
    EXPECT_EQ(delegate->searchField(), nullptr);
    EXPECT_EQ(settings().toolbarConfiguration(ToolbarItems::kToolbarIdentifier),
              QStringList({"Time View Toolbar ID", "Scope Window Toolbar ID"}));

    delegate->setItemIdentifiers({ToolbarItems::kFind});
    ASSERT_NE(delegate->searchField(), nullptr);
    nameSearch.answer = NameSearch::kFoundAndSelected;
    QTest::keyClicks(delegate->searchField(), "Vega");
    QTest::keyClick(delegate->searchField(), Qt::Key_Return);
    EXPECT_EQ(count("finder.findVoiceName Vega"), 1);
    EXPECT_EQ(count("finder.findCenterAction"), 1);

    delegate->clearToolTips();
    for (QAction* action : delegate->toolbar()->actions())
        EXPECT_NE(action->toolTip(), "Find and center object");
}

}  // namespace
