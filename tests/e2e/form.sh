#!/usr/bin/env bash
# The framework's demo form on a real X server: made from its layout, its
# speed button clicked, its popup menu opened with a right click and used by
# access keys, closed by a click outside the program, the error box of a
# failing command, and a screenshot of the gradient background compared with
# the colours the gradient rule gives, pixel for pixel.
source "$(dirname "$0")/lib.sh"
: "${E2E_FORM:?the demo form is not named}"

FORM_WIN=""

# The shown top-level windows of the demo form's process.
form_windows() { xdotool search --onlyvisible --pid "$DEMO_PID" 2>/dev/null; }
other_windows() { form_windows | grep -vx -- "$FORM_WIN"; }
has_other_window() { [ -n "$(other_windows)" ]; }
only_form_window() { ! has_other_window; }
said_count() { grep -cx -- "$1" "$DEMO_OUT"; }
said_more() { [ "$(said_count "$1")" -gt "$2" ]; }
grab_is() { [ "$("$E2E_PROBE" pointer-grab)" = "$1" ]; }

# ---- the gradient rule, computed here on its own
#
# A top-to-bottom panel of height H lays 256 bands of trunc(H / 255 + 1)
# rows: entry k (1 to 255) starts at row trunc((k - 1) * H / 255), later
# entries covering earlier ones, so row y shows the last entry that starts
# there. Entry k of the white-to-(0,128,255) array steps each channel by
# (start - end) / 255 from the start and truncates: red 255 - k, green
# trunc(255 - k * 127 / 255), blue 255; entry 255 is the end colour itself.
# The products here are exact in integers, and the running sums of the
# program stay far from every integer boundary on this panel.
expected_rows() {  # HEIGHT: one line per row, "y RRGGBB"
  awk -v h="$1" 'BEGIN {
    for (k = 1; k <= 255; k++) entry_at[int((k - 1) * h / 255)] = k
    for (y = 0; y < h; y++) {
      k = entry_at[y]
      if (k == 255) { r = 0; g = 128; b = 255 }
      else { r = 255 - k; g = int((255 * 255 - k * 127) / 255); b = 255 }
      printf "%d %02X%02X%02X\n", y, r, g, b
    }
  }'
}

# The panel as the screen shows it: "x y RRGGBB" for each pixel.
screenshot_panel() {  # LEFT TOP WIDTH HEIGHT
  import -window root -crop "$3x$4+$1+$2" +repage -depth 8 txt:- |
    awk -F'[,: ]+' '/^[0-9]/ { split($0, Hash, "#"); print $1, $2, toupper(substr(Hash[2], 1, 6)) }'
}

# Compares a screenshot with the rule. Left out, in panel coordinates: the
# one-pixel outline (checked to be the outline colour instead), the two
# labels' and the button's rectangles from the layout, where their white
# text covers the gradient. Prints the number of wrong pixels, then the first
# few of them.
compare_panel() {  # SHOT_FILE ROWS_FILE
  awk -v w=500 -v h=35 '
    FNR == NR { want[$1] = $2; next }
    function excluded(x, y) {
      if (x >= 8 && x < 63 && y >= 12 && y < 24) return 1    # Label1
      if (x >= 233 && x < 283 && y >= 12 && y < 24) return 1  # Label2
      if (x >= 452 && x < 492 && y >= 8 && y < 28) return 1   # Button1
      return 0
    }
    {
      x = $1; y = $2; seen++
      if (x == 0 || y == 0 || x == w - 1 || y == h - 1) expect = "0000FF"
      else if (excluded(x, y)) next
      else expect = want[y]
      checked++
      if ($3 != expect) { bad++; if (bad <= 5) wrong = wrong sprintf(" (%d,%d) %s!=%s", x, y, $3, expect) }
    }
    END { printf "%d %d %d%s\n", bad + 0, checked + 0, seen + 0, wrong }
  ' "$2" "$1"
}

start_form() {
  LC_ALL=C.UTF-8 "$E2E_FORM" >"$DEMO_OUT" 2>"$DEMO_ERR" &
  DEMO_PID=$!
  form_shown() { FORM_WIN=$(form_windows | head -n 1); [ -n "$FORM_WIN" ]; }
  wait_for 30 form_shown || abort "the demo form never showed a window"
  # Row 1 of the gradient at its left end: the first frame is on the screen.
  first_row=$(expected_rows 35 | awk '$1 == 1 { print $2 }')
  wait_for 20 pixel_is 21 21 "$first_row" || fail "the first frame never showed"
}

