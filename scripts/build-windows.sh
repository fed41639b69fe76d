#!/usr/bin/env bash
# Builds the Windows program with mingw-w64: bash scripts/build-windows.sh
#
#   build-windows.sh           build-win/Scoutlane.exe (and build-win/Gallery.exe)
#   build-windows.sh --tests   also the unit suites, to run under Wine:
#                              (cd build-win && ctest)
#
# Installs the Debian packages it needs when they are missing, builds the
# third-party libraries once into build-win/third-party (from Debian's source
# packages; scripts/windows-third-party.sh), then the programs, optimised and
# stripped. Each .exe is self-contained: it needs no DLL but Windows' own.
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS=${JOBS:-2}
BUILD=${SCOUTLANE_WINDOWS_BUILD:-build-win}
TESTS=OFF
[ "${1:-}" = "--tests" ] && TESTS=ON

if [ "$TESTS" = ON ]; then
  bash scripts/install-deps.sh --windows-tests
else
  bash scripts/install-deps.sh --windows
fi

JOBS=$JOBS bash scripts/windows-third-party.sh "$BUILD"

# Compiled objects are shared between builds and clones of the tree (see
# scripts/test.sh); the test programs' precompiled header is cached too.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}" CCACHE_NOHASHDIR=1
export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-pch_defines,time_macros}"
LAUNCHER=()
if command -v ccache >/dev/null; then
  LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
GENERATOR=()
[ -f "$BUILD/CMakeCache.txt" ] || GENERATOR=(-G Ninja)
cmake -S . -B "$BUILD" "${GENERATOR[@]}" "${LAUNCHER[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DSCOUTLANE_TESTS="$TESTS" -DSCOUTLANE_BENCH=OFF >/dev/null

TARGETS=(Scoutlane Gallery)
if [ "$TESTS" = ON ]; then
  TARGETS+=(platform_tests framework_tests controls_tests app_tests gallery_tests)
  # The end-to-end tests under Wine: their Windows probe and the X probe.
  TARGETS+=(scoutlane_winprobe scoutlane_host_xprobe)
fi
# The compiler's output only when something fails.
if ! cmake --build "$BUILD" -j"$JOBS" --target "${TARGETS[@]}" >"$BUILD/build.log" 2>&1; then
  grep -E "error|FAILED|undefined reference" "$BUILD/build.log" | head -n 40 >&2
  echo "The Windows build failed; the whole output is in $BUILD/build.log" >&2
  exit 1
fi
# Release builds carry no debug information; the symbols go too.
x86_64-w64-mingw32-strip "$BUILD/Scoutlane.exe" "$BUILD/Gallery.exe"
echo "Built $BUILD/Scoutlane.exe ($(stat -c %s "$BUILD/Scoutlane.exe") bytes) and $BUILD/Gallery.exe"
