#pragma once

#include "app/AssembledProgram.h"
#include "app/ScopeViewAssembly.h"
#include "chart/SkyView.h"
#include "chart/SkyWindow.h"
#include "platform/widgets/KeptFrame.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>

#include <chrono>
#include <memory>
#include <optional>
#include <utility>

// Long enough for a window manager on a loaded machine.
inline constexpr int kWindowSystemMs = 10000;

// What `program` printed.
inline QString output(const char* program, const QStringList& arguments)
{
    QProcess process;
    process.start(QString::fromLatin1(program), arguments);
    return process.waitForFinished(kWindowSystemMs) ? QString::fromLatin1(process.readAllStandardOutput())
                                                    : QString();
}
// Where the window's content stands in the screen's own pixels, as the
// X server has it; none while it does not show.
inline std::optional<QPoint> pixelsOf(const QWidget& window)
{
    const QString info = output("xwininfo", {"-id", QString::number(window.winId())});
    const auto field = [&](const char* name) {
        const qsizetype at = info.indexOf(QLatin1String(name));
        return at < 0 ? -1 : info.mid(at + qsizetype(qstrlen(name))).section('\n', 0, 0).trimmed().toInt();
    };
    if (!info.contains(QLatin1String("IsViewable")))
        return std::nullopt;
    return QPoint(field("Absolute upper-left X:"), field("Absolute upper-left Y:"));
}
// The window's frame as the user sees it: around the content where the
// X server has it, by the extents the window manager gives its frame.
// None until the window shows and the window manager has framed it (Qt
// may keep margins read while the frame was being built).
inline std::optional<QRect> frameOf(const QWidget& window)
{
    // "_NET_FRAME_EXTENTS(CARDINAL) = left, right, top, bottom"
    const QStringList extents =
        output("xprop", {"-id", QString::number(window.winId()), "_NET_FRAME_EXTENTS"}).section('=', 1).split(',');
    const std::optional<QPoint> pixels = pixelsOf(window);
    if (extents.size() != 4 || !pixels || extents[2].trimmed().toInt() <= 0)
        return std::nullopt;
    const qreal scale = window.devicePixelRatioF();
    const auto at = [&](int i) { return qRound(extents[i].trimmed().toInt() / scale); };
    const QRect content(QPoint(qRound(pixels->x() / scale), qRound(pixels->y() / scale)), window.size());
    return content.adjusted(-at(0), -at(2), at(1), at(3));
}
// Where the window's frame stands once the window manager is done with
// it: framed, and at rest for longer than a kept frame waits before it
// brings a window back (the window manager may frame a window late on a
// busy machine). None when it never came to rest.
inline std::optional<QRect> settledFrame(const QWidget& window)
{
    constexpr auto kRest = KeptFrame::kSettleTime + std::chrono::milliseconds(100);
    QElapsedTimer rested;
    std::optional<QRect> frame;
    const bool settled = QTest::qWaitFor(
        [&] {
            const std::optional<QRect> now = frameOf(window);
            if (!now || std::exchange(frame, now) != now)
                rested.start();
            return now && rested.elapsed() > kRest.count();
        },
        kWindowSystemMs);
    if (!settled) {
        const QRect inner = window.geometry();
        ADD_FAILURE() << window.windowTitle().toStdString() << " never came to rest, framed and shown: "
                      << (window.isVisible() ? "shown" : "hidden") << ", "
                      << (frame ? "framed" : "not framed by the window manager") << ", content at " << inner.x()
                      << "," << inner.y() << " " << inner.width() << "x" << inner.height();
        return std::nullopt;
    }
    return frame;
}

// A point of the window's frame in the screen's pixels, as the user takes
// it: `along` of the way across the frame and `down` of the way down its
// title bar (1.5 is half way down the border below the content); none
// before the window manager has framed it.
inline std::optional<QPoint> framePixel(const QWidget& window, qreal along, qreal down)
{
    // "_NET_FRAME_EXTENTS(CARDINAL) = left, right, top, bottom"
    const QStringList extents =
        output("xprop", {"-id", QString::number(window.winId()), "_NET_FRAME_EXTENTS"}).section('=', 1).split(',');
    const std::optional<QPoint> content = pixelsOf(window);
    if (extents.size() != 4 || !content || extents[2].trimmed().toInt() <= 0)
        return std::nullopt;
    const auto at = [&](int i) { return extents[i].trimmed().toInt(); };
    const QSize size = window.size() * window.devicePixelRatioF();
    const int left = content->x() - at(0);
    const int width = at(0) + size.width() + at(1);
    const int y = down <= 1 ? content->y() - at(2) + qRound(at(2) * down)
                            : content->y() + size.height() + qRound(at(3) * (down - 1));
    return QPoint(left + qRound((width - 1) * along), y);
}

