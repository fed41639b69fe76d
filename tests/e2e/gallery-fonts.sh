#!/usr/bin/env bash
# The gallery's font-name picker on fonts the test controls: a fontconfig
# configuration of its own with a bitmap font written here (BDF is text),
# the IPA fonts, IPA Mincho renamed "Wingdings" (a symbol font of the
# picker's table) and IPA P Mincho made a device font.
#
# - the list opens on the drop button, each name drawn in its own face and
#   the "Wingdings" row with its sample (golden screenshot);
# - typing the start of a name completes it and Enter chooses it: the
#   sample line changes to that font;
# - with TrueType unticked the list holds only the bitmap and device fonts.
#
# Golden screenshot: tests/e2e/golden/gallery-fonts.png, the open list as it
# first shows. SCOUTLANE_UPDATE_GOLDEN=1 makes it anew; look at it before
# committing.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/gallery-lib.sh"
GOLDEN="$(cd "$(dirname "$0")" && pwd)/golden/gallery-fonts.png"

FONTS="$E2E_TMP/fonts"
mkdir -p "$FONTS/bdf"
# Every printable character is a 5x7 frame in a 6-pixel cell.
{
  printf 'STARTFONT 2.1\nFONT -test-Scout Bitmap-medium-r-normal--8-80-75-75-c-60-iso10646-1\n'
  printf 'SIZE 8 75 75\nFONTBOUNDINGBOX 5 7 0 0\nSTARTPROPERTIES 8\n'
  printf 'FAMILY_NAME "Scout Bitmap"\nWEIGHT_NAME "Medium"\nSLANT "R"\nPIXEL_SIZE 8\n'
  printf 'FONT_ASCENT 7\nFONT_DESCENT 1\nCHARSET_REGISTRY "ISO10646"\nCHARSET_ENCODING "1"\n'
  printf 'ENDPROPERTIES\nCHARS 95\n'
  for code in $(seq 32 126); do
    printf 'STARTCHAR C%d\nENCODING %d\nSWIDTH 750 0\nDWIDTH 6 0\n' "$code" "$code"
    if [ "$code" = 32 ]; then
      printf 'BBX 1 1 0 0\nBITMAP\n00\nENDCHAR\n'
    else
      printf 'BBX 5 7 0 0\nBITMAP\nF8\n88\n88\n88\n88\n88\nF8\nENDCHAR\n'
    fi
  done
  printf 'ENDFONT\n'
} >"$FONTS/bdf/scout.bdf"
cat >"$FONTS/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <dir>$FONTS/bdf</dir>
  <dir>/usr/share/fonts/opentype/ipafont-gothic</dir>
  <dir>/usr/share/fonts/opentype/ipafont-mincho</dir>
  <cachedir>$FONTS/cache</cachedir>
  <match target="scan">
    <test name="family"><string>IPAMincho</string></test>
    <edit name="family" mode="assign_replace"><string>Wingdings</string></edit>
  </match>
  <match target="scan">
    <test name="family"><string>IPAPMincho</string></test>
    <edit name="family" mode="assign_replace"><string>Device Mincho</string></edit>
    <edit name="outline" mode="assign"><bool>false</bool></edit>
  </match>
</fontconfig>
CONF

# The list is the one window of 300x260 (its size in the gallery's layout).
popup_id() { xwininfo -root -tree 2>/dev/null | awk '/ 300x260\+/ && !found { print $1; found = 1 }'; }
popup_open() {
  local id
  id=$(popup_id) && [ -n "$id" ] && [[ "$(xwininfo -id "$id" 2>/dev/null)" == *"Map State: IsViewable"* ]]
}
popup_closed() { ! popup_open; }
popup_origin() { "$E2E_PROBE" geometry "$(popup_id)" | cut -d' ' -f1,2; }

# The picker at 90,90 (220x20): its drop button at the right end, its text
# on the left. The sample line at 8,140 (504x36); TrueType at 320,90.
open_list() {
  click_at 302 100
  wait_for 10 popup_open
}
sample_png() { import -window root -crop "504x36+$((CLIENT_X + 8))+$((CLIENT_Y + 140))" +repage "$1" 2>/dev/null; }
differ() { compare -metric AE "$1" "$2" null: 2>&1; }

