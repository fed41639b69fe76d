#!/usr/bin/env bash
# Input through the real server: clicks, the pop-up that never takes the
# focus and closes on a press elsewhere, keys, Japanese text typed through
# the input method, both directions of the clipboard, and closing by the
# window manager's close request.
source "$(dirname "$0")/lib.sh"

start_demo
wait_for 5 focus_is "$DEMO_WIN" || fail "the main window never got the focus"

# A left click reaches the window at its client coordinates.
xdotool mousemove 120 30 click 1
wait_line "click 100 10" || fail "left click at client 100,10 not seen"

# A right click opens the pop-up: a window of its own, override-redirect,
# painted, above the main window, and the focus stays where it was.
xdotool mousemove 200 40 click 3
wait_for 10 grep -q '^popup ' "$DEMO_OUT" || abort "the pop-up did not open"
popup=$(awk '/^popup / { print $2; exit }' "$DEMO_OUT")
wait_for 10 viewable "$popup" || fail "the pop-up was not mapped"
expect_eq "$("$E2E_PROBE" override "$popup")" 1 "the pop-up is override-redirect"
expect_eq "$("$E2E_PROBE" geometry "$popup")" "200 40 120 80" "the pop-up at the click, 120x80"
wait_for 5 pixel_is 205 45 "$POPUP_COLOR"
expect_eq "$(pixel 205 45)" "$POPUP_COLOR" "the pop-up is painted over the main window"
expect_eq "$(focused_window)" "$DEMO_WIN" "the pop-up took no focus"

# A click inside it stays inside it.
xdotool mousemove 230 60 click 1
wait_line "popup-click 29 19" || fail "click in the pop-up (client 29,19) not seen"
expect_true "the pop-up stays open after a click inside" viewable "$popup"

# A press elsewhere in the program closes it, and that press goes no further.
xdotool mousemove 470 30 click 1
wait_line "popup-closed" || fail "a click outside did not close the pop-up"
wait_for 5 gone "$popup"
expect_true "the pop-up window is gone" gone "$popup"
sleep 0.3
expect_eq "$(lines_after '^popup-closed$' | grep -c '^click ')" 0 "the closing press was not delivered"
expect_eq "$(focused_window)" "$DEMO_WIN" "the main window kept the focus"
# What the pop-up covered is shown again: square (37, 5) of the pattern.
wait_for 5 pixel_is 205 45 "$COLOR_A"
expect_eq "$(pixel 205 45)" "$COLOR_A" "the main window repainted where the pop-up was"

# A hint window (a plain pop-up shown without activation) is no managed
# window either, and the focus stays on the main window.
xdotool key F8
wait_for 10 grep -q '^hint ' "$DEMO_OUT" || abort "F8 showed no hint window"
hint=$(awk '/^hint / { print $2; exit }' "$DEMO_OUT")
wait_for 10 viewable "$hint" || fail "the hint window was not mapped"
expect_eq "$("$E2E_PROBE" override "$hint")" 1 "the hint window is override-redirect"
wait_for 5 pixel_is 340 110 "$POPUP_COLOR"
expect_eq "$(pixel 340 110)" "$POPUP_COLOR" "the hint window is painted"
sleep 0.3
expect_eq "$(focused_window)" "$DEMO_WIN" "the hint window took no focus"
xdotool key F8
wait_line "hint-hidden" || fail "the second F8 did not hide the hint"
wait_for 5 gone "$hint"
expect_true "the hint window is unmapped" gone "$hint"

# The wheel, one notch each way.
xdotool mousemove 120 30 click 4
wait_line "wheel 120" || fail "wheel up not seen as +120"
xdotool click 5
wait_line "wheel -120" || fail "wheel down not seen as -120"

# Keys: virtual keys and the characters typed.
xdotool key a
wait_line "key 41" || fail "A gave no VK 0x41"
wait_line "char 61" || fail "a gave no WM_CHAR 0x61"
xdotool key F5 Left Home KP_Add
for vk in 74 25 24 6B; do
  wait_line "key $vk" || fail "virtual key $vk not seen"
done
xdotool key shift+1
wait_line "key 31" || fail "Shift+1 is not VK '1'"
wait_line "char 21" || fail "Shift+1 did not type '!'"

