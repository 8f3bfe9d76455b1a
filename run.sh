#!/usr/bin/env bash
# Installs what is missing, builds a release and starts Norvane Pro.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DNORVANE_TESTS=OFF >/dev/null
cmake --build "$build" --target norvane-pro
exec "$build/bin/norvane-pro"
