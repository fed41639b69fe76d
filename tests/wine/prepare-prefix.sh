#!/usr/bin/env bash
# Makes the build tree's Wine prefix, once:
#
#   prepare-prefix.sh PREFIX
#
# The same steps, lock and mark as the build tree's wine-run.sh (which runs
# the unit suites under Wine), so whichever comes first makes the prefix and
# the others wait for it: wineboot under an flock on PREFIX.lock, then the
# file PREFIX/.scoutlane-ready. Mono and Gecko are never offered (their
# installers would ask on the screen), and Wine prints none of its own
# diagnostics. The tests under Wine never run in this prefix itself: each
# takes a copy of it (wine-lib.sh), with a wineserver of its own.
set -euo pipefail
if [ $# -ne 1 ]; then
  echo "usage: prepare-prefix.sh PREFIX" >&2
  exit 2
fi
prefix=$1
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
[ -f "$prefix/.scoutlane-ready" ] && exit 0
mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$prefix/.scoutlane-ready" ]; then
    # No display: what the first start draws (a progress window) is not
    # wanted, and the prefix is the same without it.
    env -u DISPLAY wineboot -i >/dev/null 2>&1
    wineserver -w
    touch "$prefix/.scoutlane-ready"
  fi
) 9>"$prefix.lock"
