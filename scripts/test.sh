#!/usr/bin/env bash
# The test command: installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh -DSORVANI_TESTS=ON -DSORVANI_BENCH=ON
ctest --test-dir build --output-on-failure -j2 --timeout 300
