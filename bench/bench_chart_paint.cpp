// One full frame of the sky chart into a 1920 x 1080 image: the shipped
// catalogues projected for a winter night at 48° north, every layer switched
// on (names, flags, grids, boundaries, Milky Way, figures, photographs, mist).
// BM_FullFrame keeps the catalogue filters at their defaults (every star of
// the table, the deep-sky objects of the observing lists);
// BM_FullFrameEveryObject shows every deep-sky object as well. Run it pinned
// to one core: taskset -c 0 build/bin/bench_chart_paint
#include "chart/ChartSkyLink.h"
#include "chart/DataFolderInstaller.h"
#include "chart/painting/ChartCanvas.h"
#include "chart/painting/ChartFrame.h"
#include "chart/painting/ChartImageSet.h"
#include "chart/painting/DeepSkyPhotos.h"
#include "model/catalogue/CatalogueFolders.h"
#include "model/ObjectIndex.h"
#include "model/prefs/PrefControl.h"
#include "model/SkyDateModel.h"
#include "model/StarDatabaseModel.h"
#include "model/records/RecordConstants.h"
#include "platform/DataPaths.h"
#include "platform/DisplayGamma.h"
#include "solarsystem/planets/PlanetaryPositions.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimeZone>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// The program's objects as the chart reads them, over a fresh data folder.
struct Program {
    QTemporaryDir root;
    CatalogueFolders folders;
    std::unique_ptr<DisplayGamma> gamma = DisplayGamma::create();
    std::unique_ptr<PrefControl> prefs;
    std::unique_ptr<SkyDateModel> skyDate;
    StarDatabaseModel model;
    std::unique_ptr<PlanetaryPositions> planets;
    std::unique_ptr<ChartImageSet> images;
    std::unique_ptr<DeepSkyPhotos> photos;
    std::unique_ptr<ChartFrame> frame;
    std::unique_ptr<ChartSkyLink> link;

    bool setUp()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, root.path());
        const QString user = root.path() + "/Norvane Pro";
        if (DataFolderInstaller(DataPaths::bundleDataFolder(), user).setupDirectories() ==
            DataFolderInstaller::Status::Failed)
            return false;
        folders = CatalogueFolders::form(user, DataPaths::bundleDataFolder(), DataPaths::bundleResourcesFolder());
        prefs = std::make_unique<PrefControl>(*gamma);
        prefs->readPrefs();
        skyDate = std::make_unique<SkyDateModel>(*prefs);
        planets = std::make_unique<PlanetaryPositions>(model, *prefs, *skyDate);
        model.setLinks(*prefs, *skyDate);
        model.setPlanetPositions(planets.get());
        model.setupDatabase(folders);

        images = std::make_unique<ChartImageSet>(folders.imagesDirectory, folders.mythDirectory);
        images->createStarArrays();
        images->createObjectSymbols();
        images->recolorStarArrays(prefs->starColorVal());
        images->recolorObjectSymbols(*prefs);
        images->recolorMythForms(prefs->mythColor());
        photos = std::make_unique<DeepSkyPhotos>(folders.userPhotoDirectory, folders.photoDirectory);
        frame = std::make_unique<ChartFrame>(*prefs, *images, *photos);
        link = std::make_unique<ChartSkyLink>(model, *prefs, *skyDate,
                                              [this] { return planets->state().sunAlt; });
        return true;
    }

    // Munich on a January night, looking south at 45°, every layer on.
    void everyLayerOn()
    {
        PrefControl& p = *prefs;
        p.setLatitude(48.14);
        p.setLongitude(11.58);
        p.setAltitude(45.0);
        p.setAzimuth(180.0);
        p.setViewAngle(120.0);
        p.setSkyViewRect(QRectF(0, 0, kWidth, kHeight));
        skyDate->calculateDate(QDateTime(QDate(2024, 1, 15), QTime(21, 0), QTimeZone::utc()), 0.0);
        for (auto toggle : {&PrefControl::setIsStarNames, &PrefControl::setIsBoundaries, &PrefControl::setIsRA_Dec,
                            &PrefControl::setIsAlt_Az, &PrefControl::setIsEcliptic, &PrefControl::setIsEquator,
                            &PrefControl::setIsMilkyWay, &PrefControl::setIsPhoto, &PrefControl::setIsMist,
                            &PrefControl::setIsMyth, &PrefControl::setIsMeridian})
            (p.*toggle)();
        for (auto set : {&PrefControl::setIsStarDouble, &PrefControl::setIsStarAdvanced,
                         &PrefControl::setIsStarVariable, &PrefControl::setIsStarPlanet, &PrefControl::setIsGeminiAC,
                         &PrefControl::setIsMeadeAC, &PrefControl::setIsNexStarAC})
            (p.*set)(true);
        p.setFindIndex(kStarIndexBase + 100);
        model.calculateStarPositions(true);
    }

    void everyObject()
    {
        prefs->setDeepSkyMagLimit(30.0);
        prefs->setShowAll(true);
        model.calculateStarPositions(true);
    }

    // One frame; the image is filled black first, as the view does.
    void paint(QImage& image)
    {
        image.fill(Qt::black);
        QPainter painter(&image);
        ChartCanvas canvas(painter, kHeight);
        frame->paint(canvas, link->chartSky(), QRectF(0, 0, kWidth, kHeight), 1.0f);
    }

    template <class Record>
    static int onScreen(std::span<const Record> records)
    {
        int n = 0;
        for (const Record& r : records)
            n += r.state == kStateOnScreen ? 1 : 0;
        return n;
    }
};

Program* g_program = nullptr;

void paintFrames(benchmark::State& state)
{
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    g_program->paint(image);
    for (auto _ : state) {
        g_program->paint(image);
        benchmark::DoNotOptimize(image.constBits());
    }
    const StarDatabaseModel& model = g_program->model;
    state.counters["stars"] = Program::onScreen(model.stars());
    state.counters["deepSky"] = Program::onScreen(model.deepSkyData());
}

void BM_FullFrame(benchmark::State& state) { paintFrames(state); }

void BM_FullFrameEveryObject(benchmark::State& state)
{
    g_program->everyObject();
    paintFrames(state);
}

// The painter hands large fills to helper threads: count their time too.
BENCHMARK(BM_FullFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_FullFrameEveryObject)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

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
    program.everyLayerOn();
    g_program = &program;

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