open_menu() {  # X Y (screen point of the right click)
  local popups
  popups=$(said_count popup)
  xdotool mousemove "$1" "$2" click 3
  wait_for 10 said_more popup "$popups" || abort "the right click at $1,$2 opened no menu"
  wait_for 10 has_other_window || abort "no menu window appeared"
  MENU_WIN=$(other_windows | head -n 1)
}

start_form
expect_eq "$("$E2E_PROBE" geometry "$FORM_WIN")" "20 20 500 35" "the form's client area at 20,20, 500x35"
expect_eq "$(xprop -id "$FORM_WIN" _NET_WM_NAME)" '_NET_WM_NAME(UTF8_STRING) = "Scoutlane フォームデモ"' \
  "the caption from the layout"

# The flat speed button, clicked where the layout put it (client 452,8 40x20).
xdotool mousemove 492 38 click 1
wait_line "click Button1" || fail "a click on the speed button printed nothing"

# The screenshot, with the pointer away from the form and no hint shown.
xdotool mousemove 700 500
wait_for 10 only_form_window || fail "a window of the form besides the main one stays up"
sleep 0.2
expected_rows 35 >"$E2E_TMP/rows"
screenshot_panel 20 20 500 35 >"$E2E_TMP/shot"
read -r bad checked seen wrong < <(compare_panel "$E2E_TMP/shot" "$E2E_TMP/rows")
expect_eq "$seen" 17500 "the screenshot holds the whole panel"
expect_true "the comparison covers the panel outside the labels and the button ($checked pixels)" \
  test "$checked" -gt 15000
expect_eq "$bad" 0 "every panel pixel has the gradient rule's colour, the outline its own$wrong"
# The text of the controls left out above is there: pixels of their
# rectangles differ from the gradient, and are lighter than it.
text_pixels() {  # LEFT TOP RIGHT BOTTOM (panel coordinates, exclusive)
  awk -v l="$1" -v t="$2" -v r="$3" -v b="$4" '
    FNR == NR { want[$1] = $2; next }
    $1 >= l && $1 < r && $2 >= t && $2 < b && $3 != want[$2] &&
      substr($3, 1, 2) > substr(want[$2], 1, 2) { n++ }
    END { print n + 0 }' "$E2E_TMP/rows" "$E2E_TMP/shot"
}
for area in "Label1 8 12 63 24" "Label2 233 12 283 24" "Button1 452 8 492 28"; do
  set -- $area
  count=$(text_pixels "$2" "$3" "$4" "$5")
  expect_true "$1 draws its text over the gradient ($count lighter pixels)" test "$count" -gt 20
done

# The popup menu on the panel: its own window, not managed, painted, and the
# pointer held for the program while it is up.
open_menu 170 40
expect_eq "$("$E2E_PROBE" override "$MENU_WIN")" 1 "the menu window is override-redirect"
menu_at=$("$E2E_PROBE" geometry "$MENU_WIN")
expect_eq "$(cut -d' ' -f1-2 <<<"$menu_at")" "170 40" "the menu opens at the pointer"
wait_for 10 grab_is grabbed
expect_eq "$("$E2E_PROBE" pointer-grab)" grabbed "the pointer is grabbed while the menu is up"

# Chosen by its access key: the command runs once the menu is gone.
xdotool key d
wait_line "menu N8" || fail "the access key D did not choose its item"
wait_for 10 gone "$MENU_WIN"
expect_true "the menu window is gone after the choice" gone "$MENU_WIN"
wait_for 10 grab_is free
expect_eq "$("$E2E_PROBE" pointer-grab)" free "the pointer is given back when the menu closes"

# The checked item switches always-on-top both ways.
wm_state_of() { xprop -id "$FORM_WIN" _NET_WM_STATE 2>/dev/null; }
form_above() { wm_state_of | grep _NET_WM_STATE_ABOVE >/dev/null; }
form_not_above() { ! form_above; }
open_menu 300 45
xdotool key s
wait_line "menu N4 0" || fail "the access key S did not switch always-on-top off"
wait_for 10 form_not_above
expect_true "always on top is off" form_not_above
open_menu 300 45
xdotool key s
wait_line "menu N4 1" || fail "the second S did not switch always-on-top on"
wait_for 10 form_above
expect_true "always on top is on again" form_above

