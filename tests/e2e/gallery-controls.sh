#!/usr/bin/env bash
# The gallery's other controls as a person uses them: the caption-look
# buttons change the gradient panel, the site picker's list chooses a site
# and shows it in its recently-used section the next time, and the history
# box keeps what was entered in the registry store across a restart; a
# store that refuses the save shows the error box and the gallery ends with 1.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/gallery-lib.sh"

panel_png() { import -window root -crop "504x44+$((CLIENT_X + 8))+$((CLIENT_Y + 8))" +repage "$1" 2>/dev/null; }
differ() { compare -metric AE "$1" "$2" null: 2>&1; }
# The site list is the one window of 220x200.
site_list_id() { xwininfo -root -tree 2>/dev/null | awk '/ 220x200\+/ && !found { print $1; found = 1 }'; }
site_list_open() {
  local id
  id=$(site_list_id) && [ -n "$id" ] && [[ "$(xwininfo -id "$id" 2>/dev/null)" == *"Map State: IsViewable"* ]]
}
site_list_closed() { ! site_list_open; }
REGISTRY="$GALLERY_HOME/scoutlane/registry.txt"

start_gallery

# ---- the caption's look
panel_png "$E2E_TMP/raised.png"
click_at 120 68
sleep 0.3
panel_png "$E2E_TMP/flat.png"
expect_true "the flat caption differs from the raised one" \
  test "$(differ "$E2E_TMP/raised.png" "$E2E_TMP/flat.png")" != 0
click_at 180 68
sleep 0.3
panel_png "$E2E_TMP/shadow.png"
expect_true "the shadowed caption differs from the flat one" \
  test "$(differ "$E2E_TMP/flat.png" "$E2E_TMP/shadow.png")" != 0
click_at 240 68
sleep 0.3
panel_png "$E2E_TMP/raised2.png"
expect_eq "$(differ "$E2E_TMP/raised.png" "$E2E_TMP/raised2.png")" 0 "the raised caption comes back as it was"

# ---- the site picker: rows of 18 pixels (16-pixel images); the fourth row
# is WikiPedia
click_at 302 198
wait_for 10 site_list_open || abort "the site list did not open"
read -r SX SY _ <<<"$("$E2E_PROBE" geometry "$(site_list_id)")"
xdotool mousemove $((SX + 80)) $((SY + 1 + 3 * 18 + 9)) click 1
expect_true "a click on a site closes the list" wait_for 10 site_list_closed
click_at 302 198
wait_for 10 site_list_open || abort "the site list did not open again"
read -r SX SY _ <<<"$("$E2E_PROBE" geometry "$(site_list_id)")"
sleep 0.3
# The recently-used row (selected, as the current site) ends in the double
# line: 18 pixels of row, then black, the picker's white, black.
expect_eq "$("$E2E_PROBE" pixel $((SX + 100)) $((SY + 1 + 8)) $((SX + 100)) $((SY + 1 + 18)) $((SX + 100)) $((SY + 1 + 19)) $((SX + 100)) $((SY + 1 + 20)) | tr '\n' ' ')" \
  "3399FF 000000 FFFFFF 000000 " "the chosen site heads the list in a recently-used row"
xdotool key Escape
wait_for 10 site_list_closed || fail "Escape did not close the site list"

# ---- the history box on the registry store
click_at 150 232
sleep 0.2
xdotool type --delay 40 "first words"
xdotool key Return
xdotool key ctrl+a
xdotool type --delay 40 "second words"
xdotool key Return
sleep 0.2
xdotool key Escape
demo_exit_code
expect_eq "$?" 0 "Escape closes the gallery"
expect_true "the registry store holds the entries" grep -q "second words" "$REGISTRY"
stored=$(cat "$REGISTRY")

start_gallery
xdotool key Escape
demo_exit_code
expect_eq "$?" 0 "Escape closes the gallery again"
expect_eq "$(cat "$REGISTRY")" "$stored" "the entries were loaded and saved back unchanged"

# ---- a store that refuses the save (a file in its folder's place: the
# tests run as root, whom a read-only folder does not stop): the error box
# shows before the gallery ends, and it ends with status 1
rm -rf "$GALLERY_HOME/scoutlane"
echo "not a folder" >"$GALLERY_HOME/scoutlane"
start_gallery
click_at 150 232
sleep 0.2
xdotool type --delay 40 "lost words"
xdotool key Return
sleep 0.2
xdotool key Escape
error_box() {
  xdotool search --onlyvisible --name "^Scoutlane コントロールギャラリー\$" 2>/dev/null | grep -vx "$DEMO_WIN" | head -n 1
}
has_error_box() { [ -n "$(error_box)" ]; }
if wait_for 10 has_error_box; then
  echo "ok: the refused save shows the error box"
  box=$(error_box)
  wait_for 5 focus_is "$box" || fail "the error box did not get the focus"
  xdotool key Return
else
  fail "the refused save showed no error box"
fi
demo_exit_code
expect_eq "$?" 1 "a history that could not be saved ends the gallery with 1"

report
