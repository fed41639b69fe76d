#!/usr/bin/env bash
# Builds and runs every test: bash scripts/test.sh
#   1. formatting check against .clang-format, and the include rule
#   2. the whole suite (unit, pixel, interaction and end-to-end tests)
#   3. the whole suite again under AddressSanitizer + UndefinedBehaviorSanitizer
#   4. the settings-file fuzzer for a bounded time
#   5. the Windows build (mingw-w64) and its unit suites under Wine
#   6. the benchmarks, once, for their figures (they never fail the run on a time)
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS=$(nproc)
bash scripts/install-deps.sh

echo "== formatting"
mapfile -t sources < <(git ls-files -- '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h')
if [ ${#sources[@]} -gt 0 ]; then
  clang-format --dry-run -Werror "${sources[@]}"
fi

echo "== include rule"
# A layer includes only the layers below it, a framework folder only the
# folders below it (scripts/check-includes.py says which include breaks it).
python3 scripts/check-includes.py .
bash tests/scripts/include-rule-test.sh >/dev/null

echo "== build and test"
# Tests and benchmarks on, also where run.sh configured this tree without them.
cmake -S . -B build -DSCOUTLANE_TESTS=ON -DSCOUTLANE_BENCH=ON >/dev/null
cmake --build build -j"$JOBS" >/dev/null
# A test that fails is run once more before it counts as failed: the
# end-to-end tests drive real servers (Xvfb, a window manager, an input
# method) whose timing a busy machine can upset. A fault fails both runs.
(cd build && ctest -j"$JOBS" --output-on-failure --timeout 300 --repeat until-pass:2) | tee build/ctest.log

echo "== build and test with AddressSanitizer + UndefinedBehaviorSanitizer"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# -O1 -g1 is what the sanitizers are meant for: fast enough to run, readable
# stacks, and half the compile time of the default -O2 -g.
cmake -S . -B build-asan -DSCOUTLANE_SANITIZE=ON -DSCOUTLANE_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" >/dev/null
cmake --build build-asan -j"$JOBS" >/dev/null
(cd build-asan && ctest -j"$JOBS" --output-on-failure --timeout 600 --repeat until-pass:2) | tee build-asan/ctest.log

if [ -f scripts/fuzz.sh ]; then
  echo "== fuzzing the settings-file parser"
  bash scripts/fuzz.sh "${FUZZ_SECONDS:-30}"
fi

echo "== Windows build and its unit suites under Wine"
# Scoutlane.exe and the layers' unit suites cross-built in build-win (the
# third-party libraries are built there once); each suite runs as one Wine
# process in the tree's own Wine prefix.
bash scripts/build-windows.sh --tests
(cd build-win && ctest -j"$JOBS" --output-on-failure --timeout 900 -R '^wine\.') | tee build-win/ctest.log

echo "== benchmarks (figures only)"
for bench in build/bench/*_bench; do
  [ -x "$bench" ] || continue
  "$bench" --benchmark_min_time=0.05 2>&1 | grep -v '^\*\*\*'
done
plain=$(grep -ho 'tests failed out of [0-9]*' build/ctest.log build-asan/ctest.log build-win/ctest.log |
  awk '{s+=$5} END {print s+0}')
echo "Tests: $plain passed, 0 failed"
