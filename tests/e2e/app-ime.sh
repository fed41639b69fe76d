#!/usr/bin/env bash
# Japanese input in the search bar with a real input method: fcitx5 with the
# Mozc engine, reached over XIM (XMODIFIERS=@im=fcitx), from a private
# profile in a private HOME. Romaji typed with xdotool:
#
# - while composing, the keyword box shows the composition (on the spot:
#   drawn by the program, underlined) and the search has nothing yet;
# - the candidate window opens inside the keyword box's span, just below it;
# - Enter commits 東京 and a second Enter searches for it;
# - moving the focus to the picker during a composition drops it;
# - killing the input method mid-composition leaves the program running and
#   plain typing working; a server started again is connected to.
#
# IME_START=late starts the program first and the input method after it:
# the program types plain text meanwhile and connects when it comes.
#
# IME_STYLE=onthespot asks fcitx5 for on-the-spot input (its xim option
# UseOnTheSpot), IME_STYLE=overthespot keeps its default, which offers only
# over-the-spot and root styles. Mozc refuses to run as root: the input
# method then runs as nobody (the X server takes any local client).
source "$(dirname "$0")/lib.sh"

: "${E2E_APP:?the program is not named}"
IME_STYLE=${IME_STYLE:-onthespot}
IME_START=${IME_START:-first}
# E2E_DPI: the desktop's scale (Xft.dpi, set by xrdb before the start);
# every place below is given at 96 dpi and scaled with the program's rule.
E2E_DPI=${E2E_DPI:-96}
s() { echo $((($1 * E2E_DPI + 48) / 96)); }
if [ "$E2E_DPI" != 96 ]; then
  echo "Xft.dpi: $E2E_DPI" | xrdb -merge || abort "xrdb could not set the scale"
fi

APP_DIR="$E2E_TMP/app"
IM_HOME="$E2E_TMP/imhome"
mkdir -p "$APP_DIR" "$E2E_TMP/bin" "$IM_HOME/.config/fcitx5/conf" "$IM_HOME/run"
cp "$E2E_APP" "$APP_DIR/Scoutlane"
install_xdg_open_standin
# Site 0 alone ticked: one address per search.
printf '[SET]\r\nFRON=1\r\nREF=0\r\nSITE0=1\r\n' >"$APP_DIR/Scoutlane.ini"

# One group holding Mozc alone: it is active from the start, in hiragana.
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
if [ "$IME_STYLE" = onthespot ]; then
  echo "UseOnTheSpot=True" >"$IM_HOME/.config/fcitx5/conf/xim.conf"
else
  echo "UseOnTheSpot=False" >"$IM_HOME/.config/fcitx5/conf/xim.conf"
fi
chmod 700 "$IM_HOME/run"
AS_USER=()
if [ "$(id -u)" = 0 ]; then
  chown -R nobody:nogroup "$IM_HOME"
  chmod 755 "$E2E_TMP"
  AS_USER=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi

IM_PID=""
IM_LOG="$E2E_TMP/fcitx5.log"
# Only what XIM needs: no D-Bus (no session bus here), no other frontends.
start_im() {
  env -u DBUS_SESSION_BUS_ADDRESS HOME="$IM_HOME" XDG_CONFIG_HOME="$IM_HOME/.config" \
    XDG_DATA_HOME="$IM_HOME/.local/share" XDG_CACHE_HOME="$IM_HOME/.cache" \
    XDG_RUNTIME_DIR="$IM_HOME/run" "${AS_USER[@]}" \
    fcitx5 --disable dbus,wayland,waylandim,notificationitem,kimpanel,ibusfrontend,fcitx4frontend,dbusfrontend \
    >>"$IM_LOG" 2>&1 &
  IM_PID=$!
  wait_for 20 im_registered || abort "fcitx5 never offered XIM"
}
im_registered() { xprop -root XIM_SERVERS 2>/dev/null | grep -q '@server=fcitx'; }
stop_im() {
  [ -n "$IM_PID" ] || return 0
  kill -9 "$IM_PID" 2>/dev/null
  wait "$IM_PID" 2>/dev/null
  IM_PID=""
}
trap 'stop_im; stop_mozc; finish' EXIT
# The engine's server, started by fcitx5, outlives it otherwise. Only the
# one started with this test's HOME is ended, by its process number.
stop_mozc() {
  local dir
  for dir in /proc/[0-9]*; do
    [ "$(cat "$dir/comm" 2>/dev/null)" = mozc_server ] || continue
    if grep -qz "^HOME=$IM_HOME\$" "$dir/environ" 2>/dev/null; then kill "${dir#/proc/}" 2>/dev/null; fi
  done
}

