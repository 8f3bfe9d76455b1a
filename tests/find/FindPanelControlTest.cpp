#include "FindFixture.h"

#include "find/panels/FindPanelControl.h"
#include "find/panels/PanelKeyControl.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class FindPanelControlTest : public FindFixture {
protected:
    void SetUp() override
    {
        FindFixture::SetUp();
        prefs.setIsTransparent(true);
        chart.show();
        panel = std::make_unique<FindPanelControl>(
            prefs, *finder, ChartKeyboard{[this] { ++chartKeys; chart.activateWindow(); },
                                          [this](QKeyEvent*) { ++chartKeyEvents; }});
    }
    void TearDown() override { panel.reset(); }

    QWidget chart;
    int chartKeys = 0;
    int chartKeyEvents = 0;
    std::unique_ptr<FindPanelControl> panel;
};

TEST_F(FindPanelControlTest, FadesWhileAnotherWindowIsKey)
{
    panel->openFind(true);
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
    EXPECT_EQ(panel->windowOpacity(), 1.0);
    chart.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !panel->isActiveWindow(); }));
    EXPECT_NEAR(panel->windowOpacity(), 0.25, 0.01);
    prefs.setIsTransparent(false);
    panel->setTransparency();
    EXPECT_EQ(panel->windowOpacity(), 1.0);
}

TEST_F(FindPanelControlTest, KeysAndClosing)
{
    panel->setEnterString("m31");
    panel->openFind(true);
    EXPECT_TRUE(panel->getEnterString().isEmpty());
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
    panel->setEnterString("m31");
    panel->findEnterText()->deselect();
    QTest::keyClick(panel->findEnterText(), Qt::Key_Tab);
    EXPECT_EQ(panel->findEnterText()->selectedText(), "m31");
    QTest::keyClick(panel->findEnterText(), Qt::Key_Escape);
    EXPECT_FALSE(panel->isVisible());

    panel->openFind(true);
    panel->close();
    EXPECT_EQ(chartKeys, 1);
    panel->openFind(false);
    EXPECT_EQ(chartKeys, 2);
}

TEST_F(FindPanelControlTest, ToolTipsSetAndClearedAndResultsShown)
{
    const QList<QWidget*> tipped = panel->findChildren<QWidget*>();
    const auto tips = [&] {
        int n = 0;
        for (QWidget* w : tipped)
            n += w->toolTip().isEmpty() ? 0 : 1;
        return n;
    };
    panel->setToolTips();
    EXPECT_EQ(tips(), 5);
    panel->clearToolTips();
    EXPECT_EQ(tips(), 0);

    sky.addStar("Sirius", "Alp CMa", "151881");
    panel->setEnterString("sirius");
    QTest::keyClick(panel->findEnterText(), Qt::Key_Return);
    int enabled = 0;
    for (QPushButton* b : panel->findChildren<QPushButton*>())
        enabled += b->isEnabled() ? 1 : 0;
    EXPECT_EQ(enabled, 3);
}

TEST(PanelKeyControl, FadesOutsideAndAsksAboutTheTourOnClose)
{
    NoGamma gamma;
    PrefControl prefs{gamma};
    prefs.setIsTransparent(true);
    int chartKeys = 0, keys = 0, fadeStops = 0, tourQuestions = 0;
    PanelKeyControl panel(prefs, {{[&] { ++chartKeys; }, [&](QKeyEvent*) { ++keys; }},
                                  [&] { ++fadeStops; }, [&] {
                                      ++tourQuestions;
                                      return false;
                                  }});
    EXPECT_NEAR(panel.windowOpacity(), 0.25, 0.01);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&panel, &enter);
    EXPECT_EQ(panel.windowOpacity(), 1.0);
    EXPECT_EQ(fadeStops, 1);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&panel, &leave);
    EXPECT_NEAR(panel.windowOpacity(), 0.25, 0.01);

    QTest::keyClick(&panel, Qt::Key_Space);
    EXPECT_EQ(keys, 1);

    panel.show();
    panel.close();
    EXPECT_EQ(chartKeys, 1);
    prefs.setIsCreateTour(true);
    panel.setWindowTitle(PanelKeyControl::kTourTitle);
    panel.show();
    panel.close();
    EXPECT_EQ(tourQuestions, 1);
    EXPECT_EQ(chartKeys, 1);
}

}  // namespace
