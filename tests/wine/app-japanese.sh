#!/usr/bin/env bash
# A Japanese keyword in Scoutlane.exe under Wine, typed as a user on
# Japanese Windows types it: through the input method. Here that is fcitx5
# with Mozc over XIM (as in tests/e2e/app-ime.sh), which Wine passes on to
# the program as the Windows input method's composition and result.
#
# - "toukyou", Space and Enter commit 東京; a second Enter opens both ticked
#   sites, and the addresses reach the stand-in xdg-open in UTF-8, as the
#   Linux program hands them over;
# - closing writes 東京 into the history in code page 932 (93 8C 8B 9E), in
#   Scoutlane.ini beside the .exe, every line ending in CRLF;
# - after a restart the history still holds it: Down in the keyword box
#   takes it back, and Enter opens the same two addresses.
#
# xdotool cannot type 東京 into a Wine program directly: Wine gives a key
# whose keysym has no Windows key code no character.
source "$(dirname "$0")/wine-lib.sh"

IM_HOME="$E2E_TMP/imhome"
mkdir -p "$IM_HOME/.config/fcitx5/conf" "$IM_HOME/run"
install_xdg_open_standin
# Google and Wikipedia ticked.
printf '[SET]\r\nFRON=1\r\nREF=0\r\nSITE0=1\r\nSITE3=1\r\n' >"$INI"

# One group holding Mozc alone, active from the start, in hiragana; the
# composition is drawn by the program (on the spot).
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
echo "UseOnTheSpot=True" >"$IM_HOME/.config/fcitx5/conf/xim.conf"
chmod 700 "$IM_HOME/run"
# Mozc refuses to run as root: the input method then runs as nobody (the X
# server takes any local client).
AS_USER=()
if [ "$(id -u)" = 0 ]; then
  chown -R nobody:nogroup "$IM_HOME"
  chmod 755 "$E2E_TMP"
  AS_USER=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
IM_PID=""
stop_im() {
  [ -n "$IM_PID" ] || return 0
  kill -9 "$IM_PID" 2>/dev/null
  wait "$IM_PID" 2>/dev/null
  IM_PID=""
  # The engine's server, started by fcitx5, outlives it otherwise: only the
  # one started with this test's HOME is ended, by its process number.
  local dir
  for dir in /proc/[0-9]*; do
    [ "$(cat "$dir/comm" 2>/dev/null)" = mozc_server ] || continue
    if grep -qz "^HOME=$IM_HOME\$" "$dir/environ" 2>/dev/null; then kill "${dir#/proc/}" 2>/dev/null; fi
  done
}
trap 'stop_im; wine_finish' EXIT
im_registered() { xprop -root XIM_SERVERS 2>/dev/null | grep -q '@server=fcitx'; }
# Only what XIM needs: no D-Bus (no session bus here), no other frontends.
env -u DBUS_SESSION_BUS_ADDRESS HOME="$IM_HOME" XDG_CONFIG_HOME="$IM_HOME/.config" \
  XDG_DATA_HOME="$IM_HOME/.local/share" XDG_CACHE_HOME="$IM_HOME/.cache" \
  XDG_RUNTIME_DIR="$IM_HOME/run" "${AS_USER[@]}" \
  fcitx5 --disable dbus,wayland,waylandim,notificationitem,kimpanel,ibusfrontend,fcitx4frontend,dbusfrontend \
  >"$E2E_TMP/fcitx5.log" 2>&1 &
IM_PID=$!
wait_for 20 im_registered || abort "fcitx5 never offered XIM"

KEYWORD_X=386
KEYWORD_Y=38
focus_keyword_box() {
  xdotool mousemove $KEYWORD_X $KEYWORD_Y click 1
  wait_for 5 focus_is "$DEMO_WIN" || fail "the search bar did not get the focus"
  sleep 0.3
}
# Mozc's candidate window shows while it composes.
candidate_shown() { [ -n "$(xdotool search --onlyvisible --name 'Fcitx5 Input Window' 2>/dev/null)" ]; }
# Types WORD until the input method composes it (Mozc's own server starts
# with fcitx5 and takes a moment); answers whether it did.
type_until_composing() {  # WORD
  local attempt
  for attempt in 1 2 3 4 5 6; do
    focus_keyword_box
    xdotool key ctrl+a BackSpace
    xdotool type --delay 60 "$1"
    wait_for 5 candidate_shown && return 0
    xdotool key Escape
  done
  return 1
}

EXPECTED="https://ja.wikipedia.org/wiki/東京
https://www.google.co.jp/search?q=東京&hl=ja"

start_app XMODIFIERS=@im=fcitx
# ---- typed through the input method, committed, searched
type_until_composing "toukyou" || abort "the input method never composed in the program"
xdotool key space
sleep 0.5
xdotool key Return
sleep 0.5
expect_eq "$(opened_count)" 0 "committing the keyword searches nothing yet"
xdotool key Return
wait_for 20 opened_at_least 2
sleep 0.5
expect_eq "$(opened_sorted)" "$EXPECTED" "Enter opened both ticked sites for 東京"

# ---- the history in the settings file
close_app "first run"
text=$(ini_text) || fail "the settings file is no CP932 with CRLF line ends"
expect_true "東京 is the history's first entry" grep -qx 'History0=東京' <<<"$text"
expect_true "its bytes are code page 932" env LC_ALL=C grep -q $'^History0=\x93\x8c\x8b\x9e\r$' "$INI"
expect_true "the ticks are kept" grep -q 'SITE3=1' <<<"$text"

# ---- after a restart
stop_im
: >"$OPENED"
start_app
focus_keyword_box
xdotool key Down
sleep 0.3
xdotool key Return
wait_for 20 opened_at_least 2
sleep 0.5
expect_eq "$(opened_sorted)" "$EXPECTED" "after a restart, the history's 東京 opens the same two addresses"
close_app "second run"
text=$(ini_text) || fail "the settings file is no CP932 with CRLF line ends after the second run"
expect_eq "$(grep '^History' <<<"$text" | tr '\n' ' ')" "HistoryCount=1 History0=東京 " \
  "the history holds 東京 once"

report