[ "$IME_START" = late ] || start_im

(cd / && PATH="$E2E_TMP/bin:$PATH" LC_ALL=C.UTF-8 XMODIFIERS=@im=fcitx exec "$APP_DIR/Scoutlane") \
  >"$DEMO_OUT" 2>"$DEMO_ERR" &
DEMO_PID=$!

find_window() { xdotool search --name "^Scoutlane' 2010\$" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(find_window)" ]; }
wait_for 20 has_window || abort "the program showed no window"
DEMO_WIN=$(find_window)
wait_for 10 viewable "$DEMO_WIN" || abort "the window was never mapped"
wait_for 10 pixel_is "$(s 20)" "$(s 20)" 0000FF || fail "the first frame never showed"
running() { kill -0 "$DEMO_PID" 2>/dev/null; }

# The keyword box: client 286,8, 160x20; the client area starts at 20,20.
BOX_LEFT=$(s 306)
BOX_RIGHT=$(s 466)
BOX_TOP=$(s 28)
BOX_BOTTOM=$(s 48)
KEYWORD_X=$(s 386)
KEYWORD_Y=$(s 38)
FACE_X=$(s 130)
FACE_Y=$(s 38)

# The keyword box's edit field (left of its drop button), as a file of
# pixels.
box_shot() { import -window root -crop "$(s 132)x$(s 16)+$(s 308)+$(s 30)" +repage "$1" 2>/dev/null; }
# Its ink (text, underlines, the caret): "x y" of every pixel that is not
# the white of the field.
ink_pixels() {
  convert "$1" txt:- 2>/dev/null |
    awk -F'[ ,:()]+' 'NR > 1 && $3 + $4 + $5 < 600 { print $1, $2 }'
}
ink_columns() { ink_pixels "$1" | awk '{ c[$1] = 1 } END { print length(c) }'; }
# Text shows: ink in more columns than the caret's one.
box_has_text() { box_shot "$E2E_TMP/box.png" && [ "$(ink_columns "$E2E_TMP/box.png")" -ge 3 ]; }
box_empty() { box_shot "$E2E_TMP/box.png" && [ "$(ink_columns "$E2E_TMP/box.png")" -le 1 ]; }
# The ink's lowest row is an underline: as wide as the text, less the gap
# at its end and the caret beside it.
underlined() {
  ink_pixels "$1" | awk '{ n[$2]++; c[$1] = 1; if ($2 > low) low = $2 }
    END { cols = length(c); exit !(n[low] >= cols - 3 && cols >= 10) }'
}

# fcitx5's candidate window: its own override-redirect top-level.
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

# A click in the box; the keys that follow go to the input method only
# once the window has the X focus again (after a message box, the window
# manager may give it back a moment later).
focus_keyword_box() {
  xdotool mousemove $KEYWORD_X $KEYWORD_Y click 1
  wait_for 5 focus_is "$DEMO_WIN" || fail "the search bar did not get the focus back"
  sleep 0.3
}

composing_visible() {
  if [ "$IME_STYLE" = onthespot ]; then
    box_shot "$E2E_TMP/box.png" && underlined "$E2E_TMP/box.png"
  else
    candidate_shown
  fi
}

opened_more() { [ "$(wc -l <"$OPENED")" -gt "$before" ]; }
# Types WORD until the input method composes it (Mozc's own server starts
# with fcitx5 and takes a moment); answers whether it did.
type_until_composing() {  # WORD
  local attempt
  for attempt in 1 2 3 4 5 6; do
    focus_keyword_box
    xdotool key ctrl+a BackSpace
    xdotool type --delay 60 "$1"
    wait_for 5 composing_visible && return 0
  done
  return 1
}

if [ "$IME_START" = late ]; then
  # ---- no input method yet: plain typing, then it starts and is taken up
  focus_keyword_box
  before=0
  xdotool type --delay 60 "abc"
  xdotool key Return
  wait_for 10 opened_more
  expect_eq "$(opened_addresses | tail -n 1)" "http://www.google.co.jp/search?q=abc&hl=ja" \
    "plain typing before the input method runs"
  start_im
  expect_true "the input method started later composes in the program" \
    type_until_composing "nagoya"
  before=$(wc -l <"$OPENED")
  xdotool key space
  sleep 0.5
  xdotool key Return
  sleep 0.5
  xdotool key Return
  wait_for 10 opened_more
  expect_eq "$(opened_addresses | tail -n 1)" "http://www.google.co.jp/search?q=名古屋&hl=ja" \
    "its commit is searched"
  focus_keyword_box
  xdotool key ctrl+a BackSpace
  : >"$OPENED"
fi

# ---- composing, the candidate window, committing and searching
focus_keyword_box
wait_for 10 box_empty || fail "the keyword box is not empty at start"
xdotool type --delay 60 "toukyou"
if [ "$IME_STYLE" = onthespot ]; then
  expect_true "the composition shows inside the keyword box" wait_for 10 box_has_text
  box_shot "$E2E_TMP/composing.png"
  expect_true "the composition is underlined" underlined "$E2E_TMP/composing.png"
else
  # Over the spot the input method shows the composition itself, at the
  # caret: its window opens inside the box's span, just below the caret.
  if wait_for 10 candidate_shown; then
    read -r cx cy _ _ < <("$E2E_PROBE" geometry "$(candidate_window)")
    expect_true "the input method composes at the caret ($cx,$cy)" \
      [ "$cx" -ge "$BOX_LEFT" ] && [ "$cx" -lt "$BOX_RIGHT" ] && [ "$cy" -le $((BOX_BOTTOM + $(s 16))) ]
  else
    fail "the input method showed no composition"
  fi
  expect_true "the keyword box itself stays empty" box_empty
fi
sleep 0.5
expect_eq "$(wc -l <"$OPENED")" 0 "nothing searched while composing"

# The search button (which takes no focus) during the composition: the
# box's Text is still empty, so the search asks for a keyword in a message
# box. The box takes the focus, which drops the composition.
find_windows() { xdotool search --onlyvisible --name "^Scoutlane' 2010\$" 2>/dev/null; }
window_count() { find_windows | wc -l; }
has_two_windows() { [ "$(window_count)" -ge 2 ]; }
has_one_window() { [ "$(window_count)" -eq 1 ]; }
xdotool mousemove "$(s 492)" "$(s 38)" click 1
if wait_for 10 has_two_windows; then
  echo "ok: the search found the keyword box's Text empty while composing"
  CHECKS=$((CHECKS + 1))
  message=$(find_windows | grep -vx "$DEMO_WIN" | head -n 1)
  wait_for 5 focus_is "$message" || fail "the message box did not get the focus"
  xdotool key Return
  wait_for 10 has_one_window || fail "the message box did not close"
else
  fail "the search button during the composition showed no message"
fi
expect_eq "$(wc -l <"$OPENED")" 0 "nothing was searched"
expect_true "the composition is gone with the focus" wait_for 5 box_empty
expect_true "and from the input method's windows" wait_for 5 candidate_gone

# Space converts; a second Space opens the candidate list.
focus_keyword_box
# fcitx5 over the spot hands the first key after its context got the
# focus back (the message box had it) straight back to the program: a
# Shift goes first, so the first letter is composed.
xdotool key shift
xdotool type --delay 60 "toukyou"
sleep 0.5
xdotool key space
sleep 0.5
xdotool key space
if wait_for 10 candidate_shown; then
  cand=$(candidate_window)
  read -r cx cy cw ch < <("$E2E_PROBE" geometry "$cand")
  import -window root "${TMPDIR:-/tmp}/app-ime-candidates-$IME_STYLE.png" 2>/dev/null
  echo "candidate window at $cx,$cy ${cw}x$ch"
  expect_true "the candidate window starts within the keyword box's span ($cx)" \
    [ "$cx" -ge "$BOX_LEFT" ] && [ "$cx" -lt "$BOX_RIGHT" ]
  expect_true "the candidate window is just below the keyword box ($cy)" \
    [ "$cy" -ge $((BOX_BOTTOM - $(s 6))) ] && [ "$cy" -le $((BOX_BOTTOM + $(s 16))) ]
else
  fail "no candidate window"
fi
# Back to the first candidate (東京) and commit it with Enter.
xdotool key Escape
sleep 0.3
xdotool key space
sleep 0.3
xdotool key Return
sleep 0.5
expect_eq "$(wc -l <"$OPENED")" 0 "the Enter that commits does not search"
xdotool key Return
opened_once() { [ "$(wc -l <"$OPENED")" -ge 1 ]; }
wait_for 10 opened_once
expect_eq "$(opened_addresses)" "http://www.google.co.jp/search?q=東京&hl=ja" \
  "the second Enter searched for 東京"
expect_true "the candidate window closed" wait_for 5 candidate_gone

# ---- a committed character that code page 932 cannot hold (the emoji
# among Mozc's candidates for とうきょう, number 7 of its list) is refused
# with the beep; the text typed before it stays.
focus_keyword_box
xdotool key ctrl+a BackSpace
xdotool type --delay 60 "a"
sleep 0.3
xdotool key Return
sleep 0.3
"$E2E_PROBE" bells 15 >"$E2E_TMP/bells" &
BELLS_PID=$!
wait_for 5 grep -q ready "$E2E_TMP/bells" || fail "the bell counter did not start"
xdotool type --delay 60 "toukyou"
sleep 0.5
xdotool key space
sleep 0.5
xdotool key space
wait_for 10 candidate_shown || fail "no candidate window for the emoji"
xdotool key 7
sleep 0.5
# A number picks the candidate; Enter commits it where it did not already.
candidate_shown && xdotool key Return
rang() { grep -q '^bell' "$E2E_TMP/bells"; }
expect_true "the emoji was refused with the beep" wait_for 5 rang
kill "$BELLS_PID" 2>/dev/null
wait "$BELLS_PID" 2>/dev/null
before=$(wc -l <"$OPENED")
xdotool key Return
wait_for 10 opened_more
expect_eq "$(opened_addresses | tail -n 1)" "http://www.google.co.jp/search?q=あ&hl=ja" \
  "the text before the refused emoji stayed, and nothing else came in"

# ---- Alt+Down and Escape during a composition are the input method's:
# the keyword box's history list (it holds 東京 now) does not open, and
# Escape ends the composition, nothing else.
program_windows() { xdotool search --onlyvisible --pid "$DEMO_PID" 2>/dev/null | wc -l; }
focus_keyword_box
xdotool key ctrl+a BackSpace
windows_before=$(program_windows)
xdotool type --delay 60 "kobe"
wait_for 10 composing_visible || fail "kobe did not compose"
xdotool key alt+Down
sleep 0.7
expect_eq "$(program_windows)" "$windows_before" "Alt+Down during a composition opens no list"
xdotool key Escape
sleep 0.3
xdotool key Escape
sleep 0.5
expect_true "Escape ended the composition" wait_for 5 box_empty
expect_true "and left no input method window" wait_for 5 candidate_gone
expect_eq "$(program_windows)" "$windows_before" "no list opened by the Escapes either"
before=$(wc -l <"$OPENED")
xdotool key Return
sleep 0.7
expect_eq "$(wc -l <"$OPENED")" "$before" "nothing of the composition stayed to be searched"
# (the empty box's message box, if any, is closed again)
[ "$(window_count)" -ge 2 ] && xdotool key Return && wait_for 10 has_one_window

# ---- the focus moving to the picker drops the composition
focus_keyword_box
xdotool key ctrl+a BackSpace
wait_for 10 box_empty || fail "the keyword box was not emptied"
xdotool type --delay 60 "kyouto"
if [ "$IME_STYLE" = onthespot ]; then
  wait_for 10 box_has_text || fail "the second composition did not show"
fi
sleep 0.3
xdotool mousemove $FACE_X $FACE_Y click 1
sleep 0.5
xdotool key Escape
sleep 0.3
expect_true "nothing stays drawn in the keyword box" wait_for 5 box_empty
expect_true "no candidate or composition window stays" wait_for 5 candidate_gone
# Back in the box the composition is gone for good: Enter searches nothing
# but the empty box (a beep and a message), and later typing starts anew.
focus_keyword_box
before=$(wc -l <"$OPENED")
xdotool type --delay 60 "a"
sleep 0.3
xdotool key Return
sleep 0.5
xdotool key Return
wait_for 10 opened_more
expect_eq "$(opened_addresses | tail -n 1)" "http://www.google.co.jp/search?q=あ&hl=ja" \
  "the dropped composition left nothing behind: the next search is the new one alone"

# ---- the input method dies mid-composition
focus_keyword_box
xdotool key ctrl+a BackSpace
xdotool type --delay 60 "nihon"
sleep 0.5
stop_im
stop_mozc
sleep 1
expect_true "the program survives its input method" running
expect_true "the composition is gone from the keyword box" wait_for 5 box_empty
before=$(wc -l <"$OPENED")
xdotool type --delay 60 "plain"
xdotool key Return
wait_for 10 opened_more
expect_eq "$(opened_addresses | tail -n 1)" "http://www.google.co.jp/search?q=plain&hl=ja" \
  "plain typing works without the input method"

# ---- the input method comes back and is connected to. Mozc's own server
# starts with it and takes a moment: the typing is tried until it composes.
# (A word of its own: Mozc has learnt the emoji for とうきょう.)
start_im
reconnected=no
type_until_composing "oosaka" && reconnected=yes
expect_eq "$reconnected" yes "a restarted input method composes again"
before=$(wc -l <"$OPENED")
xdotool key space
sleep 0.5
xdotool key Return
sleep 0.5
xdotool key Return
wait_for 10 opened_more
expect_eq "$(opened_addresses | tail -n 1)" "http://www.google.co.jp/search?q=大阪&hl=ja" \
  "its commit is searched"
expect_true "the program still runs" running

report
