// The telescope view's drawing pass over the shipped deep-star zones and
// catalogues: an 800 x 800 redraw of a 1-degree field at Dec 0, across RA 0
// and at +84, with star anti-aliasing on and off and star, deep-sky, comet
// and planet names on. The field moves a little on every iteration, as it
// does while a mount tracks or the user pans. Target: 1 degree at Dec 0
// under 16 ms on the one core the program pins itself to. Also a field that fills the 100,000-star block,
// and the offset index built afresh over the 30 zone files.
#include "BenchMain.h"
#include "ShippedProgram.h"

#include "model/Angles.h"
#include "scopeview/HT2StarLayer.h"
#include "scopeview/HT2ZoneIndex.h"
#include "scopeview/SVDrawer.h"
#include "scopeview/SVProjection.h"
#include "scopeview/SVView.h"
#include "scopeview/SVWindow.h"

#include <QFile>

namespace {

constexpr int kSide = 800;
constexpr float kOneDegreePower = 50.0f;  // the starting eyepiece's field is 50 degrees / power

// The program's objects the view works with, over a fresh data folder.
struct Program : ShippedProgram {
    ChartSkyLink sky{model, prefs, skyDate, [] { return -1.0; }};
    std::unique_ptr<ChartImageSet> images;
    std::unique_ptr<SVWindow> window;

    bool setUp()
    {
        if (!loadAtWinterEvening() || model.stars().empty())
            return false;
        images = std::make_unique<ChartImageSet>(folders.imagesDirectory, folders.mythDirectory);
        images->createStarArrays();
        images->createObjectSymbols();
        window = std::make_unique<SVWindow>(prefs, skyDate, model);
        if (!window->awakeFromNib(DataPaths::bundleResourcesFolder()))
            return false;
        SVView& view = window->svView();
        view.setChartImages(images.get());
        view.setSkySource(&sky);
        view.resize(kSide, kSide);
        window->svDrawer().setSVPower(kOneDegreePower);
        if (!prefs.isStarNames())
            prefs.setIsStarNames();
        if (!prefs.isDeepSkyNames())
            prefs.setIsDeepSkyNames();
        if (!prefs.isPlanetNames())
            prefs.setIsPlanetNames();
        if (!prefs.isCometNames())
            prefs.setIsCometNames();
        return true;
    }
};

Program* g_program = nullptr;

void setAntiAlias(bool on)
{
    PrefControl& prefs = g_program->prefs;
    if (prefs.isStarAntiAlias() != on)
        prefs.setIsStarAntiAlias(on);
}

// Args: field centre RA and Dec (degrees of date), anti-aliasing 0 or 1.
void BM_Redraw(benchmark::State& state)
{
    SVView& view = g_program->window->svView();
    setAntiAlias(state.range(2) != 0);
    const double ra = double(state.range(0)) / 10.0;
    const double dec = double(state.range(1));
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    std::size_t deepStars = 0;
    int step = 0;
    for (auto _ : state) {
        // A hundredth of a degree per frame, back and forth over 0.2 degrees.
        const double offset = ((step++ % 40) - 20) * 0.01;
        view.setTrackRA(Angles::wrap360(ra + offset) * Angles::kDegToRad, dec * Angles::kDegToRad);
        view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
        deepStars += view.ht2StarCount();
    }
    state.counters["deepStars"] = benchmark::Counter(double(deepStars), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Redraw)
    ->ArgNames({"ra10", "dec", "aa"})
    ->Args({1000, 0, 0})
    ->Args({1000, 0, 1})
    ->Args({2, 0, 0})
    ->Args({2, 0, 1})
    ->Args({1000, 84, 0})
    ->Args({1000, 84, 1})
    ->Unit(benchmark::kMillisecond);

// 120,000 stars in a 1-degree field: the read stops at the block's 100,000.
void BM_FullBlock(benchmark::State& state)
{
    QTemporaryDir folder;
    QStringList files;
    for (int zone = 0; zone < HT2ZoneIndex::kNumZones; ++zone)
        files.append(folder.filePath(QString("zone%1.txt").arg(zone)));
    QByteArray text;
    constexpr int kStars = 120000;
    for (int i = 0; i < kStars; ++i) {
        const double ra = 99.7 + 0.6 * i / kStars;
        const double dec = -0.3 + 0.6 * ((i * 7919) % 1000) / 1000.0;
        text += QByteArray::number(6.0 + (i % 70) / 10.0, 'f', 2) + '\t' + QByteArray::number(ra, 'f', 5)
                + '\t' + QByteArray::number(dec, 'f', 5) + '\n';
    }
    QFile file(files[15]);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
        state.SkipWithError("cannot write the zone file");
        return;
    }
    file.close();
    const std::array<double, 9> identity{1, 0, 0, 0, 1, 0, 0, 0, 1};
    const SVAngles angles = SVAngles::calculate(1.0, kSide);
    const SVProjection projection(angles, 100.0 * Angles::kDegToRad, 0.0, identity);
    HT2ZoneIndex index(files);
    HT2StarLayer::Settings settings;
    settings.isStarAntiAlias = state.range(0) != 0;
    std::vector<ht2Star> stars;
    stars.reserve(HT2StarLayer::kCapacity);
    QImage image(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::black);
        QPainter painter(&image);
        ChartCanvas canvas(painter, kSide);
        HT2StarLayer layer(index, projection, canvas, g_program->images.get(), settings, stars);
        layer.drawHT2Stars(15, 0.0, 360.0, false, 0.0, 0.0, 0);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["records"] = double(stars.size());
}
BENCHMARK(BM_FullBlock)->ArgName("aa")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The offset index of every shipped zone, built from scratch.
void BM_IndexBuild(benchmark::State& state)
{
    const QStringList& files = g_program->prefs.HT2FilesArray();
    unsigned long total = 0;
    for (auto _ : state) {
        HT2ZoneIndex index(files);
        for (unsigned short zone = 0; zone < HT2ZoneIndex::kNumZones; ++zone)
            total += index.GetHT2Offset(zone, 355.0);
    }
    benchmark::DoNotOptimize(total);
}
BENCHMARK(BM_IndexBuild)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    BenchApplication app(argc, argv);
    pinToOneCore();
    return runOverShippedData(g_program, argc, argv);
}
