#!/usr/bin/env bash
# Start-up cost of our programs beside dmenu's, on a private Xvfb without a
# window manager (not a test: it prints figures and never fails on them).
#
#   bash bench/startup.sh [BUILD_DIR] [RUNS]
#
# For each program, from the moment it is started (fork) to:
#   mapped   its first top-level window is mapped on the screen
#   frame    (ours) it prints that its first frame is on the screen, which
#            SCOUTLANE_REPORT_FIRST_FRAME=1 asks the X11 backend to do
# and its resident memory then (VmRSS, and the peak VmHWM), with the part of
# it that is anonymous memory (RssAnon): the rest are pages of files, the
# shared libraries and the fonts, that other programs share. The programs:
#   bare_window           the floor: Xlib alone maps a 500x35 window and
#                         fills it once (bench/bare_window.c, built here)
#   scoutlane_e2e_demo    the window layer alone: the 500x35 tool window
#   scoutlane_demo_form   the framework's form from its layout: gradient
#                         panel, labels, speed button, popup menu, hint
#                         window and error box installed
#   BENCH_PROGRAM         one more, when named (the search bar, for example);
#                         several separated by ":" (two builds of the search
#                         bar side by side, say), paths without blanks
#   dmenu                 a one-line menu: `echo x | dmenu`; it draws as it
#                         maps, so its mapped time is its first frame
# A program named Scoutlane (the search bar) runs from a copy in a folder of
# its own, with a stand-in xdg-open first on PATH, and is driven after its
# first frame (bench/startup-steps.sh): its memory is also reported after a
# search and after the site list has been opened and closed once.
# Every program starts at each desktop scale of BENCH_DPIS (default
# "96 192", set as Xft.dpi by xrdb, as a desktop does), so the first frame
# at 200 % is reported beside the one at 100 %. The runs take turns, so that
# a busy machine slows them all alike. Each figure is the median of RUNS runs
# (default 9). Last, every program's first frame as a multiple of the
# floor's and of dmenu's, and its resident memory and peak beside dmenu's.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
runs=${2:-9}
probe=$build/e2e/scoutlane_xprobe
programs=("$build/e2e/scoutlane_e2e_demo" "$build/e2e/scoutlane_demo_form")
if [ -n "${BENCH_PROGRAM:-}" ]; then
  IFS=: read -r -a named <<<"$BENCH_PROGRAM"
  programs+=("${named[@]}")
fi
for tool in "$probe" "${programs[@]}"; do
  if [ ! -x "$tool" ]; then
    echo "startup.sh: $tool is not built" \
      "(cmake --build $build --target scoutlane_xprobe scoutlane_e2e_demo scoutlane_demo_form)" >&2
    exit 1
  fi
done
command -v dmenu >/dev/null || { echo "startup.sh: dmenu is not installed (suckless-tools)" >&2; exit 1; }

# The search bar's settings and history stay out of the build tree, and its
# searches reach a browser that does nothing.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/bin"
printf '#!/bin/sh\nexit 0\n' >"$scratch/bin/xdg-open"
chmod +x "$scratch/bin/xdg-open"
cc -O2 -o "$scratch/bare_window" "$here/bench/bare_window.c" -lX11
programs=("$scratch/bare_window" "${programs[@]}")
for i in "${!programs[@]}"; do
  if [ "$(basename "${programs[i]}")" = Scoutlane ]; then
    mkdir -p "$scratch/app$i"
    cp "${programs[i]}" "$scratch/app$i/Scoutlane"
    programs[i]=$scratch/app$i/Scoutlane
  fi
done

