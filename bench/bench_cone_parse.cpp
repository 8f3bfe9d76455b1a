// Parsing a cone-search reply as the service sends it, stars in right
// ascension order with proper motions and magnitudes down to the faintest
// limit: from 12,500 to 100,000 lines, to show the time grows linearly with
// the reply's length.
#include "scopeview/cone/NomadReply.h"

#include <QByteArray>
#include <QString>

#include <benchmark/benchmark.h>

namespace {

// Years from J2000 to a date in 2026.
constexpr double kYears = 26.9;

QByteArray reply(int lines)
{
    QByteArray text = "# NOMAD cone search, ASCII\n#" + QByteArray(1000, '-') + "\n";
    text += QString::asprintf("#NOBJECTS  %-6d\n", lines).toLatin1();
    text += "#1 NOMAD_ID           RA        DEC   MuRA  MuDEC      V\n"
            "#2                 (deg)      (deg) mas/yr mas/yr  (mag)\n";
    for (int i = 0; i < lines; ++i) {
        const double ra = 83.0 + 2.0 * i / lines;
        const double dec = -5.0 + 2.0 * ((i * 7919) % lines) / lines;
        text += QString::asprintf("%04d-%07d %11.6f%11.6f%7.1f%7.1f%7.3f\n", 850 + i % 20, i, ra,
                                  dec, double(i % 41 - 20), double(i % 37 - 18),
                                  8.0 + 10.4 * ((i * 31) % 1000) / 1000.0)
                    .toLatin1();
    }
    return text;
}

void BM_ConeParse(benchmark::State& state)
{
    const QByteArray text = reply(int(state.range(0)));
    for (auto _ : state) {
        NomadReply::Result result = NomadReply::parse(text, kYears);
        benchmark::DoNotOptimize(result.stars.data());
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * text.size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ConeParse)->RangeMultiplier(2)->Range(12500, 100000)->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
