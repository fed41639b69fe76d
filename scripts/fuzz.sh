#!/usr/bin/env bash
# Fuzzes the settings-file parser for a bounded time: bash scripts/fuzz.sh [SECONDS]
# Builds the settings-file parser (with the text and error code under it) and
# the fuzz targets with clang, libFuzzer, ASan and UBSan in build-fuzz (or
# $FUZZ_BUILD_DIR), then runs the target from the seeds in tests/fuzz/corpus.
# New inputs go to a scratch corpus, so the committed seeds stay as they are;
# a crashing input is kept in the build directory.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_TO_RUN=${1:-20}
BUILD=${FUZZ_BUILD_DIR:-build-fuzz}

# shellcheck disable=SC2086 # the launcher options are words of their own
CC=clang CXX=clang++ cmake -S . -B "$BUILD" -DSCOUTLANE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  ${SCOUTLANE_CMAKE_LAUNCHER:-} >/dev/null
cmake --build "$BUILD" --target profile_fuzz -j"$(nproc)" >/dev/null

SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
LOG="$BUILD/profile_fuzz.log"
if "$BUILD/profile_fuzz" -max_total_time="$SECONDS_TO_RUN" -timeout=10 -rss_limit_mb=2048 \
    -max_len=8192 -print_final_stats=1 -artifact_prefix="$BUILD/" \
    "$SCRATCH" tests/fuzz/corpus >"$LOG" 2>&1; then
  grep -E '^(stat::number_of_executed_units|stat::new_units_added|Done)' "$LOG" || tail -n 3 "$LOG"
  echo "profile_fuzz: no failure in ${SECONDS_TO_RUN} s"
else
  tail -n 60 "$LOG"
  echo "profile_fuzz: FAILED; the input is in $BUILD/ (crash-*, timeout-*, leak-*)"
  exit 1
fi
