#!/usr/bin/env bash
# The ThreadSanitizer job: builds the tests with -fsanitize=thread into build-tsan/ and runs the
# sound tests, the stream worker's thread test first. Not part of the default test run.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build-tsan -DSORVANI_TSAN=ON -DSORVANI_TESTS=ON -DSORVANI_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-tsan -j2 --target sorvani_tests
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ${TSAN_OPTIONS:-}"
cd build-tsan/tests
../sorvani_tests --gtest_filter='SoundThread*:SoundStream*:SoundEffects*:Music*:Mixer*'