start_gallery FONTCONFIG_FILE="$FONTS/fonts.conf"

# ---- the open list, rows in their own faces, the symbol font's sample
open_list || abort "a click on the drop button did not open the font list"
read -r PX PY <<<"$(popup_origin)"
expect_eq "$PX $PY" "$((CLIENT_X + 90)) $((CLIENT_Y + 110))" "the list opens under the picker"
sleep 0.3
if [ "${SCOUTLANE_UPDATE_GOLDEN:-}" = 1 ]; then
  import -window root -crop "300x260+$PX+$PY" +repage "$GOLDEN" 2>/dev/null
  echo "golden screenshot written: $GOLDEN"
else
  import -window root -crop "300x260+$PX+$PY" +repage "$E2E_TMP/fonts.png" 2>/dev/null
  differing=$(differ "$GOLDEN" "$E2E_TMP/fonts.png")
  expect_eq "$differing" 0 "the open font list matches the golden screenshot pixel for pixel"
  if [ "$differing" != 0 ]; then
    cp "$E2E_TMP/fonts.png" "${TMPDIR:-/tmp}/gallery-fonts.actual.png"
    echo "the list as shown: ${TMPDIR:-/tmp}/gallery-fonts.actual.png"
  fi
fi
xdotool key Escape
expect_true "Escape closes the list" wait_for 10 popup_closed
expect_true "the gallery stays open while Escape closes a list" kill -0 "$DEMO_PID"

# ---- completion, Enter, and the sample line in the chosen font
sample_png "$E2E_TMP/sample0.png"
click_at 150 100
sleep 0.2
xdotool key ctrl+a
xdotool type --delay 60 "Scou"
sleep 0.3
# Completed: the rest of the name follows the typed start, selected.
import -window root -crop "190x14+$((CLIENT_X + 92))+$((CLIENT_Y + 93))" -depth 8 +repage "$E2E_TMP/face.txt" 2>/dev/null
expect_true "typing Scou completes the name, its tail selected" grep -q '#3399FF' "$E2E_TMP/face.txt"
xdotool key Return
sleep 0.3
import -window root -crop "190x14+$((CLIENT_X + 92))+$((CLIENT_Y + 93))" -depth 8 +repage "$E2E_TMP/face.txt" 2>/dev/null
expect_true "Enter takes the completed name: nothing is selected any more" \
  bash -c "! grep -q '#3399FF' '$E2E_TMP/face.txt'"
sleep 0.4
sample_png "$E2E_TMP/sample1.png"
expect_true "after Scou and Enter the sample line is drawn in another font" \
  test "$(differ "$E2E_TMP/sample0.png" "$E2E_TMP/sample1.png")" != 0
xdotool key ctrl+a
xdotool type --delay 60 "wing"
sleep 0.2
xdotool key Return
sleep 0.4
sample_png "$E2E_TMP/sample2.png"
expect_true "after wing and Enter the sample line changes again" \
  test "$(differ "$E2E_TMP/sample1.png" "$E2E_TMP/sample2.png")" != 0

# ---- TrueType unticked: the bitmap and the device font are left, two rows
click_at 352 100
sleep 0.3
open_list || abort "the list did not open with TrueType unticked"
read -r PX PY <<<"$(popup_origin)"
sleep 0.3
# Below the two rows (15 pixels each) the list is empty down to its strip.
import -window root -crop "296x180+$((PX + 2))+$((PY + 40))" +repage "$E2E_TMP/below.png" 2>/dev/null
expect_eq "$(convert "$E2E_TMP/below.png" -format '%k' info:)" 1 \
  "with TrueType unticked nothing is listed below the bitmap and the device font"
import -window root -crop "296x28+$((PX + 2))+$((PY + 2))" +repage "$E2E_TMP/rows.png" 2>/dev/null
expect_true "two rows are listed" test "$(convert "$E2E_TMP/rows.png" -format '%k' info:)" -gt 2
xdotool key Escape
wait_for 10 popup_closed || fail "Escape did not close the list"

xdotool key Escape
demo_exit_code
expect_eq "$?" 0 "a second Escape closes the gallery"

report
