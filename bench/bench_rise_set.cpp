// The information panel's rise, transit and set for the Sun, the Moon and
// every planet, each body followed through the day as the panel follows it:
// ten panels on one date per iteration, the date a different one of seven
// through a year each time, at a mid-latitude site and at a polar one (where
// bodies graze the horizon, stay up or stay down). Measured on one core.
#include "BenchMain.h"

#include "find/BodyPlace.h"
#include "find/TransitTimes.h"
#include "model/records/BodyNumber.h"

#include <QCoreApplication>

#include <array>

namespace {

struct BenchSite {
    TransitTimes::Site site;
    const char* zone;
};

const BenchSite kDenver{{39.7392, -104.9903}, "America/Denver"};
const BenchSite kLongyearbyen{{78.2232, 15.6267}, "Arctic/Longyearbyen"};

// The seasons, and at the polar site the last and first days of the midnight
// Sun, whose sets the estimate alone misses.
const std::array<QDate, 7> kDates = {QDate(2025, 1, 15), QDate(2025, 3, 20), QDate(2025, 4, 20),
                                     QDate(2025, 6, 21), QDate(2025, 8, 22), QDate(2025, 10, 9),
                                     QDate(2025, 12, 21)};

void tenPanels(benchmark::State& state, const BenchSite& where)
{
    const QTimeZone zone(where.zone);
    if (!zone.isValid()) {
        state.SkipWithError("no time zone data");
        return;
    }
    std::size_t next = 0;
    std::int64_t asked = 0;
    std::int64_t panels = 0;
    for (auto _ : state) {
        const QDate date = kDates[next];
        next = (next + 1) % kDates.size();
        for (int body = BodyNumber::kSun; body <= BodyNumber::kMoon; ++body) {
            const PlaceEvents::PlaceAt place = BodyPlace::of(body, where.site);
            const TransitTimes t = TransitTimes::calculateTransit(
                [&](double jd) {
                    ++asked;
                    return place(jd);
                },
                where.site, date, zone);
            benchmark::DoNotOptimize(t);
            ++panels;
        }
    }
    state.counters["places a panel"] = panels ? double(asked) / double(panels) : 0.0;
}

void BM_TenPanelsMidLatitude(benchmark::State& state)
{
    tenPanels(state, kDenver);
}
BENCHMARK(BM_TenPanelsMidLatitude)->Unit(benchmark::kMillisecond);

void BM_TenPanelsPolar(benchmark::State& state)
{
    tenPanels(state, kLongyearbyen);
}
BENCHMARK(BM_TenPanelsPolar)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    pinToOneCore();
    return runBenchmarks(argc, argv);
}
