#!/usr/bin/env bash
# The keyword history box's drop-down list in the real search bar, as a
# person uses it: a click on the box's drop button opens the list of earlier
# keywords under the box, the row under the pointer is highlighted, a click
# on a row puts its keyword into the box and closes the list (Enter then
# searches for it), and a press elsewhere closes the list and still does
# what it was aimed at (here: opening the site picker).
source "$(dirname "$0")/lib.sh"

: "${E2E_APP:?the program is not named}"

APP_DIR="$E2E_TMP/app"
mkdir -p "$APP_DIR" "$E2E_TMP/bin"
cp "$E2E_APP" "$APP_DIR/Scoutlane"
INI="$APP_DIR/Scoutlane.ini"
install_xdg_open_standin

# Site 0 ticked; three keywords in the history, newest first.
printf '[SET]\r\nFRON=1\r\nREF=0\r\nSITE0=1\r\n[History]\r\nHistoryCount=3\r\nHistory0=alpha\r\nHistory1=beta\r\nHistory2=gamma\r\n' >"$INI"

(cd / && PATH="$E2E_TMP/bin:$PATH" LC_ALL=C.UTF-8 exec "$APP_DIR/Scoutlane") >"$DEMO_OUT" 2>"$DEMO_ERR" &
DEMO_PID=$!
find_window() { xdotool search --name "^Scoutlane' 2010\$" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(find_window)" ]; }
wait_for 20 has_window || abort "the program showed no window"
DEMO_WIN=$(find_window)
wait_for 10 viewable "$DEMO_WIN" || abort "the window was never mapped"
wait_for 10 pixel_is 20 20 0000FF || abort "the first frame never showed"

# The box lies at 286,8 of the client area (which starts at 20,20), 160x20;
# its drop button is the last 17 pixels inside its 2-pixel edge. The list
# is as wide as the box, right under it: three rows of the layout's 12
# pixels in a one-pixel frame.
BUTTON_X=$((20 + 286 + 160 - 2 - 8))
BUTTON_Y=$((20 + 8 + 10))
LIST_X=$((20 + 286))
LIST_Y=$((20 + 8 + 20))
row_y() { echo $((LIST_Y + 1 + $1 * 12 + 6)); }
# A point of a row right of its text: the row's fill.
fill_x=$((LIST_X + 150))
list_id() { xwininfo -root -tree 2>/dev/null | awk '/ 160x38\+/ && !found { print $1; found = 1 }'; }
list_open() {
  local id
  id=$(list_id) && [ -n "$id" ] && [[ "$(xwininfo -id "$id" 2>/dev/null)" == *"Map State: IsViewable"* ]]
}
list_closed() { ! list_open; }

# ---- opened by the drop button, under the box
xdotool mousemove $BUTTON_X $BUTTON_Y click 1
wait_for 10 list_open || abort "a click on the drop button did not open the list"
expect_eq "$("$E2E_PROBE" geometry "$(list_id)")" "$LIST_X $LIST_Y 160 38" "the list lies under the box, three rows high"

# ---- the row under the pointer is highlighted (clHighlight), the others
# keep the box's white
xdotool mousemove $((LIST_X + 40)) "$(row_y 1)"
wait_for 5 pixel_is $fill_x "$(row_y 1)" 3399FF
expect_eq "$(pixel $fill_x "$(row_y 1)")" 3399FF "the row under the pointer is highlighted"
expect_eq "$(pixel $fill_x "$(row_y 0)")" FFFFFF "the row above it is not"
expect_eq "$(pixel $fill_x "$(row_y 2)")" FFFFFF "the row below it is not"

# ---- a click chooses the row and closes the list; Enter searches for it
xdotool click 1
wait_for 10 list_closed
expect_true "a click on a row closes the list" list_closed
: >"$OPENED"
xdotool key Return
opened_once() { [ "$(wc -l <"$OPENED")" -ge 1 ]; }
wait_for 10 opened_once
expect_eq "$(opened_addresses)" "https://www.google.co.jp/search?q=beta&hl=ja" "the chosen keyword was searched"

# ---- a press elsewhere closes the list and goes on to its target: a press
# on the site picker's face opens the picker's own list
xdotool mousemove $BUTTON_X $BUTTON_Y click 1
wait_for 10 list_open || abort "the list did not open again"
picker_open() {
  local id
  id=$(xwininfo -root -tree 2>/dev/null | awk '/ 160x182\+/ && !found { print $1; found = 1 }')
  [ -n "$id" ] && [[ "$(xwininfo -id "$id" 2>/dev/null)" == *"Map State: IsViewable"* ]]
}
xdotool mousemove 130 38 click 1
wait_for 10 list_closed
expect_true "a press elsewhere closes the list" list_closed
wait_for 10 picker_open
expect_true "the press went on and opened the site picker" picker_open
xdotool key Escape

"$E2E_PROBE" delete "$DEMO_WIN"
demo_exit_code
expect_eq "$?" 0 "exit code 0 after the close button"
report
