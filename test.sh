#!/usr/bin/env bash
# Builds the test configuration (warnings as errors, address and undefined-behaviour
# sanitizers) in build-test/ and runs every test.
set -euo pipefail
cd "$(dirname "$0")"

./tools/install-deps.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQX_WERROR=ON -DQX_SANITIZE=ON \
  -DQX_BUILD_TESTS=ON -DQX_BUILD_BENCH=OFF >/dev/null
cmake --build build-test
cd build-test
ctest --output-on-failure "$@"
