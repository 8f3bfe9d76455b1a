// The sky chart's frames as a user meets them, into a 1920 x 1080 image: the
// shipped catalogues projected for a winter night at 48° north, every chart
// layer the settings can switch on, the solar-system model wired as the
// program wires it (every pass that moves the sky computes and draws the
// comets and minor planets too). Each frame includes its projection pass
// where the user's action needs one:
// - BM_PanningFrame: the view centre moves every frame, so the label layouts
//   and turned figures of the last frame do not fit this one;
// - BM_TimeStepFrame: the sky date steps one minute every frame;
// - BM_FirstFrame: the first frame after launch, with fresh layers (no
//   labels laid out, no figure prepared, no photograph loaded);
// - BM_StaticFrame: the same frame again, everything warm;
// - BM_PanningFrame100kStars: panning over the shipped stars topped up to
//   99,999 (the most the object indexes allow) with faint synthetic stars,
//   the magnitude limit opened so that all of them are drawn;
// - BM_StaticFrameEveryObject: every deep-sky object shown as well;
// - BM_PanningFrameOrbits, BM_TimeStepFrameOrbits: panning and time steps
//   with the minor planets of a whole orbit file (the path in the environment
//   variable NORVANE_MPCORB, e.g. from tools/make_synthetic_mpcorb.py)
//   imported as the program's "reprocess" item imports it, shown at the
//   default limit; left out without the variable;
// - BM_ImportAdopted: what the interface thread does after a worker has
//   imported that orbit file again, up to the next frame;
// - BM_ImportDrawn: the application menu's "reprocess" of that orbit file as
//   the program runs it, from the menu item to the chart drawn with the new
//   table: the progress panel shown, the worker's parse and first pass with
//   their progress delivered through the event loop, the table put in place,
//   its cache started on a thread of its own, the minor planets' pass with
//   its progress, and the chart redrawn;
// - BM_PanningFramePhotoHorizon: panning with the site's photographic horizon
//   rendered with OpenGL under the chart; it runs only with an X display
//   (xvfb-run -a -s "-screen 0 1920x1080x24" bench_chart_paint).
// The chart is linked as the view links it: a field outline, a telescope's
// reticle and dome slit, a meteor streak. The program pins itself to one core.
#include "BenchMain.h"
#include "ShippedProgram.h"

#include "app/AppMenuModelLink.h"
#include "chart/ChartOutlets.h"
#include "chart/appmenu/MpcDownloadPanel.h"
#include "chart/appmenu/MpcorbUpdate.h"
#include "chart/photohorizon/OpenGLView.h"
#include "skydraw/ChartDisplay.h"
#include "solarsystem/SolarSystemModel.h"

#include "model/ObjectIndex.h"
#include "model/records/RecordConstants.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QThread>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kMostStars = 99999;
// A drag to and fro across the south: degrees of azimuth per frame, and the
// turning points either side.
constexpr double kPanStep = 0.7;
constexpr double kPanReach = 30.0;
constexpr double kSouth = 180.0;

// The shipped star source followed by faint stars spread evenly over the
// sky, up to the largest table.
bool writeStarSource(const QString& shippedPath, const QString& path)
{
    QFile shipped(shippedPath);
    if (!shipped.open(QIODevice::ReadOnly))
        return false;
    QByteArray header = shipped.readLine();
    const QByteArray body = shipped.readAll();
    const int have = header.split('\t').value(0).toInt();
    if (have <= 0 || have > kMostStars)
        return false;
    QByteArray text = QByteArray::number(kMostStars) + "\tstars\n" + body;
    if (!text.endsWith('\n'))
        text += '\n';
    static const char* const spectra[] = {"B8", "G2", "K5", "M1", "A0", "F5"};
    const int extra = kMostStars - have;
    for (int i = 0; i < extra; ++i) {
        // A golden-angle spiral: even cover, no two stars on one point.
        const double ra = std::fmod(i * 137.50776, 360.0);
        const double dec = std::asin(2.0 * (i + 0.5) / extra - 1.0) * 57.29577951308232;
        text += QString("%1\t \t \t%2\t%3\t0\t%4\t%5\t0\t0\n")
                    .arg(900000 + i)
                    .arg(6.5 + (i % 300) / 100.0, 0, 'f', 2)
                    .arg(spectra[i % 6])
                    .arg(ra, 0, 'f', 5)
                    .arg(dec, 0, 'f', 5)
                    .toLatin1();
    }
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(text) == text.size();
}

