# shellcheck shell=bash disable=SC2034  # the table is read by the scripts that source it
# The search bar's driver for the end-to-end tests: where its controls lie
# on the screen, how it is started, found and closed, what the stand-in
# xdg-open was given, and the input method's set-up. Sourced after lib.sh by
# the Linux tests (E2E_APP names build/Scoutlane) and by tests/wine/wine-lib.sh,
# which replaces start_app and request_close: those two differ under Wine,
# the rest is the same program on the same X server.

APP_TITLE="Scoutlane' 2010"
APP_DIR="$E2E_TMP/app"
INI="$APP_DIR/Scoutlane.ini"
# What launch_app starts (install.sh points it at the installed link).
APP_PROGRAM="$APP_DIR/Scoutlane"
mkdir -p "$APP_DIR" "$E2E_TMP/bin"
if [ -n "${E2E_APP:-}" ]; then cp "$E2E_APP" "$APP_PROGRAM"; fi

# ---- The layout on the screen (resources/Mainwindow1.layout), in one table.
# The places are the layout's at 96 dpi, scaled to E2E_DPI with s (lib.sh).
# The client area starts at the layout's Left and Top;
# everything below is a screen position worked out from it and the
# controls' client positions.
[ -n "${WINE_APP:-}" ] || load_desktop_scale
CLIENT_X=$(s 20)
CLIENT_Y=$(s 20)
CLIENT_SIZE="$(s 500)x$(s 35)"
CLIENT_GEOMETRY="$CLIENT_X $CLIENT_Y $(s 500) $(s 35)"
CLIENT_CROP="$CLIENT_SIZE+$CLIENT_X+$CLIENT_Y"
# The site picker (client 66,8, 160 wide): a point of its face well inside
# it and off its button; its list, 160x182 (the layout's PopupWidth and
# PopupHeight), opens right under it.
FACE_X=$(s 130)
FACE_Y=$(s 38)
PICKER_LIST_SIZE="$(s 160)x$(s 182)"
PICKER_LIST_GEOMETRY="$(s 86) $(s 48) $(s 160) $(s 182)"
PICKER_LIST_CROP="$PICKER_LIST_SIZE+$(s 86)+$(s 48)"
# The keyword box (client 286,8, 160x20): its middle, its drop button (the
# last 17 pixels inside its 2-pixel edge) and its edit field left of that.
BOX_LEFT=$(s 306)
BOX_TOP=$(s 28)
BOX_RIGHT=$(s 466)
BOX_BOTTOM=$(s 48)
KEYWORD_X=$(s 386)
KEYWORD_Y=$(s 38)
DROP_X=$(s 456)
DROP_Y=$(s 38)
BOX_FIELD_CROP="$(s 132)x$(s 16)+$(s 308)+$(s 30)"
# The keyword box's history list: as wide as the box, right under it, rows
# of the layout's 12 pixels in a frame one line wide, all at the scale.
HISTORY_ROW_HEIGHT=$(s 12)
HISTORY_FRAME=$(s 1)
history_list_height() { echo $(($1 * HISTORY_ROW_HEIGHT + 2 * HISTORY_FRAME)); }  # ROWS
history_list_size() { echo "$(s 160)x$(history_list_height "$1")"; }  # ROWS
history_list_geometry() { echo "$BOX_LEFT $BOX_BOTTOM $(s 160) $(history_list_height "$1")"; }
history_row_y() { echo $((BOX_BOTTOM + HISTORY_FRAME + $1 * HISTORY_ROW_HEIGHT + HISTORY_ROW_HEIGHT / 2)); }
# The search button (client 452,8, 40x20).
SEARCH_X=$(s 492)
SEARCH_Y=$(s 38)
# The panel's background, for the popup menu: left of the first label, below
# the controls.
MENU_X=$(s 24)
MENU_Y=$(s 50)

