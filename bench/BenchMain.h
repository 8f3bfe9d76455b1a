#pragma once

// What every benchmark program sets up: the benchmarks the command line
// names, the settings in a folder of their own, one core.
#include "model/settings/PrefControl.h"
#include "platform/DisplayGamma.h"

#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

#include <sched.h>

// Runs the benchmarks the command line selects; 0 when all could run.
inline int runBenchmarks(int& argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Keeps this process, and the helper threads it starts, on the first core it
// may use: the frame targets are for one core, and a steady core steadies the
// figures. False when the system refuses.
inline bool pinToOneCore()
{
    cpu_set_t allowed;
    if (sched_getaffinity(0, sizeof allowed, &allowed) != 0)
        return false;
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
        if (CPU_ISSET(cpu, &allowed)) {
            cpu_set_t one;
            CPU_ZERO(&one);
            CPU_SET(cpu, &one);
            return sched_setaffinity(0, sizeof one, &one) == 0;
        }
    }
    return false;
}

// The settings, read from an empty folder of their own: every default, and
// the user's own settings never touched.
struct BenchSettings {
    BenchSettings()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, root.path());
        prefs.readPrefs();
    }

    QTemporaryDir root;
    std::unique_ptr<DisplayGamma> gamma = DisplayGamma::create();  // the no-op without a display
    PrefControl prefs{*gamma};
};
