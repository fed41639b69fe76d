#!/usr/bin/env bash
# Builds the Windows program with mingw-w64: bash scripts/build-windows.sh
#
#   build-windows.sh           build-win/Scoutlane.exe (and build-win/Gallery.exe),
#                              and Scoutlane-<version>-win64.zip in the checkout
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

# The zip for users: both programs, the read-me (Japanese and English, with
# Windows line ends and a byte order mark so Notepad reads it as UTF-8) and
# the licences of the libraries linked in, from their Debian source packages
# (FreeType is dual-licensed; the FreeType License is the one we follow).
# The version is the CMake project's, which the .exe's version information
# carries too.
VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")
LICENSES="$BUILD/third-party/prefix/share/licenses"
ZIP="Scoutlane-$VERSION-win64.zip"
python3 - "$ZIP" "Scoutlane-$VERSION" "$VERSION" \
  "$BUILD/Scoutlane.exe=Scoutlane.exe" "$BUILD/Gallery.exe=Gallery.exe" \
  "packaging/windows/README.txt=README.txt" \
  "$LICENSES/FreeType/LICENSE.TXT=licenses/FreeType/LICENSE.TXT" \
  "$LICENSES/FreeType/FTL.TXT=licenses/FreeType/FTL.TXT" \
  "$LICENSES/pixman/COPYING=licenses/pixman/COPYING" <<'PYTHON'
import os, sys, time, zipfile
out, top, version, entries = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
partial = out + ".partial"
with zipfile.ZipFile(partial, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
    for entry in entries:
        source, name = entry.split("=", 1)
        data = open(source, "rb").read()
        if name.endswith(".TXT") or name.endswith(".txt") or name.endswith("COPYING"):
            data = data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
        if name == "README.txt":
            data = b"\xef\xbb\xbf" + data.replace(b"@VERSION@", version.encode())
        info = zipfile.ZipInfo(top + "/" + name, time.localtime(os.stat(source).st_mtime)[:6])
        info.compress_type = zipfile.ZIP_DEFLATED
        info.external_attr = 0o644 << 16
        archive.writestr(info, data)
os.replace(partial, out)
PYTHON
echo "Built $ZIP"
