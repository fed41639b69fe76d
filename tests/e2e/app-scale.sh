#!/usr/bin/env bash
# The search bar at the desktop's scale: with Xft.dpi loaded by xrdb before
# the start (E2E_DPI: 144 or 192) the bar's client area, the keyword box and
# the site list are the layout's at 96 times the scale, each edge rounded to
# the nearest pixel. A click at the scaled place of the keyword box focuses
# it, typed text and Enter search, the list opens below the picker at the
# scaled size and a click on a scaled row's box ticks its site.
#
# Golden screenshots: tests/e2e/golden/app-start-$E2E_DPI.png (the bar) and
# app-popup-$E2E_DPI.png (the open list), app-history-$E2E_DPI.png (the
# history list). SCOUTLANE_UPDATE_GOLDEN=1 makes
# them anew; look at them before committing.
source "$(dirname "$0")/lib.sh"

: "${E2E_APP:?the program is not named}"
: "${E2E_DPI:?the scale is not named}"
GOLDEN_DIR="$(cd "$(dirname "$0")" && pwd)/golden"

# A length at 96 dpi on this screen: the program's rounding (halves up, for
# the positive values used here).
s() { echo $((($1 * E2E_DPI + 48) / 96)); }

APP_DIR="$E2E_TMP/app"
mkdir -p "$APP_DIR" "$E2E_TMP/bin"
cp "$E2E_APP" "$APP_DIR/Scoutlane"
INI="$APP_DIR/Scoutlane.ini"
install_xdg_open_standin
# Sites 0 and 3 ticked and site 5 current, as an earlier run would leave
# them, and three keywords in the history.
printf '[SET]\r\nFRON=1\r\nREF=5\r\nSITE0=1\r\nSITE3=1\r\n[History]\r\nHistoryCount=3\r\nHistory0=alpha\r\nHistory1=beta\r\nHistory2=gamma\r\n' >"$INI"

echo "Xft.dpi: $E2E_DPI" | xrdb -merge || abort "xrdb could not set the scale"

