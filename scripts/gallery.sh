#!/usr/bin/env bash
# Builds the control gallery and starts it: bash scripts/gallery.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --runtime-only
cmake -S . -B build -DSCOUTLANE_TESTS=OFF -DSCOUTLANE_BENCH=OFF >/dev/null
cmake --build build --target Gallery -j"$(nproc)" >/dev/null
exec ./build/Gallery
