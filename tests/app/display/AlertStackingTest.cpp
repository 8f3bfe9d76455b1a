#include "app/FocusLink.h"
#include "app/JMIFocuserLink.h"
#include "app/MoonLiteFocuserLink.h"
#include "app/MountLink.h"
#include "app/display/WindowManagerTest.h"
#include "chart/ChartOutlets.h"
#include "chart/menus/ChartMenuBar.h"
#include "focus/MoonLiteControl.h"
#include "focus/views/FocusMenu.h"
#include "focus/views/JMIWindow.h"
#include "mount/MountProtocols.h"
#include "mount/SerialControl.h"
#include "mount/panels/HandControlPanelSet.h"
#include "mount/panels/HandPanel.h"
#include "platform/AlertPanel.h"
#include "platform/widgets/HidesOnDeactivate.h"
#include "solarsystem/window/SSWindow.h"
#include "platform/widgets/MessageBoxPresenter.h"
#include "support/MoonLiteSimulator.h"
#include "support/PtyDevice.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

constexpr int kWaitMs = 60000;

}  // namespace

// The program's alerts and its last window under a real window manager, with
// alerts shown as the program shows them.
class AlertStackingTest : public WindowManagerTest {
protected:
    // Where the alert titled `title` stands once the window manager has stacked
    // it: its place and the topmost place among the program's windows. Answered
    // then, so the program goes on.
    class AlertWatch {
    public:
        explicit AlertWatch(QString title) : m_title(std::move(title))
        {
            QObject::connect(&m_timer, &QTimer::timeout, [this] { look(); });
            m_timer.start(100);
        }

        bool answered = false;
        qsizetype alertLevel = -1;
        qsizetype topLevel = -2;

    private:
        void look()
        {
            auto* alert = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!alert || alert->text() != m_title)
                return;
            if (!m_shown.isValid())
                m_shown.start();
            // Mapped, and given the window manager's time to stack it.
            alertLevel = level(*alert);
            if (alertLevel < 0 || m_shown.elapsed() < 400)
                return;
            topLevel = stacking().size() - 1;
            m_timer.stop();
            answered = true;
            alert->close();
        }

        QString m_title;
        QTimer m_timer;
        QElapsedTimer m_shown;
    };

    void SetUp() override
    {
        WindowManagerTest::SetUp();
        if (!chart)
            return;
        AlertPanel::setPresenter(std::make_unique<MessageBoxPresenter>());
    }
    void TearDown() override
    {
        AlertPanel::setPresenter(nullptr);
        WindowManagerTest::TearDown();
    }

    void usePort(const PtyDevice& port)
    {
        SerialControl& serial = chart->mountLink().serialControl();
        serial.setExtraPorts({port.path()});
        serial.getPortNames();
    }
    void chooseMoonLite()
    {
        QAction* item = chart->focusLink().focusMenu()->itemWithTag(FocusMenu::kMoonTag);
        ASSERT_NE(item, nullptr);
        item->trigger();
    }
    // The chart takes the keyboard again, as after a click on it.
    void activateChart()
    {
        chart->skyWindow().activateWindow();
        settle();
    }
    void expectAboveEveryWindow(const AlertWatch& watch, const QList<const QWidget*>& windows)
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return watch.answered; }, kWaitMs));
        EXPECT_EQ(watch.alertLevel, watch.topLevel) << "the alert is the topmost window";
        for (const QWidget* window : windows)
            EXPECT_GE(level(*window), 0) << "every window stays mapped under the alert";
    }
};

TEST_F(AlertStackingTest, AFocusersAlertsStandAboveTheHandPanelAndTheFocuserWindowsWithTheChartActive)
{
    SkyWindow& sky = chart->skyWindow();
    sky.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sky));
    HandPanel& hand = *chart->mountLink().handPanels().panel(MountPanel::LX200);
    chart->mountLink().handPanels().showPanel(MountPanel::LX200, QStringLiteral("LX200"));
    QWidget& jmi = chart->jmiLink().window();
    jmi.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&hand));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&jmi));
    activateChart();

    // A port that never answers: the MoonLite is not found.
    PtyDevice silent;
    silent.start();
    usePort(silent);
    AlertWatch failed(QStringLiteral("MoonLite connection failed."));
    chooseMoonLite();
    expectAboveEveryWindow(failed, {&sky, &hand, &jmi});

    // Found, then gone while the user is on the chart.
    PtyDevice port;
    MoonLiteSimulator moon(port.simulator());
    port.start();
    usePort(port);
    MoonLiteFocuserLink& moonLite = chart->moonLiteLink();
    chooseMoonLite();
    ASSERT_TRUE(QTest::qWaitFor([&] { return moonLite.control().isConnected(); }, kWaitMs));
    activateChart();
    AlertWatch lost(QStringLiteral("Lost connection with MoonLite"));
    port.closeMaster();
    expectAboveEveryWindow(lost, {&sky, &hand, &jmi});
}

TEST_F(AlertStackingTest, WithTheChartClosedTheLastWindowStaysWithinReachWhileAnotherProgramIsActive)
{
    SkyWindow& sky = chart->skyWindow();
    sky.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sky));
    chart->menuBar().windowMenu().menuAction(WindowMenuActions::kSolarSystemTag);
    SSWindow* solar = &chart->ssWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(solar));
    chart->outlets().ssWindow->setHide(true);
    sky.close();
    solar->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([] { return QGuiApplication::applicationState() == Qt::ApplicationActive; },
                                kWaitMs));

    OtherProgram other;
    ASSERT_TRUE(other.activate());
    ASSERT_TRUE(QTest::qWaitFor([] { return QGuiApplication::applicationState() != Qt::ApplicationActive; },
                                kWaitMs));
    settle();

    QProcess state;
    state.start(QStringLiteral("xprop"), {"-id", QString::number(solar->winId()), "WM_STATE"});
    ASSERT_TRUE(state.waitForFinished(5000));
    const QString wmState = QString::fromLatin1(state.readAllStandardOutput());
    EXPECT_TRUE(wmState.contains("Iconic") || wmState.contains("Normal")) << "withdrawn: " << wmState.toStdString();
    EXPECT_GE(level(*solar), 0) << "the window manager still lists it";
}