// A drag as a hand makes it, held well over a second: the button pressed at
// `from` (in the screen's pixels), the pointer moved by `by` in steps with
// pauses, then released; `modifier` ("alt") held through it when given.
inline bool heldDrag(QPoint from, QPoint by, const QString& modifier = {})
{
    QStringList arguments{"mousemove", QString::number(from.x()), QString::number(from.y())};
    if (!modifier.isEmpty())
        arguments << "keydown" << modifier;
    arguments << "mousedown" << "1";
    constexpr int kSteps = 4;
    for (int step = 1; step <= kSteps; ++step) {
        const QPoint to = from + by * step / kSteps;
        arguments << "sleep" << "0.3" << "mousemove" << QString::number(to.x()) << QString::number(to.y());
    }
    arguments << "sleep" << "0.3" << "mouseup" << "1";
    if (!modifier.isEmpty())
        arguments << "keyup" << modifier;
    // The program goes on handling its events through the drag, as it does
    // under a hand.
    QProcess drag;
    drag.start(QStringLiteral("xdotool"), arguments);
    return QTest::qWaitFor([&drag] { return drag.state() == QProcess::NotRunning; }, kWindowSystemMs) &&
           drag.exitStatus() == QProcess::NormalExit && drag.exitCode() == 0;
}

// The window the window manager has made active, 0 for none.
inline WId activeWindow()
{
    return output("xprop", {"-root", "_NET_ACTIVE_WINDOW"}).section('#', 1).trimmed().toULongLong(nullptr, 16);
}

// Another program's window, which the user switches to as from a task
// list: the window manager activates it.
class OtherProgram {
public:
    OtherProgram() { m_process.start(QStringLiteral("xmessage"), {QStringLiteral("another program")}); }
    ~OtherProgram()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    // Makes its window the active one, or says why not. Its window is
    // looked for in the window manager's list of the windows it has taken
    // in: asked for one it has not, the window manager drops the request.
    // (A search of the whole window tree also fails now and then, when a
    // window of the program's goes while it is read.)
    testing::AssertionResult activate()
    {
        if (!m_window && !QTest::qWaitFor([&] { return (m_window = listedWindow()) != 0; }, kWindowSystemMs))
            return testing::AssertionFailure() << "the window manager never took the other program's window in";
        QProcess activation;
        activation.start(QStringLiteral("xdotool"), {"windowactivate", "--sync", QString::number(m_window)});
        if (!activation.waitForFinished(kWindowSystemMs) || activation.exitCode() != 0)
            return testing::AssertionFailure() << "xdotool windowactivate failed: "
                                               << activation.readAllStandardError().toStdString();
        if (const WId active = activeWindow(); active != m_window)
            return testing::AssertionFailure() << "the active window is " << active << ", not the other program's "
                                               << m_window;
        return testing::AssertionSuccess();
    }

private:
    static WId listedWindow()
    {
        const QString list = output("xprop", {"-root", "_NET_CLIENT_LIST"});
        for (const QString& id : list.section('#', 1).split(',', Qt::SkipEmptyParts)) {
            const WId window = id.trimmed().toULongLong(nullptr, 16);
            if (output("xprop", {"-id", QString::number(window), "WM_CLASS"}).contains(QLatin1String("\"xmessage\"")))
                return window;
        }
        return 0;
    }

    QProcess m_process;
    WId m_window = 0;
};

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
        ASSERT_NO_FATAL_FAILURE(startFromAKnownState());
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

    // The X server as a test run alone meets it, whatever ran before: no
    // window left by an earlier test's program (one that crashed leaves its
    // helpers running), no key or button held down, the pointer in the
    // middle of the screen.
    static void startFromAKnownState()
    {
        const auto leftOver = [] {
            QList<WId> windows;
            const QString list = xprop("_NET_CLIENT_LIST");
            for (const QString& id : list.section('#', 1).split(',', Qt::SkipEmptyParts))
                if (const WId window = id.trimmed().toULongLong(nullptr, 16);
                    window && output("xdotool", {"getwindowpid", QString::number(window)}).trimmed().toLongLong() !=
                    QCoreApplication::applicationPid())
                    windows << window;
            return windows;
        };
        for (const WId window : leftOver())
            QProcess::execute("xdotool", {"windowkill", QString::number(window)});
        ASSERT_TRUE(QTest::qWaitFor([&] { return leftOver().isEmpty(); }, kWindowSystemMs))
            << "windows left by an earlier test stay";
        // The server drops the release of a key or button that is not down.
        QProcess::execute("xdotool",
                          {"keyup", "Shift_L", "Shift_R", "Control_L", "Control_R", "Alt_L", "Alt_R", "Super_L"});
        QProcess::execute("xdotool", {"mouseup", "1"});
        QProcess::execute("xdotool", {"mouseup", "2"});
        QProcess::execute("xdotool", {"mouseup", "3"});
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QPoint middle = (QRectF(screen->geometry()).center() * screen->devicePixelRatio()).toPoint();
        QProcess::execute("xdotool", {"mousemove", QString::number(middle.x()), QString::number(middle.y())});
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

