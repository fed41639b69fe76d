#!/usr/bin/env bash
# The gallery's shine buttons on a real X server: the panel looks like its
# golden screenshot; hovering shows the hover look and moving away (or
# straight out of the window) ends it; a press dragged out and released
# outside does not click; the radio group moves Down between the shine and
# the stock buttons; the ClickDownHook button shows pressed while its
# message box is open, and shows no hover look when the pointer left the
# window while the box was open; Alt+K clicks the accelerator button.
#
# Golden screenshot: tests/e2e/golden/gallery-shine.png, the panel (client
# area 0,256 520x160) right after start with the pointer elsewhere.
# SCOUTLANE_UPDATE_GOLDEN=1 writes it anew.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/gallery-lib.sh"

GOLDEN="$(cd "$(dirname "$0")" && pwd)/golden/gallery-shine.png"

FACE_UP=F0F0F0       # clBtnFace: Colors.Color
FACE_PRESSED=FFFFFF  # clBtnHighlight: PressedColors.Color

client_pixel() { # X Y (client)
  # shellcheck disable=SC2046
  pixel $(at "$1" "$2")
}
client_pixel_is() { [ "$(client_pixel "$1" "$2")" = "$3" ]; }
client_pixel_is_not() { [ "$(client_pixel "$1" "$2")" != "$3" ]; }
move_to() { # X Y (client)
  # shellcheck disable=SC2046
  xdotool mousemove $(at "$1" "$2")
}
crop_client() { # W H X Y FILE
  import -window root -crop "$1x$2+$((CLIENT_X + $3))+$((CLIENT_Y + $4))" +repage "$5" 2>/dev/null
}
same_picture() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }
# The click counter beside the accelerator button.
status_label() { crop_client 120 16 126 382 "$1"; }
status_is() { status_label "$E2E_TMP/status-now.png" && same_picture "$1" "$E2E_TMP/status-now.png"; }
status_is_not() { status_label "$E2E_TMP/status-now.png" && ! same_picture "$1" "$E2E_TMP/status-now.png"; }

start_gallery
move_to 500 20
sleep 0.3

# ---- the panel as it starts
if [ "${SCOUTLANE_UPDATE_GOLDEN:-}" = 1 ]; then
  crop_client 520 160 0 256 "$GOLDEN"
  echo "golden screenshot written: $GOLDEN"
else
  crop_client 520 160 0 256 "$E2E_TMP/panel.png"
  differing=$(compare -metric AE "$GOLDEN" "$E2E_TMP/panel.png" null: 2>&1)
  expect_eq "$differing" 0 "the shine button panel matches the golden screenshot pixel for pixel"
  if [ "$differing" != 0 ]; then
    cp "$E2E_TMP/panel.png" "${TMPDIR:-/tmp}/gallery-shine.actual.png"
    echo "the panel as shown: ${TMPDIR:-/tmp}/gallery-shine.actual.png"
  fi
fi

# ---- hover: the XOR button's star centre turns from yellow to its XOR
# with the shine colour (FFD600 ^ FFFF00)
STAR_X=$((42 + 15))
STAR_Y=$((308 + 15))
expect_eq "$(client_pixel $STAR_X $STAR_Y)" FFD600 "the star shows its own yellow"
move_to $((STAR_X - 2)) $((STAR_Y + 2))
expect_true "hovering shows the hover look" wait_for 2 client_pixel_is $STAR_X $STAR_Y 002900
move_to 500 20
expect_true "moving away restores the up look" wait_for 2 client_pixel_is $STAR_X $STAR_Y FFD600

move_to $((STAR_X - 2)) $((STAR_Y + 2))
wait_for 2 client_pixel_is $STAR_X $STAR_Y 002900 || fail "the hover look came back"
xdotool mousemove 1010 760
expect_true "leaving the window straight from the button ends the hover look within the timer's period" \
  wait_for 1 client_pixel_is $STAR_X $STAR_Y FFD600

# ---- press, drag out, release outside: no click
status_label "$E2E_TMP/status0.png"
move_to 60 390
xdotool mousedown 1
expect_true "a press shows the pressed look" wait_for 2 client_pixel_is 11 379 $FACE_PRESSED
move_to 300 230
expect_true "dragged out, the button shows the up look" wait_for 2 client_pixel_is 11 379 $FACE_UP
xdotool mouseup 1
sleep 0.3
expect_true "a release outside does not click" status_is "$E2E_TMP/status0.png"

# ---- the accelerator clicks its button
wait_for 5 focus_is "$DEMO_WIN" || fail "the gallery has the focus for the accelerator"
xdotool key alt+k
expect_true "Alt+K clicks the accelerator button" wait_for 2 status_is_not "$E2E_TMP/status0.png"

# ---- the radio group of two shine buttons and one stock button
STOCK_X=161
STOCK_Y=345
stock_up=$(client_pixel $STOCK_X $STOCK_Y)
click_at 30 356
expect_true "the first shine button goes down" wait_for 2 client_pixel_is 11 347 $FACE_PRESSED
click_at 190 356
expect_true "the stock button goes down" wait_for 2 client_pixel_is_not $STOCK_X $STOCK_Y "$stock_up"
expect_true "and releases the shine button" wait_for 2 client_pixel_is 11 347 $FACE_UP
click_at 110 356
expect_true "the second shine button goes down" wait_for 2 client_pixel_is 87 347 $FACE_PRESSED
expect_true "and releases the stock button" wait_for 2 client_pixel_is $STOCK_X $STOCK_Y "$stock_up"
expect_eq "$(client_pixel 11 347)" $FACE_UP "the first shine button stays up"

# ---- ClickDownHook: pressed while the message box is open
message_box() { xdotool search --name "^シャインボタン\$" 2>/dev/null | head -n 1; }
has_message_box() { [ -n "$(message_box)" ]; }
click_at 420 356
if wait_for 10 has_message_box; then
  echo "ok: the button's message box came up"
  box=$(message_box)
  move_to 500 20
  sleep 0.3
  expect_eq "$(client_pixel 399 347)" $FACE_PRESSED "the button shows pressed while its message box is open"
  wait_for 5 focus_is "$box" || fail "the message box did not get the focus"
  xdotool key Return
  expect_true "the message box closes on Enter" wait_for 10 gone "$box"
  expect_true "the button shows up again once it is closed" wait_for 2 client_pixel_is 399 347 $FACE_UP
else
  fail "the ClickDownHook button's click showed no message box"
fi

# ---- the pointer leaves in one jump while the box is open: once it closes,
# the button asks where the pointer really is and shows no hover look (its
# caption stays grey instead of turning blue)
CAPTION_X=455
CAPTION_Y=351
click_at 420 356
if wait_for 10 has_message_box; then
  box=$(message_box)
  xdotool mousemove 1010 760
  wait_for 5 focus_is "$box" || fail "the message box did not get the focus"
  xdotool key Escape
  wait_for 10 gone "$box" || fail "the message box closes on Escape"
  expect_true "the button shows up again once it is closed" wait_for 2 client_pixel_is 399 347 $FACE_UP
  sleep 0.5
  expect_eq "$(client_pixel $CAPTION_X $CAPTION_Y)" 494949 \
    "with the pointer gone from the window the caption keeps its grey, not the hover blue"
else
  fail "the ClickDownHook button's second click showed no message box"
fi

xdotool key Escape
demo_exit_code
expect_eq "$?" 0 "Escape closes the gallery"
report