# A click outside every window of the program (on the desktop) closes the
# menu without a choice, and the program goes on.
open_menu 120 40
menus_before=$(grep -c '^menu ' "$DEMO_OUT")
xdotool mousemove 700 500 click 1
wait_for 10 gone "$MENU_WIN"
expect_true "a click on the desktop closed the menu" gone "$MENU_WIN"
wait_for 10 grab_is free
expect_eq "$("$E2E_PROBE" pointer-grab)" free "the pointer is free again after the outside click"
sleep 0.2
expect_eq "$(grep -c '^menu ' "$DEMO_OUT")" "$menus_before" "the outside click chose nothing"
clicks=$(said_count "click Button1")
xdotool mousemove 492 38 click 1
wait_for 10 said_more "click Button1" "$clicks" || fail "the button does not answer after the outside click"

# A click on another program's window closes it too, and that program does
# not get the click; it gets the next one, once the menu is gone.
"$E2E_PROBE" other-window 600 300 200 100 60 >"$E2E_TMP/other.out" &
other_pid=$!
wait_for 10 grep -q '^window ' "$E2E_TMP/other.out" || abort "the other program's window never showed"
other_presses() { grep -c '^press ' "$E2E_TMP/other.out"; }
open_menu 120 40
xdotool mousemove 700 360 click 1
wait_for 10 gone "$MENU_WIN"
expect_true "a click on another program's window closed the menu" gone "$MENU_WIN"
sleep 0.2
expect_eq "$(other_presses)" 0 "the other program did not get the click that closed the menu"
xdotool click 1
other_got_one() { [ "$(other_presses)" -ge 1 ]; }
wait_for 10 other_got_one
expect_eq "$(other_presses)" 1 "the other program gets its clicks once the menu is gone"
kill "$other_pid" 2>/dev/null
wait "$other_pid" 2>/dev/null
clicks=$(said_count "click Button1")
xdotool mousemove 492 38 click 1
wait_for 10 said_more "click Button1" "$clicks" || fail "the button does not answer after the other program's click"
wait_for 10 focus_is "$FORM_WIN" || fail "the form did not get the focus back"

# A command that fails shows the error box: a dialog of the form, and the
# program goes on once it is closed.
open_menu 170 40
xdotool key e
wait_line "menu N9" || fail "the access key E did not choose its item"
managed_other() {
  local w
  for w in $(other_windows); do
    [ "$("$E2E_PROBE" override "$w")" = 0 ] && { BOX_WIN=$w; return 0; }
  done
  return 1
}
BOX_WIN=""
wait_for 10 managed_other || abort "the error box never showed"
expect_eq "$(xprop -id "$BOX_WIN" _NET_WM_WINDOW_TYPE)" \
  "_NET_WM_WINDOW_TYPE(ATOM) = _NET_WM_WINDOW_TYPE_DIALOG" "the error box is a dialog"
expect_eq "$(xprop -id "$BOX_WIN" WM_TRANSIENT_FOR)" \
  "WM_TRANSIENT_FOR(WINDOW): window id # $(printf '0x%x' "$FORM_WIN")" \
  "the error box is transient for the form"
expect_eq "$(xprop -id "$BOX_WIN" _NET_WM_NAME)" '_NET_WM_NAME(UTF8_STRING) = "Scoutlane フォームデモ"' \
  "the error box carries the application's title"
wait_for 10 focus_is "$BOX_WIN" || fail "the error box did not get the focus"
xdotool key Return
wait_for 10 gone "$BOX_WIN"
expect_true "Enter closed the error box" gone "$BOX_WIN"
clicks=$(said_count "click Button1")
xdotool mousemove 492 38 click 1
wait_for 10 said_more "click Button1" "$clicks" || fail "the button does not answer after the error box"

# The exit command ends the program with exit code 0.
open_menu 170 40
xdotool key x
wait_line "menu N7" || fail "the access key X did not choose its item"
demo_exit_code
expect_eq "$?" 0 "the exit command ended the program with exit code 0"
expect_true "the message loop ended" demo_said "exit 0"

report
