#!/usr/bin/env bash
# Builds every fuzz target with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# into build-fuzz/ and runs each for the given number of seconds (default 60) on a seed corpus
# made from the default data pack. Prints the executions per target; exits 1 on any crash.
#   fuzz/run-all.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
./scripts/setup.sh
command -v clang++ >/dev/null || { echo "fuzz: clang++ is needed (apt-get install clang)" >&2; exit 1; }

build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DSORVANI_FUZZ=ON -DSORVANI_TESTS=OFF -DSORVANI_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=()
for source in fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
echo "fuzz: building ${targets[*]}"
cmake --build "$build" -j2 --target "${targets[@]}" svpack sorvani_data >/dev/null

corpus="$build/corpus"
rm -rf "$corpus"
fuzz/make-seeds.sh "$build" "$corpus"

failed=0
for target in "${targets[@]}"; do
  mkdir -p "$corpus/$target" "$build/crashes/$target"
  log="$build/$target.log"
  set +e
  (cd "$build/crashes/$target" && "../../$target" -max_total_time="$seconds" -print_final_stats=1 \
     -timeout=10 -rss_limit_mb=2048 "../../corpus/$target") >"$log" 2>&1
  status=$?
  set -e
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  if ((status != 0)); then
    failed=1
    echo "fuzz: $target FAILED after ${runs:-?} executions (exit $status); see $log and $build/crashes/$target"
  else
    echo "fuzz: $target ${runs:-?} executions in ${seconds}s, no crash"
  fi
done
exit "$failed"
