// Interaction latency: one step of a pan drag as the user meets it, the
// view turned by the pointer's movement, the shipped catalogues projected
// for the new direction and the whole chart repainted (1920 x 1080, every
// layer the settings can switch on set on, the comets and minor planets of
// the solar-system model among them, winter night at 48° north). Each iteration drags the pointer
// further, so every frame shows a new part of the sky; the target is 16 ms
// on the one core the program pins itself to.
#include "BenchMain.h"
#include "ShippedProgram.h"

#include "chart/controls/PanStep.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
// Pointer movement per drag step, points: a brisk drag across the sky.
constexpr QPointF kDragStep(14.0, 3.0);

struct Program : ShippedChart {
    bool setUp()
    {
        if (!installDataFolder())
            return false;
        loadChart();
        lookFromMunich(30.0, 180.0, 90.0, QSize(kWidth, kHeight));
        everyLayerOn();
        launchMeteor();
        return isEveryLayerOn();
    }

    // One drag step from `pointer`: the view follows it, the model projects
    // (not forced, as a drag does) and the chart is painted.
    void panStepAndPaint(QPointF& pointer, QImage& image)
    {
        const QPointF next = pointer + kDragStep;
        const QPointF move(next.x() - pointer.x(), pointer.y() - next.y());
        pointer = next.x() > kWidth - 100 ? QPointF(100.0, kHeight / 2.0) : next;
        model.calculateCursorPosition({float(next.x()), float(next.y())});
        const ViewDirection view = panStep({prefs.azimuth(), prefs.altitude()}, move, model.radius(),
                                           model.mouseAlt(), prefs.isBelow());
        prefs.setAzimuth(view.azimuth);
        prefs.setAltitude(view.altitude);
        model.calculateStarPositions(false);
        paint(image);
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
    state.counters["azimuth"] = g_program->prefs.azimuth();
}

// The painter hands large fills to helper threads: count their time too.
BENCHMARK(BM_PanStep)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

}  // namespace

int main(int argc, char** argv)
{
    BenchApplication app(argc, argv);
    pinToOneCore();
    return runOverShippedData(g_program, argc, argv);
}
