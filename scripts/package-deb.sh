#!/usr/bin/env bash
# Builds the Debian package in the checkout: bash scripts/package-deb.sh
#
#   scoutlane_<version>_amd64.deb
#     /usr/bin/scoutlane                the search bar
#     /usr/bin/scoutlane-gallery        the control gallery
#     /usr/share/applications/scoutlane.desktop, the icons (hicolor 16, 32, 48),
#     a manual page for each program, the copyright file and the changelog
#
# The version is the CMake project's (CMakeLists.txt), the one the programs
# print with --version; packaging/debian/changelog must start with it. The
# programs are built in build-deb/ with Debian's build flags (hardening),
# stripped, and the package's Depends are what dpkg-shlibdeps finds they
# link against, plus fontconfig (loaded when first needed), the fonts the
# layouts name and xdg-utils for the browser. Installed from /usr/bin, where no user can write, the programs
# keep their settings in ~/.config/scoutlane/.
#
#   sudo apt-get install ./scoutlane_<version>_amd64.deb
#
# Installs the Debian packages it needs when they are missing (dpkg-dev
# for dpkg-shlibdeps and the build flags). SCOUTLANE_DEB_BUILD moves the
# build tree, SCOUTLANE_DEB_DIR the package (the tests build theirs in their
# build tree); LINTIAN=1 runs lintian on the result and fails on an error.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD=${SCOUTLANE_DEB_BUILD:-build-deb}
case "$BUILD" in /*) ;; *) BUILD=$ROOT/$BUILD ;; esac
JOBS=${JOBS:-$(nproc)}

bash scripts/install-deps.sh --package

if [ -n "${SCOUTLANE_DEB_PROGRAMS:-}" ]; then
  BUILD=$SCOUTLANE_DEB_PROGRAMS
  for built in Scoutlane Gallery icons/hicolor; do
    [ -e "$BUILD/$built" ] || { echo "package-deb: $BUILD/$built is not built" >&2; exit 1; }
  done
else
  # Debian's flags: -O2 with the stack protector, _FORTIFY_SOURCE, relro and
  # bind-now, read by CMake from the environment when the tree is configured.
  eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
  LAUNCHER=()
  if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}" CCACHE_NOHASHDIR=1
    LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S . -B "$BUILD" "${LAUNCHER[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DSCOUTLANE_TESTS=OFF -DSCOUTLANE_BENCH=OFF >/dev/null
  if ! cmake --build "$BUILD" -j"$JOBS" --target Scoutlane Gallery scoutlane_icons \
    >"$BUILD/build.log" 2>&1; then
    grep -E "error|undefined reference" "$BUILD/build.log" | head -n 40 >&2
    echo "package-deb: the build failed; the whole output is in $BUILD/build.log" >&2
    exit 1
  fi
fi

VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")
[ -n "$VERSION" ] || { echo "package-deb: no project version in $BUILD" >&2; exit 1; }
printed=$("$BUILD/Scoutlane" --version)
[ "$printed" = "Scoutlane $VERSION" ] || {
  echo "package-deb: the program says '$printed', the project '$VERSION'" >&2
  exit 1
}
changelog_version=$(sed -n '1s/^scoutlane (\([^)]*\)).*/\1/p' packaging/debian/changelog)
[ "$changelog_version" = "$VERSION" ] || {
  echo "package-deb: packaging/debian/changelog starts with $changelog_version, not $VERSION" >&2
  exit 1
}
ARCH=$(dpkg --print-architecture)
OUT=${SCOUTLANE_DEB_DIR:-.}
mkdir -p "$OUT"
DEB="$OUT/scoutlane_${VERSION}_${ARCH}.deb"

STAGE="$BUILD/package"
rm -rf "$STAGE"
PKG="$STAGE/root"
DOC="$PKG/usr/share/doc/scoutlane"
install -d -m 0755 "$PKG/DEBIAN" "$PKG/usr/bin" "$PKG/usr/share/applications" \
  "$PKG/usr/share/man/man1" "$DOC"