(cd / && PATH="$E2E_TMP/bin:$PATH" LC_ALL=C.UTF-8 exec "$APP_DIR/Scoutlane") >"$DEMO_OUT" 2>"$DEMO_ERR" &
DEMO_PID=$!
find_window() { xdotool search --name "^Scoutlane' 2010\$" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(find_window)" ]; }
wait_for 20 has_window || abort "the program showed no window"
DEMO_WIN=$(find_window)
wait_for 10 viewable "$DEMO_WIN" || abort "the window was never mapped"

LEFT=$(s 20)
TOP=$(s 20)
WIDTH=$(s 500)
HEIGHT=$(s 35)
geometry_is() { [ "$("$E2E_PROBE" geometry "$DEMO_WIN")" = "$1" ]; }
wait_for 10 geometry_is "$LEFT $TOP $WIDTH $HEIGHT"
expect_eq "$("$E2E_PROBE" geometry "$DEMO_WIN")" "$LEFT $TOP $WIDTH $HEIGHT" \
  "client area scaled from 20,20 500x35"
expect_true "nothing said on standard error" test ! -s "$DEMO_ERR"
wait_for 10 pixel_is "$LEFT" "$TOP" 0000FF || abort "the first frame never showed"
sleep 0.5

compare_golden() {  # NAME GEOMETRY WHAT
  local golden="$GOLDEN_DIR/$1-$E2E_DPI.png"
  if [ "${SCOUTLANE_UPDATE_GOLDEN:-}" = 1 ]; then
    import -window root -crop "$2" +repage "$golden" 2>/dev/null
    echo "golden screenshot written: $golden"
    return
  fi
  import -window root -crop "$2" +repage "$E2E_TMP/$1.png" 2>/dev/null
  local differing
  differing=$(compare -metric AE "$golden" "$E2E_TMP/$1.png" null: 2>&1)
  expect_eq "$differing" 0 "$3 matches its golden screenshot pixel for pixel"
  if [ "$differing" != 0 ]; then
    cp "$E2E_TMP/$1.png" "${TMPDIR:-/tmp}/$1-$E2E_DPI.actual.png"
    echo "as shown: ${TMPDIR:-/tmp}/$1-$E2E_DPI.actual.png"
  fi
}
compare_golden app-start "${WIDTH}x${HEIGHT}+${LEFT}+${TOP}" "the scaled bar"

# ---- the site list: the picker is at 66,8 of the client area, 160 wide;
# its list is 160x182 at 96 dpi.
POPUP_W=$(s 160)
POPUP_H=$(s 182)
popup_id() {
  xwininfo -root -tree 2>/dev/null | awk -v size=" ${POPUP_W}x${POPUP_H}+" 'index($0, size) && !found { print $1; found = 1 }'
}
popup_open() {
  local id
  id=$(popup_id) && [ -n "$id" ] && [[ "$(xwininfo -id "$id" 2>/dev/null)" == *"Map State: IsViewable"* ]]
}
popup_closed() { ! popup_open; }
xdotool mousemove $((LEFT + $(s 110))) $((TOP + $(s 18))) click 1
wait_for 10 popup_open || abort "a click on the scaled picker did not open its list"
read -r PX PY PW PH <<<"$("$E2E_PROBE" geometry "$(popup_id)")"
expect_eq "$PX $PW $PH" "$((LEFT + $(s 66))) $POPUP_W $POPUP_H" "the list is the scaled size, at the picker's left"
# Under the picker: below its top edge (8 in the client area) and no lower
# than the bar's bottom.
expect_true "the list opens below the picker (at $PY)" \
  test "$PY" -gt $((TOP + $(s 8))) -a "$PY" -le $((TOP + HEIGHT))
sleep 0.3
compare_golden app-popup "${PW}x${PH}+${PX}+${PY}" "the scaled list"

# The rows, found on the screen as app-picker.sh does: down a column through
# the boxes' left edges, each run that differs from the background is a box.
# The background starts below the list's border, one line at the scale.
import -window root -crop "1x${PH}+$((PX + $(s 6)))+$PY" +repage "$E2E_TMP/column.txt" 2>/dev/null
mapfile -t ROW_Y < <(awk -v top="$PY" -v border="$(s 1)" '
  NR == 1 { next }
  { y = NR - 2; c = $3 }
  y == border { background = c }
  y < border { next }
  c != background && start < 0 { start = y }
  c == background && start >= 0 { if (y - start >= 6) print top + int((start + y - 1) / 2); start = -1 }
  BEGIN { start = -1 }' "$E2E_TMP/column.txt")
expect_true "the list shows rows" test "${#ROW_Y[@]}" -ge 5
# Site 1 (the second row) gets its tick from a click on its scaled box.
xdotool mousemove $((PX + $(s 10))) "${ROW_Y[1]}" click 1
sleep 0.3
xdotool key Escape
wait_for 10 popup_closed || fail "Escape did not close the list"

# ---- the history list: the keyword box's drop button is the last 17
# pixels (scaled) inside its edge; the list is as wide as the box, under
# it, three rows of the layout's 12 pixels (scaled) in a frame.
history_id() {
  xwininfo -root -tree 2>/dev/null |
    awk -v w=" ${POPUP_W}x" -v h="x${POPUP_H}+" 'index($0, w) && !index($0, h) && !found { print $1; found = 1 }'
}
history_open() {
  local id
  id=$(history_id) && [ -n "$id" ] && [[ "$(xwininfo -id "$id" 2>/dev/null)" == *"Map State: IsViewable"* ]]
}
xdotool mousemove $((LEFT + $(s 446) - 2 - $(s 8))) $((TOP + $(s 18))) click 1
wait_for 10 history_open || abort "a click on the scaled drop button did not open the history"
read -r HX HY HW HH <<<"$("$E2E_PROBE" geometry "$(history_id)")"
expect_eq "$HX $HW" "$((LEFT + $(s 286))) $POPUP_W" "the history list lies under the box, as wide"
expect_true "the history list has three scaled rows ($HH high)" \
  test "$HH" -ge $((3 * $(s 12))) -a "$HH" -le $((3 * $(s 12) + 4))
xdotool mousemove $((HX + HW - 4)) $((HY + HH + 40))
sleep 0.3
compare_golden app-history "${HW}x${HH}+${HX}+${HY}" "the scaled history list"
xdotool key Escape
sleep 0.3

# ---- the keyword box: at 286,8 of the client area at 96 dpi, 160 wide.
xdotool mousemove $((LEFT + $(s 366))) $((TOP + $(s 18))) click 1
sleep 0.3
xdotool type --delay 40 "abc"
xdotool key Return
opened_three() { [ "$(wc -l <"$OPENED")" -ge 3 ]; }
wait_for 10 opened_three
sleep 0.3
expect_eq "$(opened_addresses)" "http://www.google.co.jp/search?q=abc&hl=ja
http://search.yahoo.co.jp/search?p=abc&hc=0&hs=0
http://ja.wikipedia.org/wiki/abc" "Enter searched the ticked sites, the new tick included"

"$E2E_PROBE" delete "$DEMO_WIN"
demo_exit_code
expect_eq "$?" 0 "exit code 0 after the close button"
ini=$(tr -d '\r' <"$INI")
expect_true "the tick taken on the scaled row is stored" grep -q '^SITE1=1$' <<<"$ini"
expect_true "no key of the scale in the settings" bash -c "! grep -qi dpi <<<\"\$1\"" _ "$ini"

report