# A held key repeats: one first press, then presses marked as repeats, and
# a character for each.
xdotool keydown b
sleep 0.9
xdotool keyup b
xdotool key c  # everything before it has been handled once its character shows
wait_line "char 63" || fail "C after the held B not seen"
expect_true "holding B auto-repeated" demo_said "key 42 repeat"
expect_eq "$(grep -c '^key 42$' "$DEMO_OUT")" 1 "only the first press of a held key is no repeat"
expect_true "every repeat typed its character" \
  test "$(grep -c '^char 62$' "$DEMO_OUT")" -eq $((1 + $(grep -c '^key 42 repeat$' "$DEMO_OUT")))

# Japanese text through the input method arrives as code page 932 bytes,
# lead byte first: ソ 83 5C, 検 8C 9F, 索 8D F5.
# xdotool types a character the keyboard lacks by mapping it to a spare
# key for a moment and back; a client that looks the key up after the next
# change reads another character or none. The characters get keys of their
# own first, so the keyboard map holds still while they are typed.
"$E2E_PROBE" map-keys 'ソ検索' || fail "the probe could not map the keys"
before=$(grep -c '^char ' "$DEMO_OUT")
xdotool type --delay 60 'ソ検索'
typed() { [ "$(grep '^char ' "$DEMO_OUT" | tail -n +$((before + 1)) | wc -l)" -ge 6 ]; }
wait_for 10 typed
expect_eq "$(grep '^char ' "$DEMO_OUT" | tail -n +$((before + 1)) | cut -d' ' -f2 | tr '\n' ' ')" \
  "83 5C 8C 9F 8D F5 " "Japanese text as code page 932 bytes"

# A character code page 932 cannot hold is refused: no WM_CHAR at all.
before=$(grep -c '^char ' "$DEMO_OUT")
xdotool type --delay 60 '€x'
wait_line "char 78" || fail "the x after the euro sign never came"
expect_eq "$(grep '^char ' "$DEMO_OUT" | tail -n +$((before + 1)) | cut -d' ' -f2 | tr '\n' ' ')" \
  "78 " "the euro sign was refused"

# Copy: the program owns the clipboard, other programs read UTF-8.
xdotool key F3
wait_line "copied" || fail "F3 did not copy"
expect_eq "$(xclip -o -selection clipboard -t UTF8_STRING)" "検索" "the clipboard read by another program"

# Paste: text from another program, converted; what code page 932 lacks is left out.
printf 'ソ€x' | xclip -i -selection clipboard -t UTF8_STRING -loops 1
xdotool key F6
wait_for 10 grep -q '^paste ' "$DEMO_OUT" || fail "F6 did not paste"
expect_eq "$(grep '^paste ' "$DEMO_OUT" | tail -n 1)" "paste 83 5C 78" "pasted text in code page 932"

# An owner that offers only Latin-1 (STRING) is read through that target.
printf 'abc' | xclip -i -selection clipboard -t STRING -quiet >/dev/null 2>&1 &
xclip_pid=$!
sleep 0.3
xdotool key F6
wait_line "paste 61 62 63" || fail "a STRING-only clipboard was not pasted"
kill "$xclip_pid" 2>/dev/null
wait "$xclip_pid" 2>/dev/null

# An owner that never answers costs a bounded wait, not a hang.
"$E2E_PROBE" hog-clipboard 10 >"$E2E_TMP/hog.out" &
hog_pid=$!
wait_for 5 grep -q owned "$E2E_TMP/hog.out" || fail "the probe did not take the clipboard"
pastes=$(grep -c '^paste ' "$DEMO_OUT")
asked=$SECONDS
xdotool key F6
more_pastes() { [ "$(grep -c '^paste ' "$DEMO_OUT")" -gt "$pastes" ]; }
wait_for 5 more_pastes || fail "the paste from a hung owner never returned"
expect_eq "$(grep '^paste ' "$DEMO_OUT" | tail -n 1)" "paste " "a hung owner gives an empty paste"
expect_true "within the time-out" test $((SECONDS - asked)) -le 3
xdotool key d
wait_line "char 64" || fail "the program did not go on after the hung paste"
kill "$hog_pid" 2>/dev/null
wait "$hog_pid" 2>/dev/null

# Closing: the window manager's close (Alt+F4 in openbox), or WM_DELETE_WINDOW
# sent straight to the window when there is no manager.
if [ "$E2E_WM" = openbox ]; then
  xdotool key alt+F4
else
  "$E2E_PROBE" delete "$DEMO_WIN"
fi
demo_exit_code
expect_eq "$?" 0 "the close request ended the program with exit code 0"
expect_true "it said so" demo_said "exit 0"

report
