// One date step of the solar-system window with its redraw: a day-step
// button moves the window's date on by a day, the shortened planetary pass
// recomputes the plot longitudes, and the 800 x 600 plot is painted with
// planet and comet names on and a shipped comet selected, so its orbit is
// solved on the redraw too. Each iteration steps to a new date. Target: under
// 16 ms, a frame of a 60 Hz display.
#include "chart/DataFolderInstaller.h"
#include "model/catalogue/CatalogueFolders.h"
#include "model/ObjectIndex.h"
#include "model/prefs/PrefControl.h"
#include "model/SkyDateModel.h"
#include "model/StarDatabaseModel.h"
#include "platform/DataPaths.h"
#include "platform/DisplayGamma.h"
#include "solarsystem/SolarSystemModel.h"
#include "solarsystem/window/SSDrawer.h"
#include "solarsystem/window/SSModelLink.h"
#include "solarsystem/window/SSView.h"
#include "solarsystem/window/SSWindow.h"

#include <QApplication>
#include <QImage>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimeZone>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// The program's objects the window works with, over a fresh data folder.
struct Program {
    QTemporaryDir root;
    std::unique_ptr<DisplayGamma> gamma = DisplayGamma::create();
    std::unique_ptr<PrefControl> prefs;
    std::unique_ptr<SkyDateModel> skyDate;
    StarDatabaseModel model;
    std::unique_ptr<SolarSystemModel> solarSystem;
    std::unique_ptr<SSModelLink> link;
    std::unique_ptr<SSWindow> window;

    bool setUp()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, root.path());
        const QString user = root.path() + "/Norvane Pro";
        if (DataFolderInstaller(DataPaths::bundleDataFolder(), user).setupDirectories() ==
            DataFolderInstaller::Status::Failed)
            return false;
        const CatalogueFolders folders =
            CatalogueFolders::form(user, DataPaths::bundleDataFolder(), DataPaths::bundleResourcesFolder());
        prefs = std::make_unique<PrefControl>(*gamma);
        prefs->readPrefs();
        skyDate = std::make_unique<SkyDateModel>(*prefs);
        skyDate->calculateDate(QDateTime(QDate(2024, 1, 15), QTime(21, 0), QTimeZone::utc()), 0.0);
        model.setLinks(*prefs, *skyDate);
        solarSystem = std::make_unique<SolarSystemModel>(model, *prefs, *skyDate);
        model.setupDatabase(folders);
        if (model.comets().empty())
            return false;
        link = std::make_unique<SSModelLink>(*solarSystem);
        window = std::make_unique<SSWindow>(*prefs, *skyDate, *link, DataPaths::bundleResourcesFolder());
        window->ssView().resize(800, 600);
        // The inner planets, the belt and the comet's orbit in view; every name on.
        window->ssView().setZoom(3.0f);
        if (!prefs->isPlanetNames())
            prefs->setIsPlanetNames();
        if (!prefs->isCometNames())
            prefs->setIsCometNames();
        prefs->setFindIndex(kCometIndexBase);
        return true;
    }
};

Program* g_program = nullptr;

void BM_DateStepWithRedraw(benchmark::State& state)
{
    SSView& view = g_program->window->ssView();
    SSDrawer& drawer = g_program->window->ssDrawer();
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    constexpr int kOneDayTag = 1;
    for (auto _ : state) {
        drawer.timeControl(kOneDayTag, 1.0);
        view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["extraDays"] = drawer.extraDays();
}
BENCHMARK(BM_DateStepWithRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QApplication::setOrganizationName("Norvane");
    QApplication::setApplicationName("Norvane Pro");
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Never the user's own settings or data folder.
    QStandardPaths::setTestModeEnabled(true);
    Program program;
    if (!program.root.isValid() || !program.setUp()) {
        std::fprintf(stderr, "The shipped data could not be set up.\n");
        return EXIT_FAILURE;
    }
    g_program = &program;

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
