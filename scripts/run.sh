#!/usr/bin/env bash
# Builds Tickwell and starts it; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
# A first build leaves the tests out (their packages are scripts/test.sh's);
# a build folder that scripts/test.sh made keeps its choice.
options=()
[ -f build/CMakeCache.txt ] || options=(-DBUILD_TESTING=OFF)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
cmake --build build --parallel --target tickwell tickwell-cli
if [ -x build/app/tickwell ]; then
  exec build/app/tickwell "$@"
fi
exec build/cli/tickwell-cli "$@"
