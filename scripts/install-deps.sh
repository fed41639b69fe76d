#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, when
# they are missing. Quiet and idempotent: a machine that has them all is not
# touched and no package index is fetched.
#
#   install-deps.sh                 everything: build, program, tests, benchmarks
#   install-deps.sh --runtime-only  what building and running the program needs
#   install-deps.sh --windows       what building the Windows program needs
#                                   (scripts/build-windows.sh)
#   install-deps.sh --windows-tests the same and Wine, to run it and its tests
#   install-deps.sh --package       what building the Debian package needs
#                                   (scripts/package-deb.sh) beside --runtime-only
set -euo pipefail

# Building and running the search bar.
RUNTIME=(
  g++ cmake make pkg-config
  # platform: drawing, fonts, PNG output, X11
  libpixman-1-dev libfreetype-dev libfontconfig-dev libpng-dev libx11-dev libxext-dev
  # the layouts' faces: the Gothic ones for the windows, the Mincho ones for
  # any layout or user that asks for a Mincho face
  fonts-ipafont-gothic fonts-ipafont-mincho
  # the program opens web addresses through xdg-open
  xdg-utils
  # the build writes the code page 932 table (tools/cp932/cp932_table.py)
  python3
)
# Everything else the test command runs.
TESTS=(
  # unit tests, fuzzing, benchmarks (bench/frame_instructions includes
  # valgrind's callgrind header and runs under callgrind), formatting
  libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev clang-format valgrind
  # end-to-end tests on a real X server: the server, a window manager, input
  # and clipboard tools, screenshots and image comparison, dmenu for the
  # start-up benchmark, the desktop entry's validator, and xrdb, which sets
  # the desktop's scale (Xft.dpi) as a desktop would
  xvfb xdotool openbox xclip x11-utils imagemagick suckless-tools desktop-file-utils
  x11-xserver-utils
  # Japanese input end to end: a real input method server over XIM (the
  # program itself needs none: the user's desktop brings its own)
  fcitx5 fcitx5-mozc
  # git lists the sources for the formatting check
  git
  # the include-rule check (scripts/check-includes.py)
  python3
  # the test command's builds share compiled objects between runs and clones
  ccache
)

# Building the Windows program (scripts/build-windows.sh).
WINDOWS=(
  cmake ninja-build
  # the cross compiler, with the POSIX thread model for std::thread
  g++-mingw-w64-x86-64-posix
  # FreeType and pixman are built from Debian's source packages
  # (apt-get source unpacks them with dpkg-source); pixman builds with meson
  dpkg-dev meson
  # the icon resource is made from the icon bitmaps
  python3
)
# Building the Debian package (scripts/package-deb.sh): dpkg-shlibdeps and
# the build flags; its test checks it with lintian and installs it into a
# fresh Debian root made by mmdebstrap, mounting /proc, /dev and the X
# socket there (mount, which a minimal root lacks).
PACKAGE=(dpkg-dev)
PACKAGE_TESTS=(lintian mmdebstrap mount)

# Running the Windows unit suites and the Windows program under Wine; the
# end-to-end tests under Wine drive it with the Linux tests' tools (the X
# server, a window manager, xdotool, screenshots, the input method for
# Japanese) and build their X probe for the host.
WINDOWS_TESTS=(
  wine wine64
  xvfb xdotool openbox x11-utils imagemagick fcitx5 fcitx5-mozc g++ libx11-dev
)

case "${1:-}" in
  --runtime-only) PACKAGES=("${RUNTIME[@]}") ;;
  --windows) PACKAGES=("${WINDOWS[@]}") ;;
  --windows-tests) PACKAGES=("${WINDOWS[@]}" "${WINDOWS_TESTS[@]}") ;;
  --package) PACKAGES=("${RUNTIME[@]}" "${PACKAGE[@]}") ;;
  *) PACKAGES=("${RUNTIME[@]}" "${TESTS[@]}" "${WINDOWS[@]}" "${WINDOWS_TESTS[@]}" "${PACKAGE[@]}"
       "${PACKAGE_TESTS[@]}") ;;
esac

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq >/dev/null
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
