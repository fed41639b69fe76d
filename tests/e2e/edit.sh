#!/usr/bin/env bash
# The single-line edit on a real X server: Japanese text typed through the
# input method, select all and copy (and cut) read by another program as UTF-8, paste
# of another program's clipboard by Ctrl+V and Shift+Insert, a mouse
# selection offered as PRIMARY, and a middle click that pastes PRIMARY where
# it is pressed.
source "$(dirname "$0")/lib.sh"
: "${E2E_EDIT:?the edit demo is not named}"

FORM_WIN=""
form_windows() { xdotool search --onlyvisible --pid "$DEMO_PID" 2>/dev/null; }
form_shown() { FORM_WIN=$(form_windows | head -n 1); [ -n "$FORM_WIN" ]; }
last_text() { grep '^text ' "$DEMO_OUT" | tail -n 1; }
text_is() { [ "$(last_text)" = "text $1" ]; }
clipboard() { xclip -o -selection "$1" -t UTF8_STRING 2>/dev/null; }
clipboard_is() { [ "$(clipboard "$1")" = "$2" ]; }
cp932_bytes() { printf '%s' "$1" | iconv -f UTF-8 -t CP932 | wc -c; }

# Waits for the edit to hold TEXT, and says so.
expect_text() {  # TEXT WHAT
  wait_for 10 text_is "$1"
  expect_eq "$(last_text)" "text $1" "$2"
}

# The edit's state on request (F2): "sel START LENGTH".
ask_sel() {
  local before
  before=$(grep -c '^sel ' "$DEMO_OUT")
  xdotool key F2
  more_sel() { [ "$(grep -c '^sel ' "$DEMO_OUT")" -gt "$before" ]; }
  wait_for 10 more_sel || abort "F2 printed no selection"
  grep '^sel ' "$DEMO_OUT" | tail -n 1
}

# Asks until the selection is WANT ("sel START LENGTH"). A window manager
# that takes a press to focus and replays it holds the pointer's events for
# a moment, and a key pressed after them can overtake them.
sel_is() { [ "$(ask_sel)" = "$1" ]; }
wait_sel() {  # WANT
  wait_for 10 sel_is "$1"
}
# Asks until a proper tail of the text (TOTAL bytes) is selected; sets
# SEL_START and SEL_LEN.
tail_selected() {  # TOTAL
  read -r _ SEL_START SEL_LEN < <(ask_sel)
  [ "$SEL_START" -gt 0 ] && [ "$((SEL_START + SEL_LEN))" -eq "$1" ]
}

# Another program owns a selection with TEXT (UTF-8) and serves it until
# someone else takes it; the server goes with the X server at the end.
offer() {  # SELECTION TEXT
  printf '%s' "$2" | xclip -i -selection "$1" -t UTF8_STRING
  wait_for 5 clipboard_is "$1" "$2" || abort "xclip did not take the $1 selection"
}

LC_ALL=C.UTF-8 "$E2E_EDIT" >"$DEMO_OUT" 2>"$DEMO_ERR" &
DEMO_PID=$!
wait_for 20 grep -q '^ready ' "$DEMO_OUT" || abort "the edit demo never got ready"
wait_for 20 form_shown || abort "the edit demo never showed a window"
wait_for 10 focus_is "$FORM_WIN" || fail "the form never got the focus"
read -r _ edit_dx edit_dy edit_w edit_h < <(grep '^ready ' "$DEMO_OUT")
read -r form_x form_y _ _ < <("$E2E_PROBE" geometry "$FORM_WIN")
# Screen points inside the edit: its left end, its right end, its middle row.
edit_left=$((form_x + edit_dx + 2))
edit_right=$((form_x + edit_dx + edit_w - 3))
edit_row=$((form_y + edit_dy + edit_h / 2))

# Typing Japanese and ASCII. The characters get keys of their own first, so
# that xdotool does not remap the keyboard under the program while it types.
typed='検索テスト abc'
"$E2E_PROBE" map-keys '検索テスト' || abort "the probe could not map the keys"
xdotool type --delay 60 "$typed"
expect_text "$typed" "typed Japanese and ASCII arrive whole in the edit"
expect_eq "$(ask_sel)" "sel $(cp932_bytes "$typed") 0" "the caret is after the typed text"

# Select all and copy: another program reads the same text as UTF-8.
xdotool key ctrl+a
expect_eq "$(ask_sel)" "sel 0 $(cp932_bytes "$typed")" "Ctrl+A selected the whole text"
xdotool key ctrl+c
wait_for 10 clipboard_is clipboard "$typed"
expect_eq "$(clipboard clipboard)" "$typed" "Ctrl+C put the text on the clipboard"
expect_eq "$(clipboard primary)" "$typed" "the key selection is offered as PRIMARY"

