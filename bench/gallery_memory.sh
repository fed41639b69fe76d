#!/usr/bin/env bash
# Resident memory of the control gallery around its font list (not a test:
# it prints figures and never fails on them), on a private Xvfb without a
# window manager:
#
#   bash bench/gallery_memory.sh [BUILD_DIR]
#
# With this machine's fonts, and with a font configuration of 1,000 bitmap
# faces (written as BDF text into a temporary directory, with the IPA fonts
# for the window's own text), it reads VmRSS and RssAnon of the gallery:
#   start      at its first frame
#   shown      after the font list (every name in its own face) was opened
#              and closed once
#   pass N     after the list was paged through to its end and closed, for
#              each of PASSES passes (default 3)
# The list shows each name in its own face; faces it no longer shows are
# released, so the passes stay where the first one ended however long the
# list is.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
gallery=$build/Gallery
probe=$build/e2e/scoutlane_xprobe
for tool in "$gallery" "$probe"; do
  if [ ! -x "$tool" ]; then
    echo "gallery_memory.sh: $tool is not built (cmake --build $build --target Gallery scoutlane_xprobe)" >&2
    exit 1
  fi
done

if [ -z "${DISPLAY_READY:-}" ]; then
  DISPLAY_READY=1 exec bash "$here/tests/e2e/run-with-x.sh" --wm none -- bash "$0" "$build"
fi

work=$(mktemp -d)
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# One bitmap font, then 999 copies under other family names.
mkdir -p "$work/fonts/bdf"
{
  printf 'STARTFONT 2.1\nFONT -bench-FAMILY-medium-r-normal--8-80-75-75-c-60-iso10646-1\n'
  printf 'SIZE 8 75 75\nFONTBOUNDINGBOX 5 7 0 0\nSTARTPROPERTIES 8\n'
  printf 'FAMILY_NAME "FAMILY"\nWEIGHT_NAME "Medium"\nSLANT "R"\nPIXEL_SIZE 8\n'
  printf 'FONT_ASCENT 7\nFONT_DESCENT 1\nCHARSET_REGISTRY "ISO10646"\nCHARSET_ENCODING "1"\n'
  printf 'ENDPROPERTIES\nCHARS 94\n'
  for code in $(seq 33 126); do
    printf 'STARTCHAR C%d\nENCODING %d\nSWIDTH 750 0\nDWIDTH 6 0\n' "$code" "$code"
    printf 'BBX 5 7 0 0\nBITMAP\nF8\n88\n88\n88\n88\n88\nF8\nENDCHAR\n'
  done
  printf 'ENDFONT\n'
} >"$work/template.bdf"
for i in $(seq -w 0 999); do
  sed "s/FAMILY/Bench Face $i/" "$work/template.bdf" >"$work/fonts/bdf/$i.bdf"
done
cat >"$work/fonts/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <dir>$work/fonts/bdf</dir>
  <dir>/usr/share/fonts/opentype/ipafont-gothic</dir>
  <cachedir>$work/fonts/cache</cachedir>
</fontconfig>
CONF
FC_CACHE_CONFIG="$work/fonts/fonts.conf"
FONTCONFIG_FILE=$FC_CACHE_CONFIG fc-cache "$work/fonts/bdf" /usr/share/fonts/opentype/ipafont-gothic >/dev/null 2>&1 || true

status_kb() { awk -v k="$1:" '$1 == k { print $2 }' "/proc/$pid/status"; }
figures() { echo "$(status_kb VmRSS) $(status_kb RssAnon)"; }
window() { xdotool search --name "^Scoutlane コントロールギャラリー\$" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(window)" ]; }
list_open() { xwininfo -root -tree 2>/dev/null | awk '/ 300x260\+/ { found = 1 } END { exit !found }'; }
list_closed() { ! list_open; }
wait_for() {
  local end=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.05
  done
}

measure() {  # NAME [ENV...]
  local name=$1
  shift
  mkdir -p "$work/config"
  (cd "$work" && exec env XDG_CONFIG_HOME="$work/config" "$@" "$gallery") >/dev/null 2>&1 &
  pid=$!
  wait_for 30 has_window
  local win
  win=$(window)
  sleep 1
  local start shown
  start=$(figures)
  # The drop button of the font picker (90,90 in the client area, 220 wide).
  local geometry x y
  geometry=$("$probe" geometry "$win")
  read -r x y _ <<<"$geometry"
  xdotool mousemove $((x + 302)) $((y + 100)) click 1
  wait_for 10 list_open
  sleep 0.5
  xdotool key Escape
  wait_for 10 list_closed
  sleep 0.5
  shown=$(figures)
  page_through() {
    xdotool mousemove $((x + 302)) $((y + 100)) click 1
    wait_for 10 list_open
    local pages=$((1000 / 16 + 2))
    for _ in $(seq "$pages"); do
      xdotool key Next
      sleep 0.02
    done
    sleep 0.5
    xdotool key Escape
    wait_for 10 list_closed
    sleep 0.5
  }
  local passes=()
  for _ in $(seq "${PASSES:-3}"); do
    page_through
    passes+=("$(figures)")
  done
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  pid=""
  local rss="VmRSS kB: start ${start% *}, shown ${shown% *}, passes"
  local anon="RssAnon kB: start ${start#* }, shown ${shown#* }, passes"
  local p
  for p in "${passes[@]}"; do
    rss+=" ${p% *}"
    anon+=" ${p#* }"
  done
  echo "$name"
  echo "  $rss"
  echo "  $anon"
}

measure "this machine's fonts" LC_ALL=C.UTF-8
measure "1,000 faces" LC_ALL=C.UTF-8 FONTCONFIG_FILE="$work/fonts/fonts.conf"