# ---- Finding the windows
# The first window titled like the search bar, and the visible ones (its
# message and error boxes carry the same title).
find_window() { xdotool search --name "^$APP_TITLE\$" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(find_window)" ]; }
app_windows() { xdotool search --onlyvisible --name "^$APP_TITLE\$" 2>/dev/null; }
window_count() { app_windows | wc -l; }
has_visible_window() { [ "$(window_count)" -ge 1 ]; }
has_two_windows() { [ "$(window_count)" -ge 2 ]; }
has_one_window() { [ "$(window_count)" -eq 1 ]; }
# A visible window of that title other than the search bar: a message box.
other_window() { app_windows | grep -vx "$DEMO_WIN" | head -n 1; }
running() { kill -0 "$DEMO_PID" 2>/dev/null; }
# The program's shown windows other than the main one (the hint), as
# "X Y W H" lines; the start-up hint lies just below the keyword box.
other_shown() {
  local w
  for w in $(xdotool search --onlyvisible --class '^Scoutlane$' 2>/dev/null); do
    if [ "$w" != "$DEMO_WIN" ]; then "$E2E_PROBE" geometry "$w"; fi
  done
  return 0
}
hint_shown() { other_shown | grep "^$BOX_LEFT $((BOX_BOTTOM + 2)) " >/dev/null; }
mapped() { [ -n "$1" ] && [[ "$(xwininfo -id "$1" 2>/dev/null)" == *"Map State: IsViewable"* ]]; }

# The lists are the one window of the program of their size; they are
# destroyed when they close. xwininfo's output is always read to its end:
# under pipefail, a reader that stops early (grep -q, awk exit) fails the
# pipeline whenever xwininfo is cut off, and the check would fail at random.
window_sized() { xwininfo -root -tree 2>/dev/null | awk -v s=" $1+" 'index($0, s) && !found { print $1; found = 1 }'; }
sized_window_shown() {  # WxH
  local id
  id=$(window_sized "$1") && [ -n "$id" ] && mapped "$id"
}
picker_list_id() { window_sized "$PICKER_LIST_SIZE"; }
picker_open() { sized_window_shown "$PICKER_LIST_SIZE"; }
picker_closed() { ! picker_open; }
history_list_id() { window_sized "$(history_list_size "$1")"; }  # ROWS
history_list_open() { sized_window_shown "$(history_list_size "$1")"; }
history_list_closed() { ! history_list_open "$1"; }

# ---- Starting and closing (Linux; wine-lib.sh has its own)
# Starts APP_PROGRAM from /, with the stand-in xdg-open first on PATH and a
# UTF-8 locale; ENV... are extra NAME=VALUE settings. Does not wait.
launch_app() {  # [ENV...]
  : >"$DEMO_OUT"
  (cd / && exec env PATH="$E2E_TMP/bin:$PATH" LC_ALL=C.UTF-8 "$@" "$APP_PROGRAM") \
    >>"$DEMO_OUT" 2>>"$DEMO_ERR" &
  DEMO_PID=$!
}
# Waits for the search bar's window and its first frame: the gradient's blue
# outline at the client area's top-left corner.
# The window is taken once it shows: a window of that title found a moment
# earlier may be gone again by then.
app_window_shown() {
  DEMO_WIN=$(app_windows | head -n 1)
  [ -n "$DEMO_WIN" ]
}
wait_app_window() {
  wait_for 20 has_window || abort "the program showed no window"
  wait_for 10 app_window_shown || abort "the window was never mapped"
  wait_for 10 pixel_is "$CLIENT_X" "$CLIENT_Y" 0000FF || abort "the first frame never showed"
}
start_app() {  # [ENV...]
  launch_app "$@"
  wait_app_window
}
# The close button: the window manager's close request.
request_close() { "$E2E_PROBE" delete "$DEMO_WIN"; }
# The program ends with 0 after the close button.
close_app() {  # [WHAT]
  request_close
  demo_exit_code
  expect_eq "$?" 0 "${1:-}${1:+: }exit code 0 after the close button"
}

# A close the program refuses (its settings file may not be written): the
# error box comes up, the test's check_error_box CASE looks at it, Enter
# closes it, and the program runs on with its window, its settings file
# unchanged and nothing new beside it (APP_FILES). The settings file is
# read-only already.
APP_FILES="Scoutlane Scoutlane.ini "
refused_close() {  # CASE
  cp "$INI" "$E2E_TMP/before.ini"
  request_close
  if ! wait_for 10 has_two_windows; then
    fail "$1: no error box came up when the window was closed"
    return
  fi
  echo "ok: $1: the error box came up"
  check_error_box "$1"
  xdotool key Return
  expect_true "$1: the error box closes on Enter" wait_for 10 has_one_window
  expect_true "$1: the program still runs" running
  expect_true "$1: the search bar stays open" mapped "$DEMO_WIN"
  expect_true "$1: the settings file is unchanged byte for byte" cmp -s "$E2E_TMP/before.ini" "$INI"
  expect_eq "$(ls -A "$APP_DIR" | sort | tr '\n' ' ')" "$APP_FILES" "$1: nothing else left beside it"
}

# ---- Using it
click_at() { xdotool mousemove "$1" "$2" click 1; }  # X Y (screen)
type_keyword() {  # TEXT: into the keyword box, replacing what it holds
  click_at "$KEYWORD_X" "$KEYWORD_Y"
  sleep 0.2
  xdotool key ctrl+a
  xdotool type --delay 30 "$1"
}
# Types KEYWORD and presses Enter; waits for COUNT addresses (the stand-in
# xdg-open is emptied first), then a moment in which nothing more may come.
search_for() {  # KEYWORD COUNT
  : >"$OPENED"
  type_keyword "$1"
  xdotool key Return
  wait_for 20 opened_at_least "$2"
  sleep 0.5
}
# "SITE0=0 ... REF=5 " of the settings text on standard input: the picker's
# keys of section SET, sorted.
site_keys() {
  awk '/^\[/ { in_set = ($0 == "[SET]") } in_set && /^(SITE[0-9]|REF)=/ { print }' | sort | tr '\n' ' '
}
# Every key of section SET, sorted.
set_section_keys() {
  awk '/^\[/ { in_set = ($0 == "[SET]") } in_set && /=/ { print }' | sort | tr '\n' ' '
}

# The picker's rows, found on the screen: the row height follows from the
# font's text height (plus 4 for the check box) and the box's place from the
# check-box bitmap, and rather than repeat those rules and the font's
# metrics, the rows are found down a column through the boxes' left edges
# (6 pixels into the list), every run of pixels unlike the list's background
# being one box. Found with the pointer off the list, so no row is
# highlighted. Sets POPUP_X, POPUP_Y and ROW_Y (the rows' middles).
find_picker_rows() {
  local geometry
  geometry=$(xwininfo -id "$(picker_list_id)" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF } END { print x, y }')
  read -r POPUP_X POPUP_Y <<<"$geometry"
  import -window root -crop "1x$(s 182)+$((POPUP_X + $(s 6)))+$POPUP_Y" +repage "$E2E_TMP/column.txt" 2>/dev/null
  # The background starts below the list's border, one line at the scale.
  mapfile -t ROW_Y < <(awk -v top="$POPUP_Y" -v border="$(s 1)" '
    NR == 1 { next }
    { y = NR - 2; c = $3 }
    y == border { background = c }
    y < border { next }
    c != background && start < 0 { start = y }
    c == background && start >= 0 { if (y - start >= 6) print top + int((start + y - 1) / 2); start = -1 }
    BEGIN { start = -1 }' "$E2E_TMP/column.txt")
}
click_picker_box() { click_at $((POPUP_X + $(s 10))) "${ROW_Y[$1]}"; }   # ROW
# Clicks the check boxes of ROWS in turn, as a user ticks them.
click_picker_boxes() {  # ROW...
  local row
  for row in "$@"; do
    click_picker_box "$row"
    sleep 0.15
  done
}
click_picker_text() { click_at $((POPUP_X + $(s 80))) "${ROW_Y[$1]}"; }  # ROW

# Compares a part of the screen with a golden picture, pixel for pixel; on a
# difference keeps what was shown in TMPDIR as NAME.actual.png. The Linux
# tests write the picture anew with SCOUTLANE_UPDATE_GOLDEN=1 (the Windows
# program is compared with the Linux program's pictures, never writes them).
expect_golden() {  # WHAT GOLDEN CROP NAME
  if [ "${SCOUTLANE_UPDATE_GOLDEN:-}" = 1 ] && [ -z "${WINE_APP:-}" ]; then
    mkdir -p "$(dirname "$2")"
    import -window root -crop "$3" +repage "$2" 2>/dev/null
    echo "golden screenshot written: $2"
    return
  fi
  import -window root -crop "$3" +repage "$E2E_TMP/$4.png" 2>/dev/null
  local differing
  differing=$(compare -metric AE "$2" "$E2E_TMP/$4.png" null: 2>&1)
  expect_eq "$differing" 0 "$1"
  if [ "$differing" != 0 ]; then
    cp "$E2E_TMP/$4.png" "${TMPDIR:-/tmp}/$4.actual.png"
    echo "as shown: ${TMPDIR:-/tmp}/$4.actual.png"
  fi
}

# The end of a message box's text line, WIDTH pixels of it, cut from the
# picture BOX of the box's client area into OUT: the line lies in the upper
# part, right of the 48-pixel icon column, and ends at the rightmost pixel
# unlike the background there. Glyphs sit on whole pixels, so the end of the
# line looks the same whatever comes before it.
message_line_end() {  # BOX WIDTH OUT
  local right
  right=$(convert "$1" -crop 1000x45+0+0 +repage txt:- 2>/dev/null | awk -F'[ ,:]+' '
    NR == 1 { next }
    { c = $0; sub(/.*#/, "", c); c = substr(c, 1, 6) }
    NR == 2 { background = c }
    c != background && $1 > 45 && $1 > right { right = $1 }
    END { print right + 0 }')
  [ "$right" -gt "$2" ] || return 1
  convert "$1" -crop "${2}x25+$((right + 1 - $2))+15" +repage "$3" 2>/dev/null
}

# ---- The addresses handed to the browser
# A stand-in xdg-open, first on PATH, records each address it is given. The
# program starts one per address, in order, but the copies run side by side
# and may finish in any order: each line carries its process number, and
# opened_addresses puts them back in the order they were started. Under Wine
# each request goes through a winebrowser process of its own, so the order
# of the requests is lost there: those tests read opened_sorted.
install_xdg_open_standin() {
  OPENED="$E2E_TMP/opened"
  : >"$OPENED"
  cat >"$E2E_TMP/bin/xdg-open" <<STANDIN
#!/bin/sh
printf '%s\t%s\n' "\$\$" "\$*" >>"$OPENED"
STANDIN
  chmod +x "$E2E_TMP/bin/xdg-open"
}
opened_addresses() { sort -n -k1,1 "$OPENED" | cut -f2-; }
opened_sorted() { cut -f2- "$OPENED" | LC_ALL=C sort; }
opened_last() { opened_addresses | tail -n 1; }
opened_count() { wc -l <"$OPENED"; }
opened_at_least() { [ "$(opened_count)" -ge "$1" ]; }  # COUNT
opened_more_than() { [ "$(opened_count)" -gt "$1" ]; }  # COUNT

# ---- Japanese input: fcitx5 with the Mozc engine over XIM, from a private
# profile in a private HOME. Mozc refuses to run as root: the input method
# then runs as nobody (the X server takes any local client).
IM_HOME="$E2E_TMP/imhome"
IM_LOG="$E2E_TMP/fcitx5.log"
IM_PID=""
AS_USER=()
# One group holding Mozc alone: it is active from the start, in hiragana.
# STYLE onthespot asks fcitx5 for on-the-spot input (its xim option
# UseOnTheSpot); overthespot keeps its default, which offers only
# over-the-spot and root styles.
setup_input_method() {  # STYLE
  mkdir -p "$IM_HOME/.config/fcitx5/conf" "$IM_HOME/run"
  cat >"$IM_HOME/.config/fcitx5/profile" <<'PROFILE'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=mozc
Layout=

[GroupOrder]
0=Default
PROFILE
  if [ "$1" = onthespot ]; then
    echo "UseOnTheSpot=True" >"$IM_HOME/.config/fcitx5/conf/xim.conf"
  else
    echo "UseOnTheSpot=False" >"$IM_HOME/.config/fcitx5/conf/xim.conf"
  fi
  chmod 700 "$IM_HOME/run"
  if [ "$(id -u)" = 0 ]; then
    chown -R nobody:nogroup "$IM_HOME"
    chmod 755 "$E2E_TMP"
    AS_USER=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  fi
}
im_registered() { xprop -root XIM_SERVERS 2>/dev/null | grep -q '@server=fcitx'; }
# Only what XIM needs: no D-Bus (no session bus here), no other frontends.
# Waits until the server offers XIM on the display.
start_im() {
  env -u DBUS_SESSION_BUS_ADDRESS HOME="$IM_HOME" XDG_CONFIG_HOME="$IM_HOME/.config" \
    XDG_DATA_HOME="$IM_HOME/.local/share" XDG_CACHE_HOME="$IM_HOME/.cache" \
    XDG_RUNTIME_DIR="$IM_HOME/run" "${AS_USER[@]}" \
    fcitx5 --disable dbus,wayland,waylandim,notificationitem,kimpanel,ibusfrontend,fcitx4frontend,dbusfrontend \
    >>"$IM_LOG" 2>&1 &
  IM_PID=$!
  wait_for 20 im_registered || abort "fcitx5 never offered XIM"
}
# Ends the input method and the engine's server, which fcitx5 starts and
# which outlives it otherwise: only the one started with this test's HOME,
# by its process number.
stop_im() {
  if [ -n "$IM_PID" ]; then
    kill -9 "$IM_PID" 2>/dev/null
    wait "$IM_PID" 2>/dev/null
    IM_PID=""
  fi
  local dir
  for dir in /proc/[0-9]*; do
    [ "$(cat "$dir/comm" 2>/dev/null)" = mozc_server ] || continue
    if grep -qz "^HOME=$IM_HOME\$" "$dir/environ" 2>/dev/null; then kill "${dir#/proc/}" 2>/dev/null; fi
  done
}

# fcitx5's own window (candidates, and the composition where it draws it):
# an override-redirect top-level of its own.
candidate_window() {
  local id
  for id in $(xdotool search --onlyvisible --name 'Fcitx5 Input Window' 2>/dev/null); do
    echo "$id"
    return 0
  done
  return 1
}
candidate_shown() { candidate_window >/dev/null; }
candidate_gone() { ! candidate_shown; }

# The keyword box's edit field as a file of pixels, and its ink (text,
# underlines, the caret): "x y" of every pixel that is not the field's white.
box_shot() { import -window root -crop "$BOX_FIELD_CROP" +repage "$1" 2>/dev/null; }
ink_pixels() {
  convert "$1" txt:- 2>/dev/null |
    awk -F'[ ,:()]+' 'NR > 1 && $3 + $4 + $5 < 600 { print $1, $2 }'
}
ink_columns() { ink_pixels "$1" | awk '{ c[$1] = 1 } END { print length(c) }'; }
# Text shows: ink in more columns than the caret's one.
box_has_text() { box_shot "$E2E_TMP/box.png" && [ "$(ink_columns "$E2E_TMP/box.png")" -ge 3 ]; }
box_empty() { box_shot "$E2E_TMP/box.png" && [ "$(ink_columns "$E2E_TMP/box.png")" -le 1 ]; }

# Where the input method answers a key: the keyword box (a composition drawn
# by the program) and below the bar (fcitx5's window opens under the caret,
# under Wine below the window's left end). A change there of more pixels
# than the caret's blink is the answer.
IME_AREA_CROP="$(s 700)x$(s 340)+0+$BOX_TOP"
ime_area_shot() { import -window root -crop "$IME_AREA_CROP" +repage "$1" 2>/dev/null; }
ime_area_changed() {  # BEFORE
  ime_area_shot "$E2E_TMP/ime-after.png" || return 1
  local differing
  differing=$(compare -metric AE "$1" "$E2E_TMP/ime-after.png" null: 2>&1)
  [[ "$differing" =~ ^[0-9]+$ ]] && [ "$differing" -gt 20 ]
}
# Presses KEYS and waits until the screen shows the input method's answer;
# answers whether it did within five seconds.
key_and_wait() {  # KEYS...
  ime_area_shot "$E2E_TMP/ime-before.png"
  xdotool key "$@"
  wait_for 5 ime_area_changed "$E2E_TMP/ime-before.png"
}
# Types TEXT and waits until the screen shows the input method's answer;
# answers whether it did within five seconds.
type_and_wait() {  # TEXT
  ime_area_shot "$E2E_TMP/ime-before.png"
  xdotool type --delay 60 "$1"
  wait_for 5 ime_area_changed "$E2E_TMP/ime-before.png"
}
# The caret blinks in the keyword box: the edit has the focus, and with it
# the input context (it has the focus exactly while a caret shows), so keys
# typed now reach the input method. A blink changes one column, text more.
caret_blinked() {  # BEFORE
  box_shot "$E2E_TMP/caret-after.png" || return 1
  local differing
  differing=$(compare -metric AE "$1" "$E2E_TMP/caret-after.png" null: 2>&1)
  [[ "$differing" =~ ^[0-9]+$ ]] && [ "$differing" -gt 0 ] && [ "$differing" -le "$(s 20)" ]
}
# A click in the box, then the keys go to the input method once the window
# has the X focus (after a message box the window manager may give it back
# a moment later) and the caret shows.
# A click that comes while a list of the program is still closing can miss
# the box; where no caret shows, the box is clicked again, as a user would,
# and the test says so.
focus_keyword_box() {
  local click
  for click in 1 2 3; do
    click_at "$KEYWORD_X" "$KEYWORD_Y"
    wait_for 5 focus_is "$DEMO_WIN" || fail "the search bar did not get the focus"
    box_shot "$E2E_TMP/caret-before.png"
    wait_for 3 caret_blinked "$E2E_TMP/caret-before.png" && return 0
    echo "note: no caret showed in the keyword box after click $click"
  done
}
# Whether the input method is composing, as the screen shows it; a test of
# on-the-spot input replaces it with the box's own underline.
composing_visible() { candidate_shown; }
# Types WORD until the input method composes it (Mozc's own server starts
# with fcitx5 and takes a moment); answers whether it did.
type_until_composing() {  # WORD
  local attempt
  for attempt in 1 2 3 4 5 6; do
    focus_keyword_box
    xdotool key ctrl+a BackSpace
    xdotool type --delay 60 "$1"
    wait_for 5 composing_visible && return 0
    if candidate_shown; then xdotool key Escape; fi
  done
  return 1
}
