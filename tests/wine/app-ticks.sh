#!/usr/bin/env bash
# The site picker's ticks and the keyword history of Scoutlane.exe under
# Wine survive a restart, in Scoutlane.ini beside the .exe (code page 932,
# CRLF line ends):
#
# - the picker's list opens on a click on its face, under the picker, and
#   looks like the Linux program's golden picture of it;
# - ticks set and cleared on the rows' check boxes decide which sites Enter
#   opens;
# - after a restart the same sites open, and the history holds both
#   keywords, newest first; the keyword box's drop-down list shows them and
#   a click on a row searches for it again.
#
# Golden screenshot: tests/e2e/golden/app-popup.png, made by the Linux
# program (tests/e2e/app-picker.sh).
source "$(dirname "$0")/wine-lib.sh"

GOLDEN="$E2E_GOLDEN/app-popup.png"
install_xdg_open_standin
# Sites 0 and 3 ticked and site 5 current, as an earlier run would leave them.
printf '[SET]\r\nFRON=1\r\nREF=5\r\nSITE0=1\r\nSITE3=1\r\n' >"$INI"

# The list is the one window of the program that is 160x182 (its size in the
# window's layout); it is destroyed when it closes.
popup_id() { xwininfo -root -tree 2>/dev/null | awk '/ 160x182\+/ && !found { print $1; found = 1 }'; }
popup_open() {
  local id
  id=$(popup_id) && [ -n "$id" ] && [[ "$(xwininfo -id "$id" 2>/dev/null)" == *"Map State: IsViewable"* ]]
}
popup_closed() { ! popup_open; }

# The picker's face (client 66,8, 160 wide) and the keyword box (286,8,
# 160x20) with its drop button, on the client area at 20,20.
FACE_X=130
FACE_Y=38
KEYWORD_X=386
KEYWORD_Y=38
DROP_X=$((20 + 286 + 160 - 2 - 8))
DROP_Y=$((20 + 8 + 10))

open_by_click() {
  xdotool mousemove $FACE_X $FACE_Y click 1
  wait_for 10 popup_open
}

# The rows, found on the screen as in tests/e2e/app-picker.sh: down a column
# through the check boxes' left edges (6 pixels into the list), every run of
# pixels unlike the list's background is one box.
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
click_box() { xdotool mousemove $((POPUP_X + 10)) "${ROW_Y[$1]}" click 1; }

search() {  # KEYWORD COUNT
  : >"$OPENED"
  xdotool mousemove $KEYWORD_X $KEYWORD_Y click 1
  sleep 0.2
  xdotool key ctrl+a
  xdotool type --delay 30 "$1"
  xdotool key Return
  wait_for 20 opened_at_least "$2"
  # Nothing more may follow.
  sleep 0.5
}
set_keys() {
  ini_text | awk '/^\[/ { in_set = ($0 == "[SET]") } in_set && /^(SITE[0-9]|REF)=/ { print }' | sort | tr '\n' ' '
}

start_app

# ---- opened by a click on the face; its look
open_by_click || abort "a click on the face did not open the list"
expect_eq "$("$E2E_PROBE" geometry "$(popup_id)")" "86 48 160 182" "the list is 160x182 under the picker"
sleep 0.3
import -window root -crop 160x182+86+48 +repage "$E2E_TMP/popup.png" 2>/dev/null
differing=$(compare -metric AE "$GOLDEN" "$E2E_TMP/popup.png" null: 2>&1)
expect_eq "$differing" 0 "the open list matches the Linux golden screenshot pixel for pixel"
if [ "$differing" != 0 ]; then
  cp "$E2E_TMP/popup.png" "${TMPDIR:-/tmp}/wine-app-popup.actual.png"
  echo "the list as shown: ${TMPDIR:-/tmp}/wine-app-popup.actual.png"
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
xdotool key Escape
wait_for 10 popup_closed || fail "Escape did not close the list"

SITES="https://news.google.co.jp/news?q=%s&hl=ja&ned=jp
https://www.bing.com/search?q=%s&cc=jp
https://www.youtube.com/results?search_query=%s&gl=JP&hl=ja"
search "abc" 3
expect_eq "$(opened_sorted)" "${SITES//%s/abc}" "Enter opened the three ticked sites"

close_app "first run"
expect_eq "$(set_keys)" "REF=5 SITE0=0 SITE1=0 SITE2=1 SITE3=0 SITE4=0 SITE5=1 SITE6=0 SITE7=1 SITE8=0 SITE9=0 " \
  "the ticks are in the settings file"

# ---- the ticks survive a restart
start_app
search "xyz" 3
expect_eq "$(opened_sorted)" "${SITES//%s/xyz}" "after a restart the same three sites are searched"

# ---- the history's drop-down list: two rows (12 pixels each, in a
# one-pixel frame) under the keyword box, newest first; a click on the
# second searches for abc again
list_id() { xwininfo -root -tree 2>/dev/null | awk '/ 160x26\+/ && !found { print $1; found = 1 }'; }
list_open() {
  local id
  id=$(list_id) && [ -n "$id" ] && [[ "$(xwininfo -id "$id" 2>/dev/null)" == *"Map State: IsViewable"* ]]
}
list_closed() { ! list_open; }
xdotool mousemove $DROP_X $DROP_Y click 1
expect_true "the drop button opens the history list" wait_for 10 list_open
expect_eq "$("$E2E_PROBE" geometry "$(list_id)")" "306 48 160 26" "the list lies under the box, two rows high"
xdotool mousemove 346 $((48 + 1 + 12 + 6)) click 1
wait_for 10 list_closed || fail "a click on a row did not close the list"
: >"$OPENED"
# Without a window manager the keys go to the window under the pointer
# (Wine leaves the X focus to a manager): the pointer goes back to the box.
xdotool mousemove $KEYWORD_X $KEYWORD_Y
xdotool key Return
wait_for 20 opened_at_least 3
sleep 0.5
expect_eq "$(opened_sorted)" "${SITES//%s/abc}" "the history's second row is abc"

close_app "second run"
text=$(ini_text) || fail "the settings file is no CP932 with CRLF line ends"
expect_eq "$(grep '^History' <<<"$text" | tr '\n' ' ')" "HistoryCount=2 History0=abc History1=xyz " \
  "the history holds both keywords, the last searched first"

report
