// Interaction latency: one step of a pan drag as the user meets it, the
// view turned by the pointer's movement, the shipped catalogues projected
// for the new direction and the whole chart repainted (1920 x 1080, every
// layer on, winter night at 48° north). Each iteration drags the pointer
// further, so every frame shows a new part of the sky; the target is 16 ms.
// Run it pinned to one core: taskset -c 0 build/bin/bench_pan_step
#include "chart/ChartSkyLink.h"
#include "chart/DataFolderInstaller.h"
#include "chart/controls/PanStep.h"
#include "chart/painting/ChartCanvas.h"
#include "chart/painting/ChartFrame.h"
#include "chart/painting/ChartImageSet.h"
#include "chart/painting/DeepSkyPhotos.h"
#include "model/SkyDateModel.h"
#include "model/StarDatabaseModel.h"
#include "model/catalogue/CatalogueFolders.h"
#include "model/prefs/PrefControl.h"
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
// Pointer movement per drag step, points: a brisk drag across the sky.
constexpr QPointF kDragStep(14.0, 3.0);

struct Program {
    QTemporaryDir root;
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
        const CatalogueFolders folders =
            CatalogueFolders::form(user, DataPaths::bundleDataFolder(), DataPaths::bundleResourcesFolder());
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
        link = std::make_unique<ChartSkyLink>(model, *prefs, *skyDate, [this] { return planets->state().sunAlt; });

        PrefControl& p = *prefs;
        p.setLatitude(48.14);
        p.setLongitude(11.58);
        p.setAltitude(30.0);
        p.setAzimuth(180.0);
        p.setViewAngle(90.0);
        p.setSkyViewRect(QRectF(0, 0, kWidth, kHeight));
        skyDate->calculateDate(QDateTime(QDate(2024, 1, 15), QTime(21, 0), QTimeZone::utc()), 0.0);
        for (auto toggle : {&PrefControl::setIsStarNames, &PrefControl::setIsBoundaries, &PrefControl::setIsRA_Dec,
                            &PrefControl::setIsAlt_Az, &PrefControl::setIsEcliptic, &PrefControl::setIsEquator,
                            &PrefControl::setIsMilkyWay, &PrefControl::setIsPhoto, &PrefControl::setIsMist,
                            &PrefControl::setIsMyth, &PrefControl::setIsMeridian})
            (p.*toggle)();
        model.calculateStarPositions(true);
        return true;
    }

    // One drag step from `pointer`: the view follows it, the model projects
    // (not forced, as a drag does) and the chart is painted.
    void panStepAndPaint(QPointF& pointer, QImage& image)
    {
        const QPointF next = pointer + kDragStep;
        const QPointF move(next.x() - pointer.x(), pointer.y() - next.y());
        pointer = next.x() > kWidth - 100 ? QPointF(100.0, kHeight / 2.0) : next;
        model.calculateCursorPosition({float(next.x()), float(next.y())});
        const ViewDirection view = panStep({prefs->azimuth(), prefs->altitude()}, move, model.radius(),
                                           model.mouseAlt(), prefs->isBelow());
        prefs->setAzimuth(view.azimuth);
        prefs->setAltitude(view.altitude);
        model.calculateStarPositions(false);

        image.fill(Qt::black);
        QPainter painter(&image);
        ChartCanvas canvas(painter, kHeight);
        frame->paint(canvas, link->chartSky(), QRectF(0, 0, kWidth, kHeight), 1.0f);
    }
};

Program* g_program = nullptr;

void BM_PanStep(benchmark::State& state)
{
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    QPointF pointer(100.0, kHeight / 2.0);
    for (auto _ : state) {
        g_program->panStepAndPaint(pointer, image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["azimuth"] = g_program->prefs->azimuth();
}

// The painter hands large fills to helper threads: count their time too.
BENCHMARK(BM_PanStep)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

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
