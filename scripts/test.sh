#!/usr/bin/env bash
# Builds and runs every test: bash scripts/test.sh
#   1. formatting check against .clang-format, and the include rule
#   2. the whole suite (unit, pixel, interaction and end-to-end tests)
#   3. the unit suites and a named few end-to-end tests again under
#      AddressSanitizer + UndefinedBehaviorSanitizer
#   4. the settings-file fuzzer for a bounded time
#   5. the Windows build (mingw-w64), its unit suites and end-to-end tests
#      under Wine
#   6. the benchmarks, once, for their figures (they never fail the run on a time)
# Each stage prints how long it took; the end shows every stage's time, the
# total, and the tests ctest counted in each tree, added up. A failing stage
# does not stop the others, and the command ends non-zero if any failed.
#
# A test counts as failed the first time it fails. Only the end-to-end tests
# that type through a real input method (fcitx5 and Mozc, whose start and
# conversion a busy machine can upset) are run once more after a failure:
# one that passes then is named as flaky in the summary, and a test that
# needed that second run in two trees (plain and sanitizers) fails the command.
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

# The end-to-end tests that drive a real input method.
IME_TESTS='^(e2e\.app-ime|wine\.app-japanese)'
# What the sanitizer tree builds and runs: the layers' unit suites, and the
# end-to-end tests that run each program once (the window layer's demo, the
# demo form, the edit, the search bar with its picker, history and input
# method, the gallery's font list) without the window manager, which adds
# nothing the sanitizers look at.
ASAN_TARGETS=(platform_tests framework_tests controls_tests app_tests gallery_tests
  Scoutlane Gallery scoutlane_e2e_demo scoutlane_demo_form scoutlane_edit_demo scoutlane_xprobe)
ASAN_TESTS='^([a-z]+_tests|e2e\.(window|input|form|edit|app-search|app-picker|app-history|gallery-fonts|app-ime)\.nowm)$'

# Each stage's time, and the processor time its programs used (which says
# what it costs on a quiet machine when others share this one).
CPU_FILE=$(mktemp)
trap 'rm -f "$CPU_FILE"' EXIT
cpu_seconds() {
  # times must run in this shell: a subshell's children are not its own.
  awk 'NR == 2 { split($1, U, /[ms]/); split($2, S, /[ms]/); printf "%d", U[1] * 60 + U[2] + S[1] * 60 + S[2] }' "$CPU_FILE"
}
TOTAL_START=$SECONDS
STAGE_NAME="" STAGE_START=$SECONDS STAGE_CPU=0
TIMES=()
FAILED_STAGES=()
stage() {
  times >"$CPU_FILE"
  local cpu
  cpu=$(cpu_seconds)
  if [ -n "$STAGE_NAME" ]; then
    local took=$((SECONDS - STAGE_START))
    echo "   (took $took s, processor $((cpu - STAGE_CPU)) s)"
    TIMES+=("$(printf '%6d s %6d s  %s' "$took" $((cpu - STAGE_CPU)) "$STAGE_NAME")")
  fi
  STAGE_NAME=$*
  STAGE_START=$SECONDS
  STAGE_CPU=$cpu
  [ -n "$STAGE_NAME" ] && echo "== $STAGE_NAME"
  return 0
}
failed() {
  echo "!! $STAGE_NAME: $*" >&2
  FAILED_STAGES+=("$STAGE_NAME: $*")
}

# ctest's own counts of every tree, added up; the tests run once more.
PASSED=0 FAILED=0
FLAKY=()
declare -A FLAKY_RUNS=()

