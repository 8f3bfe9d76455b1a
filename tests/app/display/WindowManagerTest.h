#pragma once

#include "app/AssembledProgram.h"
#include "app/ScopeViewAssembly.h"
#include "chart/SkyView.h"
#include "chart/SkyWindow.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <memory>

// The program's windows under a real window manager (openbox), their order
// read back as the window manager keeps it.
class WindowManagerTest : public AssembledProgram {
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
            // The mark it leaves behind would tell the next test that a
            // window manager still runs.
            QProcess::execute("xprop", {"-root", "-remove", "_NET_SUPPORTING_WM_CHECK"});
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

    // Shows the program and waits until its launch has finished.
    bool launch()
    {
        if (!chart->awakeFromNib())
            return false;
        chart->show();
        return QTest::qWaitFor([&] { return chart->skyWindow().skyView().hasLaunched(); }, 120000);
    }
    // The program as the next start finds it, over the same settings and folders.
    void restart()
    {
        scopeView.reset();
        chart.reset();
        chart = std::make_unique<ChartAssembly>(folders);
        scopeView = std::make_unique<ScopeViewAssembly>(*chart, folders);
    }

    std::unique_ptr<ScopeViewAssembly> scopeView;

private:
    QProcess m_windowManager;
};

