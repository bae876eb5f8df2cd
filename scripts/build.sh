#!/usr/bin/env bash
# Configures and builds everything into build/ (two jobs: the machines have two cores).
set -euo pipefail
cd "$(dirname "$0")/.."
werror=OFF
[[ "${CI:-}" == "true" ]] && werror=ON
cmake -S . -B build -DSORVANI_WERROR="$werror" "$@" >/dev/null
cmake --build build -j2
