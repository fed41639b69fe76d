#!/usr/bin/env bash
# Builds the search bar and starts it: bash scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --runtime-only
# The program alone: no test or benchmark libraries are needed to build it.
cmake -S . -B build -DSCOUTLANE_TESTS=OFF -DSCOUTLANE_BENCH=OFF >/dev/null
cmake --build build --target Scoutlane -j"$(nproc)" >/dev/null
exec ./build/Scoutlane
