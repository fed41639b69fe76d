#!/usr/bin/env bash
# Builds the third-party libraries of the Windows build as static mingw-w64
# libraries, from Debian's own source packages:
#
#   scripts/windows-third-party.sh BUILD_DIR
#
# - FreeType (fonts; no zlib, PNG, bzip2, brotli or HarfBuzz: the program
#   renders plain outlines and bitmaps),
# - pixman's region arithmetic (the software GDI's clipping),
# - GoogleTest, from /usr/src/googletest (Debian's libgtest-dev), for the
#   unit suites under Wine.
#
# The sources come from `apt-get source` with an apt configuration of their
# own under BUILD_DIR/third-party/apt (a sources.list with the bookworm deb-src
# entries, its own package lists and cache): the system's apt configuration is
# never read nor changed. Everything lands in BUILD_DIR/third-party; a library
# already installed in its prefix is not built again, a source package already
# unpacked is not fetched again. The prefix is what the toolchain file
# (cmake/mingw-w64-x86_64.cmake) searches.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(mkdir -p "${1:?usage: windows-third-party.sh BUILD_DIR}" && cd "$1" && pwd)
THIRD=$BUILD/third-party
PREFIX=$THIRD/prefix
SOURCES=$THIRD/sources
JOBS=${JOBS:-2}
# Every function in a section of its own, as in the program: the linker then
# keeps only what the program calls (a quarter of FreeType and pixman).
SECTIONS="-ffunction-sections -fdata-sections"
TOOLCHAIN=$ROOT/cmake/mingw-w64-x86_64.cmake
mkdir -p "$PREFIX" "$SOURCES"
# Compiled through ccache when it is there, as the program is.
LAUNCHER=()
CCACHE=""
if command -v ccache >/dev/null; then
  LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  CCACHE=ccache
fi

# --- the libraries built before, by any clone of the tree -------------------

# What the prefix is made from: this script, the toolchain file, the region
# code's wrapper and the cross compiler. A prefix built from the same is kept
# in the user's cache and copied into a new build tree instead of fetching
# and building the sources again.
KEY=$(cat "$0" "$TOOLCHAIN" "$ROOT/tools/windows/pixman_region_only.c" /usr/src/googletest/CMakeLists.txt \
  <(x86_64-w64-mingw32-gcc-posix --version) 2>/dev/null | sha256sum | cut -c1-16)
SHARED=${XDG_CACHE_HOME:-${HOME:-/nonexistent}/.cache}/scoutlane/windows-third-party/$KEY
ALL_BUILT=(lib/libfreetype.a lib/libpixman-1.a lib/libgtest.a share/licenses/pixman/COPYING)
built() { for file in "${ALL_BUILT[@]}"; do [ -f "$1/$file" ] || return 1; done; }
# The prefix's own path is written in its pkg-config and CMake files.
move_prefix() {
  grep -rlF "$1" "$PREFIX" 2>/dev/null | while read -r file; do
    sed -i "s|$1|$2|g" "$file"
  done
}
if ! built "$PREFIX" && built "$SHARED/prefix"; then
  echo "third-party: taking the libraries built before from $SHARED"
  rm -rf "$PREFIX"
  cp -a "$SHARED/prefix" "$PREFIX"
  move_prefix "$(cat "$SHARED/path")" "$PREFIX"
fi

# --- apt, privately ---------------------------------------------------------

APT_DIR=$THIRD/apt
APT_OPTIONS=(
  -o "Dir::Etc::SourceList=$APT_DIR/sources.list"
  -o "Dir::Etc::SourceParts=/dev/null"
  -o "Dir::State::Lists=$APT_DIR/lists"
  -o "Dir::State::Status=$APT_DIR/status"
  -o "Dir::Cache=$APT_DIR/cache"
  -o "APT::Sandbox::User=root"
  -o "Debug::NoLocking=1"
)