// The program's objects as the chart reads them, over a fresh data folder.
struct Program : ShippedChart {
    const QDateTime start = winterEvening();
    QDateTime date = start;
    double azimuth = kSouth;
    double panStep = kPanStep;
    double deepSkyLimit = 0.0;  // the default

    // With `orbitFile`, the chart shows the minor planets of that orbit file.
    bool setUp(bool isMostStars, const QString& orbitFile = {})
    {
        deepSkyLimit = prefs.deepSkyMagLimit();
        if (!installDataFolder() || (isMostStars && !useMostStars())
            || (!orbitFile.isEmpty() && !useOrbitFile(orbitFile)))
            return false;
        loadChart();
        if (!orbitFile.isEmpty()
            && solarSystem.smallBodies().importMinorPlanets(true, true, true).status
                   != MinorPlanetTable::Status::Built)
            return false;
        lookFromMunich(45.0, azimuth, 120.0, QSize(kWidth, kHeight));
        prefs.setFindIndex(kStarIndexBase + 100);
        everyLayerOn();
        if (isMostStars)
            prefs.setStarMagLimit(10.0);
        launchMeteor();
        return isEveryLayerOn() && meteorTimer.streak().has_value();
    }

    // A build folder of the bundle's source texts but `except`; empty when
    // it cannot be made.
    QString copyBuildFolder(const QString& except)
    {
        const QString build = root.path() + "/Build Data/";
        QDir source(folders.buildDirectory);
        if (!QDir().mkpath(build))
            return {};
        for (const QString& name : source.entryList(QDir::Files)) {
            if (name != except && !QFile::copy(source.filePath(name), build + name))
                return {};
        }
        return build;
    }

    // The source texts of the bundle with the star source topped up, and a
    // database folder without the star cache so that it is built from it.
    bool useMostStars()
    {
        const QString build = copyBuildFolder("BuildStar.txt");
        if (build.isEmpty()
            || !writeStarSource(QDir(folders.buildDirectory).filePath("BuildStar.txt"), build + "BuildStar.txt"))
            return false;
        QFile::remove(folders.databaseDirectory + "Stars.tvk");
        folders.buildDirectory = build;
        return true;
    }

    // The bundle's source texts beside the orbit file, which the solar
    // system imports once the chart is loaded.
    bool useOrbitFile(const QString& orbitFile)
    {
        const QString build = copyBuildFolder({});
        if (build.isEmpty() || !QFile::link(QFileInfo(orbitFile).absoluteFilePath(), build + "MPCORB.DAT"))
            return false;
        folders.buildDirectory = build;
        return true;
    }

    // Every deep-sky object shown, or back to the defaults the other cases use.
    void everyObject(bool isEvery)
    {
        prefs.setDeepSkyMagLimit(isEvery ? 30.0 : deepSkyLimit);
        prefs.setShowAll(isEvery);
        model.calculateStarPositions(true);
    }

    // Back to the view and moment every figure starts from.
    void reset()
    {
        date = start;
        azimuth = kSouth;
        panStep = kPanStep;
        skyDate.calculateDate(date, 0.0);
        prefs.setAzimuth(azimuth);
        model.calculateStarPositions(true);
    }

    // A drag moves the view centre; the chart projects again and repaints.
    void pan()
    {
        if (std::abs(azimuth + panStep - kSouth) > kPanReach)
            panStep = -panStep;
        azimuth += panStep;
        prefs.setAzimuth(azimuth);
        model.calculateStarPositions(false);
    }

    void stepTime()
    {
        date = date.addSecs(60);
        skyDate.calculateDate(date, 0.0);
        model.calculateStarPositions(false);
    }

    template <class Record>
    static int onScreen(std::span<const Record> records)
    {
        int n = 0;
        for (const Record& r : records)
            n += r.state == kStateOnScreen ? 1 : 0;
        return n;
    }

