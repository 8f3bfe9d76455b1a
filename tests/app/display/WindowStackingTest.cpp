#include "app/AssembledProgram.h"
#include "app/ScopeViewAssembly.h"
#include "chart/ChartOutlets.h"
#include "chart/TimePanel.h"
#include "chart/menus/ChartMenuBar.h"
#include "platform/widgets/MessageBoxPresenter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// The program's windows under a real window manager (openbox), their order
// read back as the window manager keeps it.
class WindowStackingTest : public AssembledProgram {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X display";
        const QString openbox = QStandardPaths::findExecutable("openbox");
        if (openbox.isEmpty() || QStandardPaths::findExecutable("xprop").isEmpty() ||
            QStandardPaths::findExecutable("xdotool").isEmpty())
            GTEST_SKIP() << "openbox, xprop and xdotool are installed by scripts/install-deps.sh";
        if (!xprop("_NET_SUPPORTING_WM_CHECK").contains("window id")) {
            m_windowManager.start(openbox, {"--sm-disable"});
            ASSERT_TRUE(m_windowManager.waitForStarted());
            QElapsedTimer waited;
            waited.start();
            while (!xprop("_NET_SUPPORTING_WM_CHECK").contains("window id") && waited.elapsed() < 10000)
                QTest::qWait(100);
        }
        ASSERT_TRUE(xprop("_NET_SUPPORTING_WM_CHECK").contains("window id"));
        AssembledProgram::SetUp();
        scopeView = std::make_unique<ScopeViewAssembly>(*chart, folders);
    }
    void TearDown() override
    {
        scopeView.reset();
        chart.reset();
        if (m_windowManager.state() != QProcess::NotRunning) {
            m_windowManager.terminate();
            m_windowManager.waitForFinished(5000);
        }
    }

    static QString xprop(const char* property)
    {
        QProcess process;
        process.start("xprop", {"-root", QString::fromLatin1(property)});
        process.waitForFinished(5000);
        return QString::fromLatin1(process.readAllStandardOutput());
    }
    // The program's windows bottom to top, as the window manager stacks them.
    static QList<WId> stacking()
    {
        const QString line = xprop("_NET_CLIENT_LIST_STACKING");
        QList<WId> ids;
        for (const QString& id : line.mid(line.indexOf('#') + 1).split(',', Qt::SkipEmptyParts))
            ids << id.trimmed().toULongLong(nullptr, 16);
        return ids;
    }
    static qsizetype level(const QWidget& window) { return stacking().indexOf(window.winId()); }
    static void settle() { QTest::qWait(400); }

    std::unique_ptr<ScopeViewAssembly> scopeView;

private:
    QProcess m_windowManager;
};

}  // namespace

TEST_F(WindowStackingTest, AWindowFromTheMenuStaysAboveTheChartAndAnAlertAboveEveryPanel)
{
    SkyWindow& sky = chart->skyWindow();
    sky.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sky));
    settle();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_TRUE(screen.contains(sky.frameGeometry().topLeft())) << "the chart's title bar is on screen";

    chart->menuBar().windowMenu().menuAction(WindowMenuActions::kScopeViewTag);
    SVWindow& view = scopeView->svWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    settle();
    ASSERT_GE(level(sky), 0);
    EXPECT_GT(level(view), level(sky));

    // The pointer crossing the chart gives it the keyboard, not the top.
    const QPoint middle = sky.mapToGlobal(sky.rect().center());
    QProcess::execute("xdotool", {"mousemove", QString::number(middle.x()), QString::number(middle.y())});
    settle();
    sky.activateWindow();
    settle();
    EXPECT_GT(level(view), level(sky));

    chart->outlets().timeControlPanel->orderFront();
    chart->outlets().directionControlPanel->orderFront();
    settle();
    qsizetype alertLevel = -1;
    qsizetype top = -2;
    QTimer::singleShot(800, [&] {
        if (QWidget* alert = QApplication::activeModalWidget()) {
            alertLevel = level(*alert);
            top = stacking().size() - 1;
            alert->close();
        }
    });
    MessageBoxPresenter().showAlert("Reset all preferences?", " ");
    EXPECT_EQ(alertLevel, top) << "the alert is the topmost window";
}
