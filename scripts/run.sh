#!/usr/bin/env bash
# Builds the search bar and starts it: bash scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --runtime-only
cmake -S . -B build >/dev/null
cmake --build build --target Scoutlane -j"$(nproc)" >/dev/null
exec ./build/Scoutlane
