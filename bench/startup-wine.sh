#!/usr/bin/env bash
# Start-up of the Windows build under Wine beside the Linux build, in the
# same run on a private Xvfb without a window manager (not a test: it prints
# figures and never fails on them).
#
#   bash bench/startup-wine.sh [BUILD_DIR] [WINDOWS_BUILD_DIR] [RUNS]
#
# Defaults: build, build-win, 9 runs. For each program, from the moment it is
# started (fork) to:
#   mapped   its first top-level window is mapped on the screen
#   frame    its first frame is on the screen: the gradient's blue outline
#            at the client area's top-left corner (20,20), read from the
#            screen every millisecond, the same way for both programs
# and its resident memory then (VmRSS, and RssAnon, the part that is not
# pages of files). The programs:
#   Scoutlane (Linux)        BUILD_DIR/Scoutlane
#   Scoutlane.exe, warm      under Wine, with the prefix's wineserver and
#                            its system processes (desktop, services)
#                            already running, as on a desktop where Windows
#                            is up
#   Scoutlane.exe, cold      under Wine, with no wineserver: the program's
#                            start brings up the whole Wine session first
#   bare_window.exe, warm    a trivial Win32 window (bench/bare_window_win32.c,
#                            built here by the same cross compiler): most of
#                            a process under Wine is Wine's own libraries,
#                            so the search bar's own memory is what it holds
#                            beyond this one
# Under Wine the memory is the program's process alone; the wineserver and
# the session's processes are not counted.
#
# Each program runs from a copy in a folder of its own (its settings beside
# it), with a stand-in xdg-open first on PATH. Wine runs in a copy of the
# Windows build tree's prefix (made if missing, see tests/wine). The runs
# take turns, so that a busy machine slows them all alike; each figure is
# the median of RUNS runs.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
winbuild=${2:-$here/build-win}
runs=${3:-9}
build=$(cd "$build" && pwd)
winbuild=$(cd "$winbuild" && pwd)
# The X probe of the Windows tree's tests under Wine, else the Linux tree's.
probe=$winbuild/wine-e2e/scoutlane_xprobe
[ -x "$probe" ] || probe=$build/e2e/scoutlane_xprobe
for file in "$probe" "$build/Scoutlane" "$winbuild/Scoutlane.exe"; do
  if [ ! -e "$file" ]; then
    echo "startup-wine.sh: $file is not built (cmake --build $build --target Scoutlane" \
      "scoutlane_xprobe; bash scripts/build-windows.sh)" >&2
    exit 1
  fi
done
command -v wine >/dev/null || { echo "startup-wine.sh: Wine is not installed" >&2; exit 1; }

scratch=$(mktemp -d)
export WINEPREFIX=$scratch/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
cleanup() {
  if [ -d "$WINEPREFIX" ]; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT
template=$winbuild/wineprefix
bash "$here/tests/wine/prepare-prefix.sh" "$template"
# Hard links where the temporary folder shares the build tree's file
# system, else a whole copy.
cp -al "$template" "$WINEPREFIX" 2>/dev/null || { rm -rf "$WINEPREFIX" && cp -a "$template" "$WINEPREFIX"; }

mkdir -p "$scratch/bin" "$scratch/linux" "$scratch/windows"
printf '#!/bin/sh\nexit 0\n' >"$scratch/bin/xdg-open"
chmod +x "$scratch/bin/xdg-open"
cp "$build/Scoutlane" "$scratch/linux/Scoutlane"
cp "$winbuild/Scoutlane.exe" "$scratch/windows/Scoutlane.exe"
# The cross compiler of the Windows build tree.
cross_cc=$(sed -n 's/^CMAKE_C_COMPILER:[A-Z]*=//p' "$winbuild/CMakeCache.txt")
"${cross_cc:-x86_64-w64-mingw32-gcc}" -O2 -mwindows -o "$scratch/windows/bare_window.exe" \
  "$here/bench/bare_window_win32.c"
exe_size=$(stat -c %s "$winbuild/Scoutlane.exe")
# The Linux build may carry debug information (RelWithDebInfo): its size is
# given stripped, as the .exe is.
strip -o "$scratch/Scoutlane.stripped" "$build/Scoutlane"
elf_size=$(stat -c %s "$scratch/Scoutlane.stripped")

export PROBE=$probe RUNS=$runs SCRATCH=$scratch PATH="$scratch/bin:$PATH" LC_ALL=C.UTF-8
bash "$here/tests/e2e/run-with-x.sh" --wm none -- bash -c '
  set -euo pipefail
  median() { sort -n | awk "{ v[NR] = \$1 } END { if (NR == 0) print \"-\"; else print v[int((NR + 1) / 2)] }"; }
  value() { grep "^$1=" | cut -d= -f2; }
  launch() {  # RESULTS COMMAND...
    local results=$1
    shift
    # Only the key=value lines: Wine may print on the same output.
    (cd / && "$PROBE" launch --pixel 20 20 0000FF "$@" </dev/null 2>/dev/null) | grep -E "^[a-z_]+=" >>"$results"
  }
  results=$(mktemp -d)
  trap "rm -rf \"$results\"" EXIT
  # One start before the rounds brings the prefix up to date and fills the
  # caches (fonts) both kinds of run rely on.
  launch "$results/ignored" wine "$SCRATCH/windows/Scoutlane.exe"
  for _ in $(seq "$RUNS"); do
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    launch "$results/cold" wine "$SCRATCH/windows/Scoutlane.exe"
    # Right after: the wineserver waits a few seconds for the next program
    # before it ends the session, so this start finds it up.
    launch "$results/warm" wine "$SCRATCH/windows/Scoutlane.exe"
    launch "$results/bare" wine "$SCRATCH/windows/bare_window.exe"
    launch "$results/linux" "$SCRATCH/linux/Scoutlane"
  done
  printf "%-28s %10s %10s %10s %10s\n" program mapped_ms frame_ms rss_kb anon_kb
  row() {
    printf "%-28s %10s %10s %10s %10s\n" "$1" "$(value mapped_ms <"$2" | median)" \
      "$(value frame_ms <"$2" | median)" "$(value vmrss_kb <"$2" | median)" \
      "$(value rssanon_kb <"$2" | median)"
  }
  row "Scoutlane (Linux)" "$results/linux"
  row "Scoutlane.exe (Wine, warm)" "$results/warm"
  row "Scoutlane.exe (Wine, cold)" "$results/cold"
  row "bare_window.exe (Wine, warm)" "$results/bare"
  echo "($RUNS runs each, taking turns; medians; times from fork, in milliseconds)"
  own=$(( $(value vmrss_kb <"$results/warm" | median) - $(value vmrss_kb <"$results/bare" | median) ))
  own_anon=$(( $(value rssanon_kb <"$results/warm" | median) - $(value rssanon_kb <"$results/bare" | median) ))
  echo "Scoutlane.exe beyond the trivial Win32 window (warm): rss ${own} kB, anon ${own_anon} kB"
'
echo "Scoutlane.exe: $exe_size bytes; Linux Scoutlane, stripped: $elf_size bytes"
