#!/usr/bin/env bash
# Builds the Debian package: a Release build in build-package/, then CPack. Leaves
# qxreminder_<version>_<architecture>.deb here, at the top of the source tree, for
# `apt install ./qxreminder_*.deb`.
set -euo pipefail
cd "$(dirname "$0")"

./tools/install-deps.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DQX_BUILD_TESTS=OFF \
  -DQX_BUILD_BENCH=OFF >/dev/null
cmake --build build-package
rm -rf build-package/cpack
cpack --config build-package/CPackConfig.cmake -B build-package/cpack >/dev/null
rm -f qxreminder_*.deb
mv build-package/cpack/qxreminder_*.deb .
ls qxreminder_*.deb
