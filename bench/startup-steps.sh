#!/usr/bin/env bash
# Run by scoutlane_xprobe (launch --steps) once the search bar has shown its
# first frame: a search, then the site list opened and closed once, with the
# program's resident memory (and its anonymous part) after each.
# PROBE_CHILD_PID names the program; the window is at 20,20 (no window
# manager) at 96 dpi, and every place is scaled by BENCH_DPI (default 96).
set -uo pipefail
pid=$PROBE_CHILD_PID
dpi=${BENCH_DPI:-96}
s() { echo $((($1 * dpi + 48) / 96)); }
field() { awk -v k="$1:" '$1 == k { print $2 }' "/proc/$pid/status"; }
report() {
  echo "$1_rss_kb=$(field VmRSS)"
  echo "$1_anon_kb=$(field RssAnon)"
}
# The keyword box, a keyword, Enter: one address to the stand-in browser.
xdotool mousemove "$(s 386)" "$(s 38)" click 1
sleep 0.2
xdotool type --delay 10 "abc"
xdotool key Return
sleep 0.5
report search
# A press on the picker's face opens the site list; Escape closes it.
xdotool mousemove "$(s 130)" "$(s 38)" click 1
sleep 0.5
xdotool key Escape
sleep 0.5
report popup
