// One Canon live-view tick as the program runs it every 20 ms: the frame
// fetched from the camera, the JPEG of a 1056 x 704 viewfinder frame decoded,
// the exposure and saturation filters applied and the grey focus image made.
// Eight different frames take turns so no decode meets a warm cache. On one
// core; the tick must stay under the timer's 20 ms.
#include "ShippedProgram.h"

#include "camera/canon/CanonControl.h"
#include "support/canon/SimulatedCanonSdk.h"
#include "camera/views/canon/CanonImageView.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QRandomGenerator>

#include <array>
#include <optional>

namespace {

constexpr int kFrames = 8;

// A night-sky viewfinder frame: a noisy dark background and a few hundred
// stars, as the camera's JPEG encoder would get it.
QByteArray viewfinderFrame(quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(1056, 704, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int noise = 12 + int(random.bounded(18));
            row[x] = qRgb(noise, noise, noise + 4);
        }
    }
    for (int star = 0; star < 300; ++star) {
        const int x = int(random.bounded(image.width() - 4));
        const int y = int(random.bounded(image.height() - 4));
        for (int dy = 0; dy < 3; ++dy)
            for (int dx = 0; dx < 3; ++dx)
                image.setPixel(x + dx, y + dy, qRgb(230, 225, 240));
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 85);
    return jpeg;
}

struct LiveView : BenchSettings {
    SimulatedCanonSdk sdk;
    CanonControl control{sdk, prefs, DebugWriter()};
    CanonImageView view{control, DebugWriter()};
    std::array<QByteArray, kFrames> frames;

    bool setUp()
    {
        for (int i = 0; i < kFrames; ++i)
            frames[std::size_t(i)] = viewfinderFrame(quint32(i + 1));
        sdk.setEvfFrame(frames[0]);
        view.resize(1056, 704);
        std::optional<bool> connected;
        control.canonConnect([&connected](bool ok, const QString&) { connected = ok; });
        for (int i = 0; i < 1000 && !connected; ++i)
            QCoreApplication::processEvents();
        if (!connected.value_or(false))
            return false;
        control.panel().focusExposure = 0.7;
        control.canonAction(CanonControl::kTagFocusExposure);
        control.panel().saturation = 1.3;
        control.canonAction(CanonControl::kTagSaturation);
        control.setupCanonLiveView(true);
        for (int i = 0; i < 1000 && !control.isCanonLiveView(); ++i)
            QCoreApplication::processEvents();
        return control.isCanonLiveView();
    }
};

LiveView* g_liveView = nullptr;

void BM_CanonLiveViewTick(benchmark::State& state)
{
    LiveView& live = *g_liveView;
    int frame = 0;
    for (auto _ : state) {
        live.sdk.setEvfFrame(live.frames[std::size_t(frame++ % kFrames)]);
        live.view.setHasCanonFocusImage(false);
        // The frame comes back through the event loop, as in the program.
        live.control.getCanonLiveView();
        for (int pass = 0; pass < 1000 && !live.view.hasCanonFocusImage(); ++pass)
            QCoreApplication::processEvents();
        if (!live.view.hasCanonFocusImage())
            state.SkipWithError("no frame");
        benchmark::DoNotOptimize(live.view.canonFocusBuff().constData());
    }
}
BENCHMARK(BM_CanonLiveViewTick)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    BenchApplication app(argc, argv);
    pinToOneCore();
    LiveView live;
    if (!live.setUp()) {
        std::fprintf(stderr, "The simulated camera did not start live view.\n");
        return EXIT_FAILURE;
    }
    g_liveView = &live;
    return runBenchmarks(argc, argv);
}