# Paste another program's text: Ctrl+V replaces the selection, Shift+Insert
# inserts at the caret.
pasted='貼り付けた日本語'
offer clipboard "$pasted"
xdotool key ctrl+a ctrl+v
expect_text "$pasted" "Ctrl+V replaced the selection with the other program's text"
xdotool key shift+Insert
expect_text "$pasted$pasted" "Shift+Insert pasted at the caret"
expect_eq "$(clipboard clipboard)" "$pasted" "pasting left the clipboard alone"

# A pasted text ends at its first line break, and what code page 932 cannot
# hold (the euro sign) is left out; the rest arrives.
offer clipboard $'一行目€です\n二行目'
xdotool key ctrl+a ctrl+v
expect_text "一行目です" "a paste keeps the first line, without what code page 932 lacks"
offer clipboard "$pasted"
xdotool key ctrl+a ctrl+v
expect_text "$pasted" "the clipboard pasted again"
xdotool key shift+Insert
expect_text "$pasted$pasted" "and once more at the caret"

# A mouse selection is PRIMARY: dragging across the whole edit selects the
# whole text; another program held PRIMARY before.
whole="$pasted$pasted"
offer primary 'ほかのテキスト'
xdotool mousemove "$edit_left" "$edit_row" mousedown 1
xdotool mousemove "$((edit_left + 20))" "$edit_row"
xdotool mousemove "$edit_right" "$edit_row" mouseup 1
wait_sel "sel 0 $(cp932_bytes "$whole")"
expect_eq "$(ask_sel)" "sel 0 $(cp932_bytes "$whole")" "the drag selected the whole text"
wait_for 10 clipboard_is primary "$whole"
expect_eq "$(clipboard primary)" "$whole" "the mouse selection is readable as PRIMARY"

# A drag from the end back into the text selects a tail of whole characters,
# and PRIMARY holds exactly that part.
xdotool mousemove "$edit_right" "$edit_row" mousedown 1
xdotool mousemove "$((edit_left + 60))" "$edit_row"
xdotool mousemove "$((edit_left + 40))" "$edit_row" mouseup 1
SEL_START=0
SEL_LEN=0
wait_for 10 tail_selected "$(cp932_bytes "$whole")"
sel_len=$SEL_LEN
expect_true "a part of the text is selected ($SEL_START $SEL_LEN)" \
  tail_selected "$(cp932_bytes "$whole")"
tail_is_primary() {
  local p
  p=$(clipboard primary)
  [ -n "$p" ] && [ "${whole%"$p"}$p" = "$whole" ] && [ "$(cp932_bytes "$p")" -eq "$sel_len" ]
}
wait_for 10 tail_is_primary
expect_true "PRIMARY holds the selected tail, $sel_len bytes" tail_is_primary
# Selecting left the clipboard alone.
expect_eq "$(clipboard clipboard)" "$pasted" "a selection does not touch the clipboard"

# Cut empties the edit. A middle click pastes PRIMARY where it is pressed:
# into the emptied edit, then past the end of the text and before its start.
xdotool key ctrl+a ctrl+x
expect_text "" "Ctrl+A and Ctrl+X emptied the edit"
wait_for 10 clipboard_is clipboard "$whole"
expect_eq "$(clipboard clipboard)" "$whole" "Ctrl+X put the cut text on the clipboard"
middle='中クリック'
offer primary "$middle"
xdotool mousemove "$edit_left" "$edit_row" click 2
expect_text "$middle" "a middle click pasted PRIMARY"
xdotool mousemove "$edit_right" "$edit_row" click 2
expect_text "$middle$middle" "a middle click at the end pasted PRIMARY after the text"
xdotool mousemove "$edit_left" "$edit_row" click 2
expect_text "$middle$middle$middle" "a middle click at the start pasted before the text"
expect_eq "$(ask_sel)" "sel $(cp932_bytes "$middle") 0" "the caret is after the pasted text"

# Closing: the window manager's close, or WM_DELETE_WINDOW sent straight to
# the window when there is no manager.
if [ "$E2E_WM" = openbox ]; then
  xdotool key alt+F4
else
  "$E2E_PROBE" delete "$FORM_WIN"
fi
demo_exit_code
expect_eq "$?" 0 "the close request ended the program with exit code 0"

report
