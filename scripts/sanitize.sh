#!/usr/bin/env bash
# The sanitizer stages: "address" builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/ and runs every test; "thread" builds with
# ThreadSanitizer into build-tsan/ and runs the tests of the threaded parts.
#   scripts/sanitize.sh address|thread
set -euo pipefail
cd "$(dirname "$0")/.."
kind=${1:?usage: scripts/sanitize.sh address|thread}
./scripts/setup.sh
werror=OFF
[[ "${CI:-}" == "true" ]] && werror=ON
case "$kind" in
  address)
    build=build-asan
    cmake -S . -B "$build" -DSORVANI_SANITIZE=address,undefined -DSORVANI_WERROR="$werror" -DSORVANI_TESTS=ON \
      -DSORVANI_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j2
    # Leaks are checked by default (the SDL tests turn it off for the GL drivers' sake).
    export ASAN_OPTIONS="abort_on_error=1 ${ASAN_OPTIONS:-}"
    export UBSAN_OPTIONS="print_stacktrace=1 halt_on_error=1 ${UBSAN_OPTIONS:-}"
    ctest --test-dir "$build" --output-on-failure -j2 --timeout 600
    ;;
  thread)
    build=build-tsan
    cmake -S . -B "$build" -DSORVANI_SANITIZE=thread -DSORVANI_WERROR="$werror" -DSORVANI_TESTS=ON \
      -DSORVANI_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j2 --target sorvani_tests
    export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ${TSAN_OPTIONS:-}"
    # The stream worker and the mixer are the only code that runs on two threads.
    cd "$build/tests"
    ../sorvani_tests --gtest_filter='SoundThread*:SoundStream*:SoundEffects*:Music*:Mixer*'
    ;;
  *)
    echo "sanitize: unknown stage '$kind' (address or thread)" >&2
    exit 2
    ;;
esac