# Stripped as Debian's own packages are (dh_strip).
for pair in "Scoutlane:scoutlane" "Gallery:scoutlane-gallery"; do
  install -m 0755 "$BUILD/${pair%%:*}" "$PKG/usr/bin/${pair#*:}"
  strip --remove-section=.comment --remove-section=.note --strip-unneeded "$PKG/usr/bin/${pair#*:}"
done
for size in 16 32 48; do
  install -D -m 0644 "$BUILD/icons/hicolor/${size}x${size}/apps/scoutlane.png" \
    "$PKG/usr/share/icons/hicolor/${size}x${size}/apps/scoutlane.png"
done
# The menu entry runs the program from PATH.
sed 's/@EXEC@/scoutlane/' resources/scoutlane.desktop.in >"$PKG/usr/share/applications/scoutlane.desktop"
chmod 0644 "$PKG/usr/share/applications/scoutlane.desktop"
for page in scoutlane scoutlane-gallery; do
  gzip -9n <"packaging/debian/$page.1" >"$PKG/usr/share/man/man1/$page.1.gz"
  chmod 0644 "$PKG/usr/share/man/man1/$page.1.gz"
done
install -m 0644 packaging/debian/copyright "$DOC/copyright"
# A native package: its changelog is changelog.gz.
gzip -9n <packaging/debian/changelog >"$DOC/changelog.gz"
chmod 0644 "$DOC/changelog.gz"

# dpkg-shlibdeps works in a source tree: a minimal debian/control is enough.
SHLIBS="$STAGE/shlibdeps"
mkdir -p "$SHLIBS/debian"
printf 'Source: scoutlane\n\nPackage: scoutlane\nArchitecture: any\n' >"$SHLIBS/debian/control"
library_depends=$(cd "$SHLIBS" && dpkg-shlibdeps -O -e"$PKG/usr/bin/scoutlane" \
  -e"$PKG/usr/bin/scoutlane-gallery" | sed -n 's/^shlibs:Depends=//p')
[ -n "$library_depends" ] || { echo "package-deb: dpkg-shlibdeps found no libraries" >&2; exit 1; }
# fontconfig is loaded with dlopen when a face is first looked up
# (platform/fonts/FontconfigLibrary), so no tool sees it in the programs:
# its dependency comes from the library package's own shlibs entry.
fontconfig_depends=$(awk '$1 == "libfontconfig" && $2 == "1" { $1 = $2 = ""; sub(/^ +/, ""); print; exit }' \
  "$(dpkg-query --control-path libfontconfig1 shlibs)")
[ -n "$fontconfig_depends" ] || { echo "package-deb: no shlibs entry for libfontconfig1" >&2; exit 1; }
library_depends="$library_depends, $fontconfig_depends"

installed_size=$(du -sk --exclude=DEBIAN "$PKG" | cut -f1)
cat >"$PKG/DEBIAN/control" <<CONTROL
Package: scoutlane
Version: $VERSION
Architecture: $ARCH
Maintainer: Scoutlane maintainers <maintainers@users.noreply.c-seed-99c6e147.example>
Installed-Size: $installed_size
Depends: $library_depends, fonts-ipafont-gothic, xdg-utils
Section: web
Priority: optional
Description: Japanese search bar for several web sites at once
 Scoutlane is a small always-on-top search bar for the desktop. Tick
 search sites in its drop-down list, type a keyword into the box that
 remembers earlier keywords, and press Enter: one web address per ticked
 site opens in the browser.
 .
 The package also holds scoutlane-gallery, which shows every control of
 the search bar in one window.
CONTROL
(cd "$PKG" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$PKG/DEBIAN/md5sums"
chmod 0644 "$PKG/DEBIAN/control" "$PKG/DEBIAN/md5sums"
find "$PKG" -type d -exec chmod 0755 {} +

# Owned by root inside the package whoever builds it; no fakeroot needed.
dpkg-deb --root-owner-group -Zxz --build "$PKG" "$DEB.partial" >/dev/null
mv -f "$DEB.partial" "$DEB"
echo "Built $DEB"
echo "  Depends: $library_depends, fonts-ipafont-gothic, xdg-utils"

if [ "${LINTIAN:-0}" = 1 ]; then
  # Errors fail the build; warnings and notes are shown.
  lintian --fail-on error "$DEB"
fi
