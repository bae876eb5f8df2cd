#!/usr/bin/env bash
# The play command: installs what is missing, builds the game and its data, and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh -DSORVANI_TESTS=OFF -DSORVANI_BENCH=OFF
exec ./build/sorvani "$@"
