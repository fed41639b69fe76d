#!/usr/bin/env bash
# Start-up cost of the program beside dmenu's, on a private Xvfb without a
# window manager (not a test: it prints figures and never fails on them).
#
#   bash bench/startup.sh [BUILD_DIR] [RUNS]
#
# For each program, from the moment it is started (fork) to:
#   mapped   its first top-level window is mapped on the screen
#   frame    (ours) it prints that its first frame is on the screen, which
#            SCOUTLANE_REPORT_FIRST_FRAME=1 asks the X11 backend to do
# and its resident memory then (VmRSS, and the peak VmHWM). dmenu shows a
# one-line menu: `echo x | dmenu`. Each figure is the median of RUNS runs
# (default 9). BENCH_PROGRAM names the program to measure (default: the
# end-to-end demo, the window layer's 500x35 tool window).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
runs=${2:-9}
probe=$build/e2e/scoutlane_xprobe
program=${BENCH_PROGRAM:-$build/e2e/scoutlane_e2e_demo}
for tool in "$probe" "$program"; do
  if [ ! -x "$tool" ]; then
    echo "startup.sh: $tool is not built (cmake --build $build --target scoutlane_xprobe scoutlane_e2e_demo)" >&2
    exit 1
  fi
done
command -v dmenu >/dev/null || { echo "startup.sh: dmenu is not installed (suckless-tools)" >&2; exit 1; }

export PROBE=$probe PROGRAM=$program RUNS=$runs
exec bash "$here/tests/e2e/run-with-x.sh" --wm none -- bash -c '
  set -euo pipefail
  median() { sort -n | awk "{ v[NR] = \$1 } END { if (NR == 0) print \"-\"; else print v[int((NR + 1) / 2)] }"; }
  value() { grep "^$1=" | cut -d= -f2; }
  ours=$(mktemp) theirs=$(mktemp)
  for _ in $(seq "$RUNS"); do
    SCOUTLANE_REPORT_FIRST_FRAME=1 "$PROBE" launch "$PROGRAM" </dev/null >>"$ours"
    echo x | "$PROBE" launch dmenu >>"$theirs"
  done
  printf "%-28s %10s %10s %12s %10s %10s\n" program mapped_ms frame_ms reported_ms rss_kb hwm_kb
  printf "%-28s %10s %10s %12s %10s %10s\n" "$(basename "$PROGRAM")" \
    "$(value mapped_ms <"$ours" | median)" "$(value frame_ms <"$ours" | median)" \
    "$(value reported_ms <"$ours" | median)" "$(value vmrss_kb <"$ours" | median)" \
    "$(value vmhwm_kb <"$ours" | median)"
  printf "%-28s %10s %10s %12s %10s %10s\n" "dmenu (echo x | dmenu)" \
    "$(value mapped_ms <"$theirs" | median)" "-" "-" \
    "$(value vmrss_kb <"$theirs" | median)" "$(value vmhwm_kb <"$theirs" | median)"
  echo "($RUNS runs each, medians; times from fork, in milliseconds)"
  rm -f "$ours" "$theirs"
'
