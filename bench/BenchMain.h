#pragma once

// What every benchmark program sets up: the benchmarks the command line
// names, the settings in a folder of their own, one core.
#include "BenchHome.h"

#include "model/settings/PrefControl.h"
#include "model/settings/PrefStore.h"
#include "platform/DataPaths.h"
#include "platform/DisplayGamma.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
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

// Stops the program, loudly, unless the settings file and the data folder
// lie in the program's temporary home: a figure measured over the user's own
// settings measures something else, and a bench must never change them.
struct BenchIsolation {
    BenchIsolation()
    {
        const QString home = QString::fromStdString(benchHome()) + "/";
        for (const QString& path : {PrefStore::fileName(), DataPaths::userDataFolder()}) {
            if (!path.startsWith(home)) {
                std::fprintf(stderr, "Not isolated: %s lies outside the bench's home %s.\n", qPrintable(path),
                             qPrintable(home));
                std::exit(EXIT_FAILURE);
            }
        }
    }
};

// The settings, read from the empty home of this program: every default, and
// the user's own settings never touched. The check comes first, as a base,
// so that nothing opens a settings file before it.
struct BenchSettings : BenchIsolation {
    BenchSettings() { prefs.readPrefs(); }

    QTemporaryDir root;  // scratch space for the bench's own files
    std::unique_ptr<DisplayGamma> gamma = DisplayGamma::create();  // the no-op without a display
    PrefControl prefs{*gamma};
};