command -v xrdb >/dev/null || { echo "startup.sh: xrdb is not installed (x11-xserver-utils)" >&2; exit 1; }
export DPIS=${BENCH_DPIS:-96 192}
export PROBE=$probe RUNS=$runs PROGRAMS="${programs[*]}" STEPS=$here/bench/startup-steps.sh
export PATH="$scratch/bin:$PATH"
bash "$here/tests/e2e/run-with-x.sh" --wm none -- bash -c '
  set -euo pipefail
  median() { sort -n | awk "{ v[NR] = \$1 } END { if (NR == 0) print \"-\"; else print v[int((NR + 1) / 2)] }"; }
  value() { grep "^$1=" | cut -d= -f2; }
  read -r -a programs <<<"$PROGRAMS"
  read -r -a dpis <<<"$DPIS"
  results=$(mktemp -d)
  for _ in $(seq "$RUNS"); do
    for dpi in "${dpis[@]}"; do
      echo "Xft.dpi: $dpi" | xrdb -merge
      export BENCH_DPI=$dpi
      for i in "${!programs[@]}"; do
        steps=()
        [ "$(basename "${programs[i]}")" = Scoutlane ] && steps=(--steps "$STEPS")
        SCOUTLANE_REPORT_FIRST_FRAME=1 "$PROBE" launch "${steps[@]}" "${programs[i]}" </dev/null >>"$results/$i.$dpi"
      done
    done
    echo x | "$PROBE" launch dmenu >>"$results/dmenu"
  done
  row() {  # NAME FILE FRAME_TOO
    local frame=- reported=-
    if [ "$3" = 1 ]; then
      frame=$(value frame_ms <"$2" | median)
      reported=$(value reported_ms <"$2" | median)
    fi
    printf "%-24s %10s %10s %12s %10s %10s %10s\n" "$1" "$(value mapped_ms <"$2" | median)" \
      "$frame" "$reported" "$(value vmrss_kb <"$2" | median)" "$(value vmhwm_kb <"$2" | median)" \
      "$(value rssanon_kb <"$2" | median)"
  }
  printf "%-24s %10s %10s %12s %10s %10s %10s\n" program mapped_ms frame_ms reported_ms rss_kb hwm_kb anon_kb
  for dpi in "${dpis[@]}"; do
    for i in "${!programs[@]}"; do row "$(basename "${programs[i]}") @$dpi" "$results/$i.$dpi" 1; done
  done
  row "dmenu (echo x | dmenu)" "$results/dmenu" 0
  echo "($RUNS runs each, taking turns; medians; times from fork, in milliseconds)"
  for i in "${!programs[@]}"; do
    cp "$results/$i.${dpis[0]}" "$results/$i"
    grep -q "^search_rss_kb=" "$results/$i" || continue
    echo
    printf "%-34s %10s %10s\n" "$(basename "${programs[i]}") @${dpis[0]}: resident" rss_kb anon_kb
    printf "%-34s %10s %10s\n" "after the first frame" "$(value vmrss_kb <"$results/$i" | median)" \
      "$(value rssanon_kb <"$results/$i" | median)"
    printf "%-34s %10s %10s\n" "after a search" "$(value search_rss_kb <"$results/$i" | median)" \
      "$(value search_anon_kb <"$results/$i" | median)"
    printf "%-34s %10s %10s\n" "after the site list opened, closed" \
      "$(value popup_rss_kb <"$results/$i" | median)" "$(value popup_anon_kb <"$results/$i" | median)"
    printf "%-34s %10s %10s\n" "dmenu, at its first frame" "$(value vmrss_kb <"$results/dmenu" | median)" \
      "$(value rssanon_kb <"$results/dmenu" | median)"
  done
  echo
  printf "%-24s %10s %10s %10s %10s\n" "beside the floor, dmenu" frame/floor frame/dmenu \
    rss/dmenu hwm/dmenu
  ratio() { awk -v a="$1" -v b="$2" "BEGIN { if (a + 0 > 0 && b + 0 > 0) printf \"%.2f\", a / b; else print \"-\" }"; }
  floor_frame=$(value frame_ms <"$results/0" | median)
  dmenu_frame=$(value mapped_ms <"$results/dmenu" | median)
  dmenu_rss=$(value vmrss_kb <"$results/dmenu" | median)
  dmenu_hwm=$(value vmhwm_kb <"$results/dmenu" | median)
  for i in "${!programs[@]}"; do
    frame=$(value frame_ms <"$results/$i" | median)
    printf "%-24s %10s %10s %10s %10s\n" "$(basename "${programs[i]}")" \
      "$(ratio "$frame" "$floor_frame")" "$(ratio "$frame" "$dmenu_frame")" \
      "$(ratio "$(value vmrss_kb <"$results/$i" | median)" "$dmenu_rss")" \
      "$(ratio "$(value vmhwm_kb <"$results/$i" | median)" "$dmenu_hwm")"
  done
  echo "(dmenu draws as it maps: its mapped time is its first frame)"
  rm -rf "$results"
'
