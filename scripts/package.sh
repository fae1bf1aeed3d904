#!/usr/bin/env bash
# Builds Tickwell's Debian package, without the tests, in build-package/.
# Install it with: sudo apt-get install ./build-package/tickwell_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --package
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DBUILD_TESTING=OFF -DTICKWELL_BENCH=OFF
cmake --build build-package --parallel
(cd build-package && cpack -G DEB)
ls build-package/tickwell_*.deb
