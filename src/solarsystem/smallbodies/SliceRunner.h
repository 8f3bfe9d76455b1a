#pragma once

#include "solarsystem/smallbodies/ProgressCounter.h"

#include <functional>

// Runs a job split into slices on a thread pool of its own that outlives
// the jobs, at most eight slices at a time, and blocks the calling thread
// until every slice has finished. While it waits it hands the progress
// published by the workers to `report` on the calling thread. An exception
// thrown by a slice is thrown again by run() once all slices have finished.
// A job of one slice runs on the calling thread, its progress handed on when
// it ends; so does a job started from a slice, one slice after another.
namespace SliceRunner {

// How many slices a job gets: the processor count, at least 1, at most 8.
int operationCount(int processorCount);

void run(int slices, const std::function<void(int slice)>& work, ProgressCounter* progress = nullptr,
         const std::function<void(double percent)>& report = {});

}  // namespace SliceRunner
