#!/usr/bin/env bash
# Builds the program in build/, creates a new store beside the executable when there is
# none, and starts the program.
set -euo pipefail
cd "$(dirname "$0")"

./tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQX_BUILD_TESTS=OFF -DQX_BUILD_BENCH=ON >/dev/null
cmake --build build

store=build/bin/qxreminder.mcm
if [ ! -f "$store" ]; then
  build/bin/qxreminder-newstore "$store"
fi
exec build/bin/qxreminder
