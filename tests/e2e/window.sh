#!/usr/bin/env bash
# The main window as the window manager and the user see it: place, size,
# type, state, title, icon, focus, the painted pixels, and always-on-top
# switched while it is shown.
source "$(dirname "$0")/lib.sh"

start_demo

expect_eq "$("$E2E_PROBE" geometry "$DEMO_WIN")" "20 20 500 35" "client area at 20,20, 500x35"

type=$(xprop -id "$DEMO_WIN" _NET_WM_WINDOW_TYPE)
expect_eq "$type" "_NET_WM_WINDOW_TYPE(ATOM) = _NET_WM_WINDOW_TYPE_TOOLBAR" "tool window type"
expect_true "always on top" state_has_above
expect_true "kept off the task bar" grep -q _NET_WM_STATE_SKIP_TASKBAR <<<"$(wm_state)"

hints=$(xprop -id "$DEMO_WIN" WM_NORMAL_HINTS)
expect_true "minimum size 500x35" grep -q 'minimum size: 500 by 35' <<<"$hints"
expect_true "maximum size 500x35" grep -q 'maximum size: 500 by 35' <<<"$hints"

expect_eq "$(xprop -id "$DEMO_WIN" _NET_WM_NAME)" '_NET_WM_NAME(UTF8_STRING) = "Scoutlane 検索デモ"' \
  "title in UTF-8"
icons=$(xprop -id "$DEMO_WIN" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ')
expect_eq "$icons" "Icon (16 x 16) Icon (32 x 32) Icon (48 x 48) " "icons in three sizes"
expect_eq "$("$E2E_PROBE" override "$DEMO_WIN")" 0 "the main window is managed"

# Focus: given by the manager, or taken by the program without one.
wait_for 5 focus_is "$DEMO_WIN"
expect_eq "$(focused_window)" "$DEMO_WIN" "the main window has the keyboard focus"

# The pattern, pixel for pixel at its corners and squares.
expect_eq "$(pixel 20 20)" "$COLOR_A" "top-left pixel"
expect_eq "$(pixel 24 24)" "$COLOR_A" "last pixel of the first square"
expect_eq "$(pixel 25 20)" "$COLOR_B" "first pixel of the second square"
expect_eq "$(pixel 20 25)" "$COLOR_B" "first pixel of the second row of squares"
expect_eq "$(pixel 25 25)" "$COLOR_A" "diagonal square"
expect_eq "$(pixel 519 54)" "$COLOR_B" "bottom-right pixel"
outside=$(pixel 520 54)
expect_true "nothing painted right of the client area" test "$outside" != "$COLOR_B" -a "$outside" != "$COLOR_A"
outside=$(pixel 20 55)
expect_true "nothing painted below the client area" test "$outside" != "$COLOR_B" -a "$outside" != "$COLOR_A"

# Always on top, switched at run time (F2 in the demo), both ways.
xdotool key F2
wait_line "topmost 0" || fail "F2 did not reach the demo"
wait_for 5 state_lacks_above
expect_true "always on top switched off" state_lacks_above
xdotool key F2
wait_line "topmost 1" || fail "the second F2 did not reach the demo"
wait_for 5 state_has_above
expect_true "always on top switched on again" state_has_above

# Moved by the program: the client area lands where it asked, frame or no
# frame, and stays there (no configure answer moves it back).
geometry_is() { [ "$("$E2E_PROBE" geometry "$DEMO_WIN")" = "$1" ]; }
xdotool key F9
wait_line "moved 100 200" || fail "F9 did not move the window"
wait_for 5 geometry_is "100 200 500 35"
sleep 0.3
expect_eq "$("$E2E_PROBE" geometry "$DEMO_WIN")" "100 200 500 35" "moved to 100,200"
wait_for 5 pixel_is 100 200 "$COLOR_A"
expect_eq "$(pixel 104 204)$(pixel 105 200)" "$COLOR_A$COLOR_B" "painted at its new place"
xdotool key F9
wait_line "moved 20 20" || fail "the second F9 did not move the window back"
wait_for 5 geometry_is "20 20 500 35"
expect_eq "$("$E2E_PROBE" geometry "$DEMO_WIN")" "20 20 500 35" "moved back to 20,20"

# Idle: the loop sleeps in poll() until the next timer, and the timer keeps
# firing. A busy loop would burn the whole second of CPU.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$DEMO_PID/stat"; }
ticks_before=$(grep -c '^tick ' "$DEMO_OUT")
cpu_before=$(cpu_ticks)
sleep 1
cpu_used=$(($(cpu_ticks) - cpu_before))
ticks=$(($(grep -c '^tick ' "$DEMO_OUT") - ticks_before))
expect_true "the 50 ms timer fired while idle ($ticks times in a second)" test "$ticks" -ge 10
expect_true "idle costs little CPU ($cpu_used clock ticks in a second)" \
  test "$cpu_used" -lt $(($(getconf CLK_TCK) / 4))

report
