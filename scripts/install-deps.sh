#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, when
# they are missing. Quiet and idempotent: a machine that has them all is not
# touched and no package index is fetched.
set -euo pipefail

PACKAGES=(
  # build
  g++ cmake make pkg-config
  # platform: drawing, fonts, PNG output, X11
  libpixman-1-dev libfreetype-dev libfontconfig-dev libpng-dev libx11-dev libxext-dev
  fonts-ipafont-gothic
  # tests, fuzzing, benchmarks, formatting
  libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev clang-format
  # end-to-end tests on a real X server
  xvfb xdotool openbox xclip x11-utils imagemagick suckless-tools
)
if [ "${1:-}" = "--runtime-only" ]; then
  PACKAGES=(g++ cmake make pkg-config libpixman-1-dev libfreetype-dev libfontconfig-dev
            libpng-dev libx11-dev libxext-dev fonts-ipafont-gothic libgtest-dev libbenchmark-dev
            # the program opens web addresses through xdg-open
            xdg-utils)
fi

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
