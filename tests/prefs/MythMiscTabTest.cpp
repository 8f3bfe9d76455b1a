#include "PrefsFixture.h"

#include "prefs/MythMiscTab.h"
#include "prefs/PrefLocalization.h"

#include <QCheckBox>

namespace {

class MythMiscTabTest : public ::testing::Test {
protected:
    MythMiscTabTest() : prefs(gamma)
    {
        prefs.restoreDefaultPrefs();
        tab.setLinks({[this] { ++hides; }, [this] { ++cursorResets; }, [this] { ++redraws; }});
        QStringList& myth = prefs.mythArray();
        for (QString& item : myth)
            item = "NO";
        myth[58] = "YES";
        tab.setupDate();
        tab.setupHideBoxes();
    }

    NoGamma gamma;
    PrefControl prefs;
    PrefLocalization texts;
    MythMiscTab tab{prefs, texts};
    int hides = 0;
    int cursorResets = 0;
    int redraws = 0;
};

TEST_F(MythMiscTabTest, ShowAllChecksEveryFigureAndRestoresThemWhenOff)
{
    ASSERT_EQ(prefs.mythArray().size(), 90);
    EXPECT_TRUE(tab.figureBox(58)->isChecked());
    EXPECT_FALSE(tab.figureBox(0)->isChecked());
    tab.showAllBox()->setChecked(true);
    EXPECT_EQ(prefs.mythArray()[89], "YES");
    for (int index : MythMiscTab::kFigureIndexes)
        EXPECT_TRUE(tab.figureBox(index)->isChecked()) << index;
    EXPECT_EQ(prefs.mythArray()[0], "NO");
    tab.showAllBox()->setChecked(false);
    EXPECT_TRUE(tab.figureBox(58)->isChecked());
    EXPECT_FALSE(tab.figureBox(86)->isChecked());

    tab.figureBox(86)->setChecked(true);
    EXPECT_EQ(prefs.mythArray()[86], "YES");
    EXPECT_EQ(tab.figureBox(5), nullptr);
}

TEST_F(MythMiscTabTest, HideBoxesStoreTheInverseAndReapplyHiding)
{
    tab.hideBox(1)->setChecked(true);
    tab.hideBox(1)->setChecked(false);
    EXPECT_TRUE(prefs.isSkyHide());
    tab.hideBox(8)->setChecked(!tab.hideBox(8)->isChecked());
    EXPECT_EQ(prefs.isDomeHide(), !tab.hideBox(8)->isChecked());
    EXPECT_EQ(hides, 3);
    EXPECT_EQ(tab.hideBox(5), nullptr);
    tab.hideAction(5, true);
    EXPECT_EQ(hides, 4);

    tab.redCursorBox()->setChecked(!prefs.isRedCursor());
    EXPECT_EQ(prefs.isRedCursor(), tab.redCursorBox()->isChecked());
    EXPECT_EQ(cursorResets, 1);
    tab.hideNamesBox()->setChecked(!prefs.isHideCNames());
    EXPECT_EQ(redraws, 1);
}

TEST_F(MythMiscTabTest, FigureBoxesTakeTheConstellationTableNames)
{
    tab.setFigureTitles([](int index) { return index == 58 ? QString("Schlangenträger & Co") : QString(); });
    EXPECT_EQ(tab.figureBox(58)->text(), "Schlangenträger && Co");
    // A table without the name keeps the English title.
    EXPECT_EQ(tab.figureBox(0)->text(), "Andromeda");
}

}  // namespace
