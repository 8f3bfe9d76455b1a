#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test; and runs the tests of the
# program's threads under ThreadSanitizer. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
./scripts/install-deps.sh
build=${BUILD_DIR:-build-test}
tsan=${TSAN_BUILD_DIR:-build-tsan}
# Line tables are all a sanitizer's report needs, and they build much faster
# than full debugging information.
debug_info=-DCMAKE_CXX_FLAGS_DEBUG=-g1
# Each target's files compile in batches, which share the code the common
# headers instantiate: the sanitized build takes a fraction of the time.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNORVANE_SANITIZE=ON -DNORVANE_UNITY=ON "$debug_info" >/dev/null
cmake --build "$build"

# The tests of the program's threads run under ThreadSanitizer, in a build of
# their own that holds only them. It builds at the lowest priority while the
# other tests run: most of those wait on simulated devices and windows, and
# the build takes only the time they leave.
cmake -S . -B "$tsan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNORVANE_TSAN=ON -DNORVANE_BENCH=OFF "$debug_info" >/dev/null
tsan_log="$root/$tsan/build.log"
nice -n 19 cmake --build "$tsan" --target mount_tests camera_tests focus_tests model_tests >"$tsan_log" 2>&1 &
tsan_build=$!

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1
jobs=$(nproc)
cd "$build"
status=0
ctest --output-on-failure -j "$jobs" -LE "display|device" || status=1
ctest --output-on-failure -j 2 -L device || status=1
# Tests that need a real X server and OpenGL run under a virtual one.
if ctest -N -L display | grep -q 'Total Tests: [1-9]'; then
  xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb \
    ctest --output-on-failure -L display || status=1
fi
cd "$root"
if wait "$tsan_build"; then
  (cd "$tsan" && ctest --output-on-failure -L tsan) || status=1
else
  cat "$tsan_log"
  status=1
fi
exit $status