    void count(benchmark::State& state) const
    {
        state.counters["stars"] = onScreen(model.stars());
        state.counters["deepSky"] = onScreen(model.deepSkyData());
        state.counters["comets"] = onScreen(model.comets());
        state.counters["minorPlanets"] = solarSystem.minorPlanetsOnScreen()
                                             ? double(solarSystem.minorPlanetsOnScreen()->size())
                                             : onScreen(model.minorPlanets());
    }
};

Program* g_program = nullptr;
Program* g_mostStars = nullptr;
Program* g_orbits = nullptr;

// The program back at its first view and moment, and its frame.
QImage frameAfterReset(Program& program)
{
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    program.reset();
    program.paint(image);
    return image;
}

template <class Step>
void frames(benchmark::State& state, Program& program, Step step)
{
    QImage image = frameAfterReset(program);
    for (auto _ : state) {
        step(program);
        program.paint(image);
        benchmark::DoNotOptimize(image.constBits());
    }
    program.count(state);
}

void BM_PanningFrame(benchmark::State& state) { frames(state, *g_program, [](Program& p) { p.pan(); }); }

void BM_TimeStepFrame(benchmark::State& state) { frames(state, *g_program, [](Program& p) { p.stepTime(); }); }

// Panning with the photographic horizon rendered for every frame.
void BM_PanningFramePhotoHorizon(benchmark::State& state, OpenGLView* view)
{
    g_program->setPhotoHorizon(view);
    frames(state, *g_program, [](Program& p) { p.pan(); });
    g_program->setPhotoHorizon(nullptr);
}

void BM_FirstFrame(benchmark::State& state)
{
    Program& program = *g_program;
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    program.reset();
    for (auto _ : state) {
        state.PauseTiming();
        program.freshLayers();
        state.ResumeTiming();
        program.model.calculateStarPositions(true);
        program.paint(image);
        benchmark::DoNotOptimize(image.constBits());
    }
    program.count(state);
}

void BM_StaticFrame(benchmark::State& state) { frames(state, *g_program, [](Program&) {}); }

void BM_PanningFrame100kStars(benchmark::State& state)
{
    frames(state, *g_mostStars, [](Program& p) { p.pan(); });
}

void BM_StaticFrameEveryObject(benchmark::State& state)
{
    g_program->everyObject(true);
    frames(state, *g_program, [](Program&) {});
    g_program->everyObject(false);
}

void BM_PanningFrameOrbits(benchmark::State& state) { frames(state, *g_orbits, [](Program& p) { p.pan(); }); }

void BM_TimeStepFrameOrbits(benchmark::State& state)
{
    frames(state, *g_orbits, [](Program& p) { p.stepTime(); });
}

// What the interface thread does once a worker has imported the orbit file
// again: the new table put in place, the minor planets' pass and the
// chart's projection as the import's end runs them, and the next frame; the
// import itself is left out.
void BM_ImportAdopted(benchmark::State& state)
{
    Program& program = *g_orbits;
    SmallBodyTables& tables = program.solarSystem.smallBodies();
    QImage image = frameAfterReset(program);
    for (auto _ : state) {
        state.PauseTiming();
        MinorPlanetTable::Import import = tables.orbitFileImport(true)([](double) {}, {});
        state.ResumeTiming();
        if (tables.adoptMinorPlanets(import).status != MinorPlanetTable::Status::Built) {
            state.SkipWithError("the import failed");
            return;
        }
        // The whole table for the sky date, no path point: as the import's end asks.
        tables.calculateCometPositions(kSmallBodyMinorPlanets, 0.0, -1, -1);
        program.model.calculateStarPositions(true);
        program.paint(image);
        benchmark::DoNotOptimize(image.constBits());
    }
    program.count(state);
}

// The chart view as the application menu redraws it: a frame into `image`.
class ImageDisplay final : public ChartDisplay {
public:
    ImageDisplay(Program& program, QImage& image) : m_program(program), m_image(image) {}
    void display() override { m_program.paint(m_image); }

private:
    Program& m_program;
    QImage& m_image;
};