apt_update_once() {
  [ -f "$APT_DIR/updated" ] && return
  mkdir -p "$APT_DIR/lists/partial" "$APT_DIR/cache/archives/partial"
  : >"$APT_DIR/status"
  # Source entries only, signed by the Debian archive keys the system trusts.
  cat >"$APT_DIR/sources.list" <<'EOF'
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian-security bookworm-security main
EOF
  echo "third-party: reading Debian's source package lists" >&2
  apt-get "${APT_OPTIONS[@]}" -qq update >&2
  touch "$APT_DIR/updated"
}

# Unpacks Debian's source of PACKAGE into $SOURCES/PACKAGE (once) and prints
# that directory.
debian_source() {
  local package=$1 unpacked=$SOURCES/$1
  if [ ! -f "$unpacked/.unpacked" ]; then
    apt_update_once
    local download=$SOURCES/$package.download
    rm -rf "$download" "$unpacked"
    mkdir -p "$download"
    echo "third-party: fetching the source of $package" >&2
    if (cd "$download" && apt-get "${APT_OPTIONS[@]}" -qq source --download-only "$package" >&2); then
      # apt has checked every file against the archive's signed index; the
      # uploader's own signature on the .dsc cannot be checked without the
      # Debian developers' keyring, so dpkg-source's note about it is kept
      # in a log and only shown when unpacking fails.
      (cd "$download" && dpkg-source -x ./*.dsc "$unpacked" >"$download/dpkg-source.log" 2>&1) ||
        { cat "$download/dpkg-source.log" >&2; exit 1; }
    else
      # Some mirrors lack a package's Debian diff while they still serve its
      # upstream tarball, which apt has checked against the signed source
      # index all the same: build from that, without Debian's packaging.
      local orig
      orig=$(find "$download" -maxdepth 1 -name "${package}_*.orig.tar.*" ! -name '*.orig-*' | head -n 1)
      [ -n "$orig" ] || { echo "third-party: cannot fetch the source of $package" >&2; exit 1; }
      echo "third-party: $package: building the upstream tarball without Debian's diff" >&2
      mkdir -p "$unpacked"
      tar -xf "$orig" -C "$unpacked" --strip-components=1
    fi
    touch "$unpacked/.unpacked"
  fi
  echo "$unpacked"
}

# --- FreeType ---------------------------------------------------------------

if [ ! -f "$PREFIX/lib/libfreetype.a" ]; then
  source_dir=$(debian_source freetype)
  echo "third-party: building FreeType"
  rm -rf "$THIRD/build/freetype"
  cmake -S "$source_dir" -B "$THIRD/build/freetype" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" -DBUILD_SHARED_LIBS=OFF -DCMAKE_C_FLAGS="$SECTIONS" "${LAUNCHER[@]}" \
    -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
    -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON >/dev/null
  cmake --build "$THIRD/build/freetype" -j"$JOBS" >/dev/null
  cmake --install "$THIRD/build/freetype" >/dev/null
fi

# --- pixman -----------------------------------------------------------------

# Only the region arithmetic, which is all the software GDI uses of pixman
# (tools/windows/pixman_region_only.c says why). meson configures the source
# (config.h, pixman-version.h); the region code is compiled on its own.
if [ ! -f "$PREFIX/lib/libpixman-1.a" ]; then
  source_dir=$(debian_source pixman)
  echo "third-party: building pixman's regions"
  cross=$THIRD/build/meson-mingw.txt
  mkdir -p "$THIRD/build"
  cat >"$cross" <<'EOF2'
[binaries]
c = 'x86_64-w64-mingw32-gcc-posix'
cpp = 'x86_64-w64-mingw32-g++-posix'
ar = 'x86_64-w64-mingw32-ar'
strip = 'x86_64-w64-mingw32-strip'
windres = 'x86_64-w64-mingw32-windres'
pkg-config = 'false'

[host_machine]
system = 'windows'
cpu_family = 'x86_64'
cpu = 'x86_64'
endian = 'little'
EOF2
  build=$THIRD/build/pixman
  rm -rf "$build"
  meson setup "$build" "$source_dir" --cross-file "$cross" --buildtype release \
    --default-library static -Dtests=disabled -Dgtk=disabled -Dlibpng=disabled \
    -Dopenmp=disabled -Dtimers=false >/dev/null
  CC="$CCACHE x86_64-w64-mingw32-gcc-posix"
  FLAGS=(-O2 $SECTIONS -DHAVE_CONFIG_H -I"$build/pixman" -I"$source_dir/pixman")
  $CC "${FLAGS[@]}" -c "$source_dir/pixman/pixman-region32.c" -o "$build/pixman-region32.o"
  $CC "${FLAGS[@]}" -Wall -c "$ROOT/tools/windows/pixman_region_only.c" -o "$build/pixman-region-only.o"
  mkdir -p "$PREFIX/lib/pkgconfig" "$PREFIX/include/pixman-1"
  rm -f "$build/libpixman-1.a"
  x86_64-w64-mingw32-ar rcs "$build/libpixman-1.a" "$build/pixman-region32.o" "$build/pixman-region-only.o"
  cp "$source_dir/pixman/pixman.h" "$build/pixman/pixman-version.h" "$PREFIX/include/pixman-1/"
  version=$(sed -n 's/^#define PIXMAN_VERSION_STRING "\(.*\)"/\1/p' "$build/pixman/pixman-version.h")
  cat >"$PREFIX/lib/pkgconfig/pixman-1.pc" <<EOF2
prefix=$PREFIX
Name: Pixman
Description: pixman's region arithmetic, static
Version: $version
Cflags: -I\${prefix}/include/pixman-1
Libs: -L\${prefix}/lib -lpixman-1
EOF2
  cp "$build/libpixman-1.a" "$PREFIX/lib/libpixman-1.a"
fi

# --- GoogleTest -------------------------------------------------------------

if [ ! -f "$PREFIX/lib/libgtest.a" ]; then
  echo "third-party: building GoogleTest"
  rm -rf "$THIRD/build/googletest"
  cmake -S /usr/src/googletest -B "$THIRD/build/googletest" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$PREFIX" -DBUILD_SHARED_LIBS=OFF "${LAUNCHER[@]}" \
    -Dgtest_disable_pthreads=OFF -DBUILD_GMOCK=OFF >/dev/null
  cmake --build "$THIRD/build/googletest" -j"$JOBS" >/dev/null
  cmake --install "$THIRD/build/googletest" >/dev/null
fi

# --- the licences of what the programs link in -------------------------------

# They go with the libraries, so a tree that takes the libraries from the
# user's cache has them too (the Windows zip carries them).
LICENSES=$PREFIX/share/licenses
if [ ! -f "$LICENSES/pixman/COPYING" ]; then
  freetype_source=$(debian_source freetype)
  pixman_source=$(debian_source pixman)
  install -D -m 0644 "$freetype_source/LICENSE.TXT" "$LICENSES/FreeType/LICENSE.TXT"
  install -D -m 0644 "$freetype_source/docs/FTL.TXT" "$LICENSES/FreeType/FTL.TXT"
  install -D -m 0644 "$pixman_source/COPYING" "$LICENSES/pixman/COPYING"
fi

# --- kept for the next tree --------------------------------------------------

if built "$PREFIX" && ! built "$SHARED/prefix"; then
  mkdir -p "$SHARED"
  rm -rf "$SHARED/prefix.new"
  if cp -a "$PREFIX" "$SHARED/prefix.new" 2>/dev/null; then
    echo "$PREFIX" >"$SHARED/path"
    mv "$SHARED/prefix.new" "$SHARED/prefix" 2>/dev/null || rm -rf "$SHARED/prefix.new"
  fi
fi
