#!/usr/bin/env bash
# Builds the fuzz harnesses of fuzz/ (clang, the engine alone, in build-fuzz/)
# and runs each for SECONDS (default 20) from its committed seed inputs, as
# many at once as there are cores:
#   scripts/fuzz.sh [SECONDS] [NAME...]      e.g. scripts/fuzz.sh 3600 csv
# Inputs that reach new code are kept in build-fuzz/corpus/NAME/ for the next
# run; an input that breaks a harness is saved in build-fuzz/findings/ and the
# run fails with its report.
set -euo pipefail
cd "$(dirname "$0")/.."
each=${1:-20}
shift || true
jobs=$(nproc)

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTICKWELL_ENGINE_ONLY=ON -DBUILD_TESTING=OFF -DTICKWELL_FUZZ=ON >/dev/null
cmake --build build-fuzz --parallel "$jobs"

names=("$@")
if ((${#names[@]} == 0)); then
  for f in fuzz/fuzz_*.cpp; do names+=("$(basename "$f" .cpp | sed 's/^fuzz_//')"); done
fi
mkdir -p build-fuzz/findings
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
run() {
  local name=$1
  mkdir -p "build-fuzz/corpus/$name"
  if build-fuzz/fuzz/fuzz_"$name" -max_total_time="$each" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="build-fuzz/findings/$name-" \
      "build-fuzz/corpus/$name" "fuzz/corpus/$name" >"build-fuzz/fuzz_$name.log" 2>&1; then
    echo "fuzz $name: clean for ${each}s ($(grep -o 'cov: [0-9]*' "build-fuzz/fuzz_$name.log" | tail -1))"
  else
    echo "fuzz $name: BROKEN"; tail -40 "build-fuzz/fuzz_$name.log"; return 1
  fi
}
failed=0
pids=()
for name in "${names[@]}"; do
  run "$name" &
  pids+=($!)
  if ((${#pids[@]} >= jobs)); then
    wait "${pids[0]}" || failed=$((failed + 1))
    pids=("${pids[@]:1}")
  fi
done
for pid in "${pids[@]}"; do wait "$pid" || failed=$((failed + 1)); done
if ((failed)); then
  echo "fuzz: $failed of ${#names[@]} harnesses broke; the inputs are in build-fuzz/findings/"
  exit 1
fi
echo "fuzz: ${#names[@]} harnesses ran clean"