void BM_ImportDrawn(benchmark::State& state)
{
    Program& program = *g_orbits;
    SmallBodyTables& tables = program.solarSystem.smallBodies();
    QImage image = frameAfterReset(program);
    ImageDisplay display(program, image);
    ChartOutlets outlets;
    outlets.skyView = &display;
    AppMenuModelLink menuModel(program.model, tables, outlets);
    MpcDownloadPanel panel(QRect(0, 0, kWidth, kHeight), {});
    QNetworkAccessManager network;
    MpcorbUpdate update(network, menuModel, panel);
    tables.setProgress([&update](double percent) { update.updateMPCProgress(percent); });
    const std::size_t orbits = program.model.minorPlanets().size();
    for (auto _ : state) {
        QEventLoop loop;
        QObject::connect(&update, &MpcorbUpdate::finished, &loop, &QEventLoop::quit);
        update.reprocess(true);
        loop.exec();
        if (program.model.minorPlanets().size() != orbits) {
            state.SkipWithError("the import failed");
            break;
        }
        // The cache the import started is written before the next one.
        state.PauseTiming();
        while (tables.isWritingCache()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(1);
        }
        state.ResumeTiming();
    }
    tables.setProgress({});
    program.count(state);
}

// The painter hands large fills to helper threads: count their time too.
BENCHMARK(BM_PanningFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_TimeStepFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_FirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_StaticFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_PanningFrame100kStars)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_StaticFrameEveryObject)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

}  // namespace

int main(int argc, char** argv)
{
    const bool isDisplay = !qEnvironmentVariableIsEmpty("DISPLAY");
    BenchApplication app(argc, argv, isDisplay ? BenchApplication::Display::X : BenchApplication::Display::Offscreen);
    pinToOneCore();
    Program program;
    Program mostStars;
    if (!program.setUp(false) || !mostStars.setUp(true)) {
        std::fprintf(stderr, "The shipped data could not be set up.\n");
        return EXIT_FAILURE;
    }
    g_program = &program;
    g_mostStars = &mostStars;
    Program orbits;
    const QString orbitFile = qEnvironmentVariable("NORVANE_MPCORB");
    if (!orbitFile.isEmpty()) {
        if (!orbits.setUp(false, orbitFile)) {
            std::fprintf(stderr, "The orbit file %s could not be imported.\n", qPrintable(orbitFile));
            return EXIT_FAILURE;
        }
        g_orbits = &orbits;
        using Case = void (*)(benchmark::State&);
        for (const auto& [name, step] : {std::pair<const char*, Case>("BM_PanningFrameOrbits", BM_PanningFrameOrbits),
                                         std::pair<const char*, Case>("BM_TimeStepFrameOrbits", BM_TimeStepFrameOrbits)})
            benchmark::RegisterBenchmark(name, step)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
        for (const auto& [name, import] : {std::pair<const char*, Case>("BM_ImportAdopted", BM_ImportAdopted),
                                           std::pair<const char*, Case>("BM_ImportDrawn", BM_ImportDrawn)})
            benchmark::RegisterBenchmark(name, import)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
    } else {
        std::fprintf(stderr, "No NORVANE_MPCORB: the orbit-file cases are left out.\n");
    }
    std::unique_ptr<OpenGLView> photoHorizon;
    if (isDisplay) {
        photoHorizon = std::make_unique<OpenGLView>(
            program.prefs,
            OpenGLView::Links{program.folders.miscDirectory, [&program] { return program.model.radius(); },
                              [&program](auto pixelNotAlpha) { program.model.createPhotoAltAz(pixelNotAlpha); }});
        if (!photoHorizon->drawImage(kWidth, kHeight)) {
            std::fprintf(stderr, "No OpenGL on this display.\n");
            return EXIT_FAILURE;
        }
        benchmark::RegisterBenchmark("BM_PanningFramePhotoHorizon", BM_PanningFramePhotoHorizon, photoHorizon.get())
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->MeasureProcessCPUTime();
    } else {
        std::fprintf(stderr, "No X display: BM_PanningFramePhotoHorizon is left out.\n");
    }
    return runBenchmarks(argc, argv);
}
