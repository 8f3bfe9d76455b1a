// The memory the program holds while it sits idle: the program binary
// started as a process in a home it has started in before, left alone for
// 20 s after its first chart frame, then its resident set read from
// /proc/PID/smaps_rollup (the whole set, the part in mapped files, mostly
// library pages, and the anonymous part). Run it on a real display
// (xvfb-run) or offscreen; the program runs on the bench's one core.
#include "ProgramProcess.h"

#include <chrono>
#include <thread>

namespace {

constexpr std::chrono::seconds kIdle{20};
constexpr double kMiB = 1024.0 * 1024.0;

void BM_IdleMemoryAfter20s(benchmark::State& state)
{
    double rss = 0.0;
    double files = 0.0;
    double anonymous = 0.0;
    double libraries = 0.0;
    for (auto _ : state) {
        ProgramProcess program(ProgramProcess::program(), benchHome(), false);
        const std::optional<double> seconds = program.waitForFirstChart();
        if (!seconds) {
            state.SkipWithError("the program did not reach its first chart");
            return;
        }
        std::this_thread::sleep_for(kIdle);
        const std::optional<double> resident = program.memory("Rss");
        const std::optional<double> anon = program.memory("Anonymous");
        if (!resident || !anon) {
            state.SkipWithError("the program's memory cannot be read");
            return;
        }
        state.SetIterationTime(*seconds);
        rss += *resident;
        anonymous += *anon;
        files += *resident - *anon;
        libraries += double(program.libraryCount().value_or(0));
    }
    const double runs = double(state.iterations());
    state.counters["rss_MiB"] = rss / kMiB / runs;
    state.counters["file_MiB"] = files / kMiB / runs;
    state.counters["anon_MiB"] = anonymous / kMiB / runs;
    state.counters["libraries"] = libraries / runs;
}
// The manual time is the start to the first chart; the figure is the memory.
BENCHMARK(BM_IdleMemoryAfter20s)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return runProgramBenchmarks(argc, argv);
}