# run_tests TAG TREE TIMEOUT [ctest options...]: runs the tree's tests
# (output shown and kept in TREE/ctest.log), runs a failed input-method test
# once more, and adds the counts to the totals.
run_tests() {
  local tag=$1 tree=$2 timeout=$3
  shift 3
  local log=$tree/ctest.log status
  set +e
  (cd "$tree" && ctest -j"$JOBS" --output-on-failure --timeout "$timeout" "$@") 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  set -e
  local counted total failures
  counted=$(grep -aoE '[0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1 || true)
  if [ -z "$counted" ]; then
    failed "ctest counted nothing (exit status $status)"
    return
  fi
  failures=${counted%% *}
  total=${counted##* }
  local name again=()
  while read -r name; do
    [ -n "$name" ] || continue
    if [[ $name =~ $IME_TESTS ]]; then again+=("$name"); fi
  done < <(sed -n '/The following tests FAILED:/,$p' "$log" | sed -nE 's/^[[:space:]]*[0-9]+ - ([^ ]+) .*/\1/p')
  for name in "${again[@]}"; do
    echo "-- $name failed; it types through a real input method, so it runs once more"
    if (cd "$tree" && ctest --output-on-failure --timeout "$timeout" -R "^${name//./\\.}\$") >"$tree/ctest-again.log" 2>&1; then
      echo "-- $name passed the second time: flaky"
      FLAKY+=("$name ($tag)")
      FLAKY_RUNS[$name]=$((${FLAKY_RUNS[$name]:-0} + 1))
      failures=$((failures - 1))
    else
      cat "$tree/ctest-again.log"
      echo "-- $name failed again"
    fi
  done
  PASSED=$((PASSED + total - failures))
  FAILED=$((FAILED + failures))
  [ "$failures" -eq 0 ] || failed "$failures of $total tests failed"
  if [ "$failures" -eq 0 ] && [ "$status" -ne 0 ] && [ ${#again[@]} -eq 0 ]; then
    failed "ctest ended with status $status"
  fi
  return 0
}

# build TREE TARGET...: builds quietly; the compiler's output when it fails.
build() {
  local tree=$1
  shift
  if ! cmake --build "$tree" -j"$JOBS" "$@" >"$tree/build.log" 2>&1; then
    grep -E "error|FAILED|undefined reference" "$tree/build.log" | head -n 40 >&2
    failed "the build failed; the whole output is in $tree/build.log"
    return 1
  fi
}

# A new tree is made with Ninja, which starts and schedules faster; a tree
# made before keeps its generator.
generator() { [ -f "$1/CMakeCache.txt" ] || echo "-GNinja"; }

stage "formatting"
mapfile -t sources < <(git ls-files -- '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h')
if [ ${#sources[@]} -gt 0 ]; then
  clang-format --dry-run -Werror "${sources[@]}" || failed "files are not formatted"
fi

stage "include rule"
# A layer includes only the layers below it, a framework folder only the
# folders below it (scripts/check-includes.py says which include breaks it).
python3 scripts/check-includes.py . || failed "an include breaks the rule"
bash tests/scripts/include-rule-test.sh >/dev/null || failed "the check misses a broken include"

stage "build"
# Tests and benchmarks on, also where run.sh configured this tree without them.
# shellcheck disable=SC2046 # no generator option for a tree made before
cmake -S . -B build $(generator build) -DSCOUTLANE_TESTS=ON -DSCOUTLANE_BENCH=ON "${LAUNCHER[@]}" >/dev/null
PLAIN_BUILT=1
build build || PLAIN_BUILT=0

stage "test"
[ "$PLAIN_BUILT" = 1 ] && run_tests plain build 300

stage "build with AddressSanitizer + UndefinedBehaviorSanitizer"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# -O1 -g1 is what the sanitizers are meant for: fast enough to run, readable
# stacks, and half the compile time of the default -O2 -g. Each unit test
# executable runs whole, once: the sanitizers' runtime takes a tenth of a
# second to start, which over thousands of single-test processes cost more
# than the tests. Only what the tests below run is built: no benchmarks,
# tools or programs the named tests do not start.
# shellcheck disable=SC2046
cmake -S . -B build-asan $(generator build-asan) -DSCOUTLANE_SANITIZE=ON -DSCOUTLANE_BENCH=OFF \
  -DSCOUTLANE_TEST_PER_SUITE=ON -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
  "${LAUNCHER[@]}" >/dev/null
ASAN_BUILT=1
build build-asan --target "${ASAN_TARGETS[@]}" || ASAN_BUILT=0

stage "test with AddressSanitizer + UndefinedBehaviorSanitizer"
[ "$ASAN_BUILT" = 1 ] && run_tests sanitizers build-asan 600 -R "$ASAN_TESTS"

if [ -f scripts/fuzz.sh ]; then
  stage "fuzzing the settings-file parser"
  bash scripts/fuzz.sh "${FUZZ_SECONDS:-30}" || failed "the fuzzer found a failing input"
fi

stage "Windows build"
# Scoutlane.exe and the layers' unit suites cross-built in build-win (the
# third-party libraries are built there once).
WIN_BUILT=1
bash scripts/build-windows.sh --tests || { WIN_BUILT=0; failed "the Windows build failed"; }

stage "Windows tests under Wine"
# Each suite runs as one Wine process in the tree's own Wine prefix.
[ "$WIN_BUILT" = 1 ] && run_tests windows build-win 900 -R '^wine\.'

stage "benchmarks (figures only)"
if [ "$PLAIN_BUILT" = 1 ]; then
  for bench in build/bench/*_bench; do
    [ -x "$bench" ] || continue
    "$bench" --benchmark_min_time=0.05 2>&1 | grep -v '^\*\*\*' || true
  done
fi
stage ""

for name in "${!FLAKY_RUNS[@]}"; do
  if [ "${FLAKY_RUNS[$name]}" -ge 2 ]; then
    FAILED_STAGES+=("$name needed a second run in ${FLAKY_RUNS[$name]} trees")
  fi
done

echo "== times (wall clock, processor)"
printf '%s\n' "${TIMES[@]}"
total=$((SECONDS - TOTAL_START))
times >"$CPU_FILE"
printf '%6d s %6d s  total (%d min %02d s)\n' "$total" "$(cpu_seconds)" $((total / 60)) $((total % 60))
if [ ${#FLAKY[@]} -gt 0 ]; then
  echo "== flaky (failed, then passed when run again)"
  printf '   %s\n' "${FLAKY[@]}"
fi
if [ ${#FAILED_STAGES[@]} -gt 0 ]; then
  echo "== failed"
  printf '   %s\n' "${FAILED_STAGES[@]}"
fi
echo "Tests: $PASSED passed, $FAILED failed"
[ ${#FAILED_STAGES[@]} -eq 0 ]
