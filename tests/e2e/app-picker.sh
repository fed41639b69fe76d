#!/usr/bin/env bash
# The site picker in the real search bar, used as a person would: the list
# opens on a click on the picker's face, ticks are set and cleared on the
# rows' check boxes, Enter searches the ticked sites in site order whatever
# order they were ticked in, the ticks survive a restart, a click on a
# site's text chooses it and closes the list, and Alt+Down and F4 open the
# list that Escape closes.
#
# Golden screenshot: tests/e2e/golden/app-popup.png, the open list as it
# first shows (sites 0 and 3 ticked, nothing under the pointer). To make it
# anew on purpose, run the test with SCOUTLANE_UPDATE_GOLDEN=1, look at the
# new picture and commit it.
source "$(dirname "$0")/lib.sh"

: "${E2E_APP:?the program is not named}"
GOLDEN="$(cd "$(dirname "$0")" && pwd)/golden/app-popup.png"

APP_DIR="$E2E_TMP/app"
mkdir -p "$APP_DIR" "$E2E_TMP/bin"
cp "$E2E_APP" "$APP_DIR/Scoutlane"
INI="$APP_DIR/Scoutlane.ini"
install_xdg_open_standin

# Sites 0 and 3 ticked and site 5 current, as an earlier run would leave them.
printf '[SET]\r\nFRON=1\r\nREF=5\r\nSITE0=1\r\nSITE3=1\r\n' >"$INI"

