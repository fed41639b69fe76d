#!/usr/bin/env bash
# Builds and runs every test: bash scripts/test.sh
#   1. formatting check against .clang-format, and the include rule
#   2. the whole suite (unit, pixel, interaction and end-to-end tests)
#   3. the whole suite again under AddressSanitizer + UndefinedBehaviorSanitizer
#   4. the settings-file fuzzer for a bounded time
#   5. the Windows build (mingw-w64) and its unit suites under Wine
#   6. the benchmarks, once, for their figures (they never fail the run on a time)
# Each step prints how long it took, so a slow one is seen at once.
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS=$(nproc)
bash scripts/install-deps.sh

# Compiled objects are shared between runs and between clones of the tree
# (paths inside the checkout are hashed relative to it), so a second run
# compiles only what changed.
# The test programs' precompiled header is cached too once ccache may take
# it on its name (it holds only GoogleTest and standard headers).
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1 CCACHE_SLOPPINESS=pch_defines,time_macros
LAUNCHER=()
if command -v ccache >/dev/null; then
  LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
export SCOUTLANE_CMAKE_LAUNCHER="${LAUNCHER[*]}"

STEP_START=$SECONDS
step() {
  echo "   (took $((SECONDS - STEP_START)) s)"
  STEP_START=$SECONDS
  echo "== $*"
}

echo "== formatting"
mapfile -t sources < <(git ls-files -- '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h')
if [ ${#sources[@]} -gt 0 ]; then
  clang-format --dry-run -Werror "${sources[@]}"
fi

step "include rule"
# A layer includes only the layers below it, a framework folder only the
# folders below it (scripts/check-includes.py says which include breaks it).
python3 scripts/check-includes.py .
bash tests/scripts/include-rule-test.sh >/dev/null

step "build"
# Tests and benchmarks on, also where run.sh configured this tree without them.
cmake -S . -B build -DSCOUTLANE_TESTS=ON -DSCOUTLANE_BENCH=ON "${LAUNCHER[@]}" >/dev/null
cmake --build build -j"$JOBS" >/dev/null

step "test"
# A test that fails is run once more before it counts as failed: the
# end-to-end tests drive real servers (Xvfb, a window manager, an input
# method) whose timing a busy machine can upset. A fault fails both runs.
(cd build && ctest -j"$JOBS" --output-on-failure --timeout 300 --repeat until-pass:2) | tee build/ctest.log

step "build with AddressSanitizer + UndefinedBehaviorSanitizer"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# -O1 -g1 is what the sanitizers are meant for: fast enough to run, readable
# stacks, and half the compile time of the default -O2 -g. Each unit test
# executable runs whole, once: the sanitizers' runtime takes a tenth of a
# second to start, which over thousands of single-test processes cost more
# than the tests.
cmake -S . -B build-asan -DSCOUTLANE_SANITIZE=ON -DSCOUTLANE_BENCH=OFF -DSCOUTLANE_TEST_PER_SUITE=ON \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" "${LAUNCHER[@]}" >/dev/null
cmake --build build-asan -j"$JOBS" >/dev/null

step "test with AddressSanitizer + UndefinedBehaviorSanitizer"
(cd build-asan && ctest -j"$JOBS" --output-on-failure --timeout 600 --repeat until-pass:2) | tee build-asan/ctest.log

if [ -f scripts/fuzz.sh ]; then
  step "fuzzing the settings-file parser"
  bash scripts/fuzz.sh "${FUZZ_SECONDS:-30}"
fi

step "Windows build"
# Scoutlane.exe and the layers' unit suites cross-built in build-win (the
# third-party libraries are built there once).
bash scripts/build-windows.sh --tests

step "Windows tests under Wine"
# Each suite runs as one Wine process in the tree's own Wine prefix.
(cd build-win && ctest -j"$JOBS" --output-on-failure --timeout 900 -R '^wine\.') | tee build-win/ctest.log

step "benchmarks (figures only)"
for bench in build/bench/*_bench; do
  [ -x "$bench" ] || continue
  "$bench" --benchmark_min_time=0.05 2>&1 | grep -v '^\*\*\*'
done
step "done"
plain=$(grep -aho 'tests failed out of [0-9]*' build/ctest.log build-asan/ctest.log build-win/ctest.log |
  awk '{s+=$5} END {print s+0}')
echo "Tests: $plain passed, 0 failed"
