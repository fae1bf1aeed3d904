#!/usr/bin/env bash
# Builds Tickwell and starts it; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel
if [ -x build/app/tickwell ]; then
  exec build/app/tickwell "$@"
fi
exec build/cli/tickwell-cli "$@"