find_window() { xdotool search --name "^Scoutlane' 2010\$" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(find_window)" ]; }
start_app() {
  : >"$DEMO_OUT"
  (cd / && PATH="$E2E_TMP/bin:$PATH" LC_ALL=C.UTF-8 exec "$APP_DIR/Scoutlane") >>"$DEMO_OUT" 2>>"$DEMO_ERR" &
  DEMO_PID=$!
  wait_for 20 has_window || abort "the program showed no window"
  DEMO_WIN=$(find_window)
  wait_for 10 viewable "$DEMO_WIN" || abort "the window was never mapped"
  wait_for 10 pixel_is 20 20 0000FF || abort "the first frame never showed"
}
close_app() {
  "$E2E_PROBE" delete "$DEMO_WIN"
  demo_exit_code
  expect_eq "$?" 0 "exit code 0 after the close button"
}

# The list is the one window of the program that is 160x182 (its size in the
# window's layout); it is destroyed when it closes.
popup_id() { xwininfo -root -tree 2>/dev/null | awk '/ 160x182\+/ && !found { print $1; found = 1 }'; }
# xwininfo's output is always read to its end: under pipefail, a reader that
# stops early (grep -q, awk exit) fails the pipeline whenever xwininfo is cut
# off, and the check would fail at random.
popup_open() {
  local id
  id=$(popup_id) && [ -n "$id" ] && [[ "$(xwininfo -id "$id" 2>/dev/null)" == *"Map State: IsViewable"* ]]
}
popup_closed() { ! popup_open; }

# The picker's face: the client area starts at 20,20 and the picker at 66,8
# in it, 160 wide; its middle is well inside the face and off the button.
FACE_X=130
FACE_Y=38
KEYWORD_X=386
KEYWORD_Y=38

open_by_click() {
  xdotool mousemove $FACE_X $FACE_Y click 1
  wait_for 10 popup_open
}
close_by_escape() {
  xdotool key Escape
  wait_for 10 popup_closed
}

# Where the rows are. The row height follows from the font's text height
# (plus 4 for the check box), and the box's place from the check-box
# bitmap's size; rather than repeat those rules and the font's metrics here,
# the rows are found on the screen: down a column through the boxes' left
# edges (6 pixels into the list), every run of pixels that differ from the
# list's background is one box. Found once, with the pointer off the list,
# so no row is highlighted; the rows do not move afterwards (no recently-used
# rows in this window).
find_rows() {
  local geometry
  geometry=$(xwininfo -id "$(popup_id)" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF } END { print x, y }')
  read -r POPUP_X POPUP_Y <<<"$geometry"
  import -window root -crop "1x182+$((POPUP_X + 6))+$POPUP_Y" +repage "$E2E_TMP/column.txt" 2>/dev/null
  mapfile -t ROW_Y < <(awk -v top="$POPUP_Y" '
    NR == 1 { next }
    { y = NR - 2; c = $3 }
    y == 1 { background = c }
    y < 1 { next }
    c != background && start < 0 { start = y }
    c == background && start >= 0 { if (y - start >= 6) print top + int((start + y - 1) / 2); start = -1 }
    BEGIN { start = -1 }' "$E2E_TMP/column.txt")
}
box_x() { echo $((POPUP_X + 10)); }
text_x() { echo $((POPUP_X + 80)); }
click_box() { xdotool mousemove "$(box_x)" "${ROW_Y[$1]}" click 1; }

search() {  # KEYWORD LINES
  : >"$OPENED"
  xdotool mousemove $KEYWORD_X $KEYWORD_Y click 1
  sleep 0.2
  xdotool key ctrl+a
  xdotool type --delay 30 "$1"
  xdotool key Return
  opened_lines() { [ "$(wc -l <"$OPENED")" -ge "$2" ]; }
  wait_for 10 opened_lines "$1" "$2"
  # Nothing more may follow.
  sleep 0.3
}
set_keys() {
  tr -d '\r' <"$INI" | awk '/^\[/ { in_set = ($0 == "[SET]") } in_set && /^(SITE[0-9]|REF)=/ { print }' | sort | tr '\n' ' '
}

start_app

# ---- opened by a click on the face; its look
open_by_click || abort "a click on the face did not open the list"
expect_eq "$("$E2E_PROBE" geometry "$(popup_id)")" "86 48 160 182" "the list is 160x182 under the picker"
sleep 0.3
if [ "${SCOUTLANE_UPDATE_GOLDEN:-}" = 1 ]; then
  import -window root -crop 160x182+86+48 +repage "$GOLDEN" 2>/dev/null
  echo "golden screenshot written: $GOLDEN"
else
  import -window root -crop 160x182+86+48 +repage "$E2E_TMP/popup.png" 2>/dev/null
  differing=$(compare -metric AE "$GOLDEN" "$E2E_TMP/popup.png" null: 2>&1)
  expect_eq "$differing" 0 "the open list matches the golden screenshot pixel for pixel"
  if [ "$differing" != 0 ]; then
    cp "$E2E_TMP/popup.png" "${TMPDIR:-/tmp}/app-popup.actual.png"
    echo "the list as shown: ${TMPDIR:-/tmp}/app-popup.actual.png"
  fi
fi

find_rows
expect_eq "${#ROW_Y[@]}" 10 "ten rows with check boxes found on the screen"
[ "${#ROW_Y[@]}" -eq 10 ] || abort "cannot go on without the rows"

# ---- ticking out of order, and clearing the two old ticks
for site in 7 2 5 3 0; do
  click_box $site
  sleep 0.15
done
expect_true "the list stays open while boxes are clicked" popup_open
close_by_escape || fail "Escape did not close the list"

search "abc" 3
expect_eq "$(opened_addresses)" "https://www.bing.com/search?q=abc&cc=jp
https://news.google.co.jp/news?q=abc&hl=ja&ned=jp
https://www.youtube.com/results?search_query=abc&gl=JP&hl=ja" "Enter opened the ticked sites in site order"

close_app
expect_eq "$(set_keys)" "REF=5 SITE0=0 SITE1=0 SITE2=1 SITE3=0 SITE4=0 SITE5=1 SITE6=0 SITE7=1 SITE8=0 SITE9=0 " \
  "the ticks are in the settings file"

# ---- the ticks survive a restart
start_app
search "xyz" 3
expect_eq "$(opened_addresses)" "https://www.bing.com/search?q=xyz&cc=jp
https://news.google.co.jp/news?q=xyz&hl=ja&ned=jp
https://www.youtube.com/results?search_query=xyz&gl=JP&hl=ja" "after a restart the same three sites are searched"

# ---- untick all, then choose a site by its text
open_by_click || abort "a click on the face did not open the list after the restart"
for site in 5 2 7; do
  click_box $site
  sleep 0.15
done
expect_true "the list stays open while boxes are clicked" popup_open
xdotool mousemove "$(text_x)" "${ROW_Y[4]}" click 1
expect_true "a click on a site's text closes the list" wait_for 10 popup_closed
search "def" 1
expect_eq "$(opened_addresses)" "https://twitter.com/search?q=def" \
  "with nothing ticked the chosen site is searched"

# ---- the keys: Alt+Down and F4 open, Escape closes (the picker has the focus
# after a click on its face)
open_by_click || fail "a click on the face did not open the list"
close_by_escape || fail "Escape did not close the list"
xdotool key alt+Down
expect_true "Alt+Down opens the list" wait_for 10 popup_open
close_by_escape || fail "Escape did not close the list opened by Alt+Down"
xdotool key F4
expect_true "F4 opens the list" wait_for 10 popup_open
close_by_escape || fail "Escape did not close the list opened by F4"

close_app
expect_eq "$(set_keys)" "REF=4 SITE0=0 SITE1=0 SITE2=0 SITE3=0 SITE4=0 SITE5=0 SITE6=0 SITE7=0 SITE8=0 SITE9=0 " \
  "the chosen site is current and nothing is ticked in the settings file"

report
