// A second start of the whole program, from the making of its objects to the
// first finished paint of the sky: the per-user data folder and its caches
// are already there. Run it on a real display (xvfb-run) or offscreen.
#include "BenchMain.h"

#include "app/ChartAssembly.h"
#include "chart/SkyView.h"
#include "platform/DataPaths.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

// Ends `loop` once the chart view has been painted with the sky.
class SkyPaintWatch final : public QObject {
public:
    SkyPaintWatch(SkyView& view, QEventLoop& loop) : m_view(view), m_loop(loop)
    {
        view.installEventFilter(this);
    }
    bool painted() const { return m_painted; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        // Seen before the paint; the loop ends after it.
        if (event->type() == QEvent::Paint && m_view.hasLaunched() && !m_painted) {
            m_painted = true;
            QTimer::singleShot(0, &m_loop, &QEventLoop::quit);
        }
        return false;
    }

private:
    SkyView& m_view;
    QEventLoop& m_loop;
    bool m_painted = false;
};

// One start; false when it did not reach the sky.
bool startToSky(const ChartAssembly::Folders& folders)
{
    ChartAssembly program(folders);
    if (!program.awakeFromNib())
        return false;
    QEventLoop loop;
    SkyPaintWatch watch(program.skyWindow().skyView(), loop);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    program.show();
    loop.exec();
    return watch.painted();
}

ChartAssembly::Folders g_folders;

void BM_SecondStartToFirstSkyPaint(benchmark::State& state)
{
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        if (!startToSky(g_folders)) {
            state.SkipWithError("the launch did not reach the sky");
            return;
        }
        state.SetIterationTime(double(timer.nsecsElapsed()) * 1e-9);
    }
}
BENCHMARK(BM_SecondStartToFirstSkyPaint)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication::setOrganizationName("Norvane");
    QApplication::setApplicationName("Norvane Pro");
    QApplication::setApplicationVersion(NORVANE_VERSION);
    QApplication app(argc, argv);
    const double applicationMs = double(sinceMain.nsecsElapsed()) * 1e-6;

    // Never the user's own settings or data folder.
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir root;
    if (!root.isValid())
        return EXIT_FAILURE;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, root.path());
    g_folders = {DataPaths::bundleDataFolder(), root.path() + "/Norvane Pro",
                 DataPaths::bundleResourcesFolder()};

    // The first start installs the folder and builds the caches.
    QElapsedTimer first;
    first.start();
    if (!startToSky(g_folders))
        return EXIT_FAILURE;
    std::printf("QApplication construction: %.1f ms; first start (install and build): %.1f ms\n",
                applicationMs, double(first.nsecsElapsed()) * 1e-6);

    return runBenchmarks(argc, argv);
}
