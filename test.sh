#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test; then runs the mount's
# thread tests under ThreadSanitizer. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
./scripts/install-deps.sh
build=${BUILD_DIR:-build-test}
tsan=${TSAN_BUILD_DIR:-build-tsan}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNORVANE_SANITIZE=ON >/dev/null
cmake --build "$build"

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
# The mount's threads, the ports' searches and the settings writer under ThreadSanitizer, in a build of their own.
cd "$root"
cmake -S . -B "$tsan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNORVANE_TSAN=ON -DNORVANE_BENCH=OFF >/dev/null
cmake --build "$tsan" --target mount_tests camera_tests focus_tests model_tests
(cd "$tsan" && ctest --output-on-failure -L tsan) || status=1
exit $status
