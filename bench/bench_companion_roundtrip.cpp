// What the companion app meets over the network, here on loopback: a status
// request sent with both acknowledgements, answered over the link back and
// acknowledged there, one after the other (latency and messages per
// second), through the real framing, property lists and command table.
#include "BenchMain.h"

#include "remote/ConnectionManager.h"
#include "remote/Controller.h"
#include "remote/RemoteFakes.h"
#include "support/FakeDiscovery.h"
#include "support/TestCompanion.h"

#include <QCoreApplication>

namespace {

void BM_StatusRoundTrip(benchmark::State& state)
{
    FakeSettings settings;
    FakeChart chart;
    FakeMount mount;
    FakeFinder finder;
    FakeSite site;
    FakeDiscovery discovery;
    FakeTelescopeView view;
    Controller controller({settings, chart, mount, finder, site, discovery});
    controller.setTelescopeView(&view);
    controller.createManager();
    TestCompanion companion;
    discovery.services = {{"Pocket", "127.0.0.1", companion.backPort()}};
    if (!companion.connectTo(controller.connectionManager()->serverSide().port())
        || !companion.sendCommand("connectToDevice", {{"deviceName", "Pocket"}})
        || !TestCompanion::waitUntil([&] { return controller.connectionEstablished(); })) {
        state.SkipWithError("the companion did not connect");
        return;
    }
    for (auto _ : state) {
        if (!companion.sendCommand("requestStatus") || !companion.nextMessage()) {
            state.SkipWithError("no answer");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("items/s = status round trips per second");
}
BENCHMARK(BM_StatusRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_LOGGING_RULES", "norvane.remote.debug=false");
    QCoreApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
