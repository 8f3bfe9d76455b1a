#include "app/display/WindowManagerTest.h"

#include "chart/menus/ChartMenuBar.h"
#include "chart/menus/WindowMenuActions.h"
#include "model/settings/PrefDefaults.h"
#include "mount/panels/ConnectMenu.h"
#include "prefs/PrefWindow.h"
#include "prefs/PrefWindowControl.h"
#include "platform/widgets/RefusalNote.h"
#include "prefs/SitesTab.h"
#include "prefs/TelescopeTab.h"
#include "support/RecordingAlertPresenter.h"
#include "support/ScopedDefaultLocale.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {

// A new user on a fresh install, through the windows as the window manager shows them.
class PrefsNewcomerTest : public WindowManagerTest {
protected:
    SitesTab& sites() { return chart->prefWindow().sitesTab(); }
    TelescopeTab& telescope() { return chart->prefWindow().telescopeTab(); }

    void typeLocation(const QStringList& texts)
    {
        for (int part = 0; part < 3; ++part) {
            sites().latitudeField(part)->setText(texts[part]);
            sites().longitudeField(part)->setText(texts[part + 3]);
        }
    }
    static QPushButton* button(QWidget& tab, const QString& title)
    {
        for (QPushButton* push : tab.findChildren<QPushButton*>()) {
            if (push->text() == title)
                return push;
        }
        return nullptr;
    }
    // Runs the event loop until Ctrl+Q, typed at the chart, ends it.
    int quit()
    {
        QWidget& window = chart->skyWindow();
        QTimer::singleShot(200, &window, [&window] { QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier); });
        QTimer guard;
        guard.callOnTimeout([] { QCoreApplication::exit(99); });
        guard.start(30000);
        return QApplication::exec();
    }
    // The width `menu` opens at on screen.
    static int openWidth(QMenu& menu)
    {
        menu.popup(QPoint(10, 10));
        (void)QTest::qWaitForWindowExposed(&menu);
        const int width = menu.width();
        menu.hide();
        return width;
    }
    QMenu* setupMenu() const
    {
        for (QAction* item : chart->skyWindow().menuBar()->actions()) {
            if (item->menu() && item->text().remove('&') == "Setup")
                return item->menu();
        }
        return nullptr;
    }

    ScopedAlertRecorder recorder;
};

TEST_F(PrefsNewcomerTest, AFirstHomeSiteAndAnOpenTelescopeViewHoldAcrossRelaunch)
{
    ASSERT_TRUE(launch());
    chart->prefWindow().showTab(PrefWindow::kSetup);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart->prefWindow().window()));
    ASSERT_EQ(sites().siteNameField(0)->text(), "Undefined");
    typeLocation({"51", "30", "00", "0", "07", "00"});
    sites().eastWest()->button(1)->click();
    button(sites(), "Save")->click();
    chart->menuBar().windowMenu().menuAction(WindowMenuActions::kScopeViewTag);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&scopeView->svWindow()));
    settle();

    ASSERT_EQ(quit(), 0);
    restart();
    ASSERT_TRUE(launch());
    settle();
    EXPECT_EQ(chart->prefControl().siteNamesArray()[0], "Home");
    EXPECT_NEAR(chart->prefControl().latitude(), 51.5, 1e-5);
    EXPECT_NEAR(chart->prefControl().longitude(), -7.0 / 60.0, 1e-5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return scopeView->svWindow().isVisible(); }, 10000));

    // Closed by the user, it stays closed at the next start.
    scopeView->svWindow().close();
    settle();
    ASSERT_EQ(quit(), 0);
    restart();
    ASSERT_TRUE(launch());
    settle();
    EXPECT_FALSE(scopeView->svWindow().isVisible());
}

TEST_F(PrefsNewcomerTest, RefusalsShowOnScreenAndLongNamesKeepTheMenusNarrow)
{
    const ScopedDefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_TRUE(launch());
    chart->prefWindow().showTab(PrefWindow::kSetup);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart->prefWindow().window()));
    typeLocation({"95", "95", "00", "0", "00", "00"});
    button(sites(), "Go To")->click();
    EXPECT_TRUE(sites().refusalNote()->isVisible());
    EXPECT_EQ(recorder.beeps, 1);

    typeLocation({"10", "00", "00", "20", "00", "00"});
    sites().siteNameField(0)->setText(QString(500, u'S'));
    button(sites(), "Save")->click();
    EXPECT_FALSE(sites().refusalNote()->isVisible());

    chart->prefWindow().showTab(PrefWindow::kTelescope);
    telescope().nameField()->setText(QString(500, u'T'));
    telescope().apertureField()->setText("-100");
    button(telescope(), "Save Scope")->click();
    EXPECT_TRUE(telescope().refusalNote()->isVisible());
    telescope().focalLengthUnit()->button(1)->click();
    telescope().apertureField()->setText("203,2");
    telescope().focalLengthField()->setText("1200,5");
    button(telescope(), "Save Scope")->click();
    EXPECT_FALSE(telescope().refusalNote()->isVisible());
    EXPECT_FLOAT_EQ(chart->prefControl().scopes()[0].scopeFL, 1200.5f);

    const int half = QGuiApplication::primaryScreen()->availableGeometry().width() / 2;
    ASSERT_NE(setupMenu(), nullptr);
    EXPECT_LT(openWidth(*setupMenu()), half);
    EXPECT_LT(openWidth(*chart->mountLink().connectMenu()), half);
    EXPECT_EQ(chart->prefControl().siteNamesArray()[0].size(), PrefDefaults::kMostNameLength);
}

}  // namespace
