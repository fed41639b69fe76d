# Shared steps of the tests of Scoutlane.exe under Wine, sourced by each test
# script; it brings tests/e2e/lib.sh's steps (expect_eq, wait_for, pixel, ...)
# and the search bar's driver (tests/e2e/scoutlane-driver.sh), whose start and
# close request it replaces with Wine's. The
# tests run inside tests/e2e/run-with-x.sh (DISPLAY is set), with
#   WINE_APP              the Windows program, build-win/Scoutlane.exe
#   WINE_PROBE            scoutlane_winprobe.exe, which asks Windows itself
#   WINE_TEMPLATE_PREFIX  the build tree's Wine prefix (prepare-prefix.sh)
#   E2E_PROBE             the X probe, built for the host
#   E2E_GOLDEN            tests/e2e/golden, the Linux program's pictures
#
# Every test runs in a prefix of its own: a copy of the build tree's prefix
# beside it, made of hard links (a few hundred kilobytes and some milliseconds; Wine
# writes its registry files anew and renames them, so the shared files are
# never written through), with a wineserver of its own. One wineserver for
# several tests would not do: its desktop process (explorer.exe, which also
# owns the clipboard) lives on the X display of whichever test started it
# first, and dies with it.

: "${WINE_APP:?the Windows program is not named}"
: "${WINE_PROBE:?the Windows probe is not named}"
: "${WINE_TEMPLATE_PREFIX:?the build tree's Wine prefix is not named}"
: "${E2E_GOLDEN:?the golden pictures' folder is not named}"
export E2E_DEMO=${E2E_DEMO:-$WINE_APP}
WINE_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$WINE_LIB_DIR/../e2e/lib.sh"
source "$WINE_LIB_DIR/../e2e/scoutlane-driver.sh"

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
# The copy lies beside the build tree's prefix, not in the temporary folder:
# hard links cannot cross file systems, and /tmp is often a file system of
# its own (a tmpfs).
WINE_COPY_DIR=$(mktemp -d "${WINE_TEMPLATE_PREFIX%/}.test.XXXXXX") ||
  abort "no folder for the Wine prefix's copy beside $WINE_TEMPLATE_PREFIX"
export WINEPREFIX="$WINE_COPY_DIR/prefix"

wine_finish() {
  if [ -n "$DEMO_PID" ] && kill -0 "$DEMO_PID" 2>/dev/null; then
    kill "$DEMO_PID" 2>/dev/null
    wait "$DEMO_PID" 2>/dev/null
    DEMO_PID=""
  fi
  # Ends every process of this test's prefix (the desktop, services), and
  # the server itself, before the prefix goes.
  if [ -d "$WINEPREFIX" ]; then
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    # Its socket's folder, named after the prefix folder's device and inode
    # in the temporary folder the prefix names in its file "wineserver".
    local sockets
    sockets=${TMPDIR:-/tmp}/$(cat "$WINEPREFIX/wineserver" 2>/dev/null)/server-$(stat -c '%D' "$WINEPREFIX")-$(printf %x "$(stat -c %i "$WINEPREFIX")")
    [ -d "$sockets" ] && rm -rf "$sockets"
  fi
  rm -rf "$WINE_COPY_DIR"
  finish
}
trap wine_finish EXIT

bash "$WINE_LIB_DIR/prepare-prefix.sh" "$WINE_TEMPLATE_PREFIX" || abort "the Wine prefix could not be made"
# A whole copy where the file system takes no hard links.
cp -al "$WINE_TEMPLATE_PREFIX" "$WINEPREFIX" 2>/dev/null ||
  { rm -rf "$WINEPREFIX" && cp -a "$WINE_TEMPLATE_PREFIX" "$WINEPREFIX"; } ||
  abort "the Wine prefix could not be copied"
# The registry files are the copy's own: Wine 8's server writes them
# through the link (a test that sets a value would set it for every later
# test), and they are a couple of megabytes.
for reg in "$WINE_TEMPLATE_PREFIX"/*.reg; do
  cp --remove-destination "$reg" "$WINEPREFIX/" || abort "the Wine prefix's registry could not be copied"
done
# The server stays while the program is started again, and ends on its own
# a while after the last Windows process, should this script be killed.
wineserver -p10 || abort "wineserver did not start"

cp "$WINE_APP" "$APP_DIR/Scoutlane.exe"

# The visible top-level windows titled TITLE as Windows sees them, topmost
# first: "X Y W H topmost|normal tool|app", X Y W H the client area on the
# screen.
win_windows() { wine "$WINE_PROBE" windows "${1:-$APP_TITLE}" 2>/dev/null | tr -d '\r'; }

# Starts the program from its folder's copy, with the stand-in xdg-open
# first on PATH (when the test installed it) and a UTF-8 locale, which Wine
# takes for the code page of what it hands to the host (xdg-open's address:
# in the C locale 東京 reaches it as "??"). Waits for its window and its
# first frame: the gradient's blue outline at the client area's top-left
# corner (the driver's CLIENT_X, CLIENT_Y, at the test's E2E_DPI). ENV...
# are extra NAME=VALUE settings.
#
# Under openbox, Wine 8 now and then loses the window's first place: it maps
# the window at its place, openbox reparents it into a new frame that
# starts at 0,0 and moves that frame there only after, and Wine reads the
# window's place on the screen in between, takes it for a move by the
# manager and moves the window to 0,0 (the client area to 3,19; the trace
# says "X11DRV_ConfigureNotify ... moving from (17,1) to (0,0)"). Only then
# is the program started again, at most twice; the program never asks for
# that place itself, so a fault of its own fails every attempt.
start_app() {  # [ENV...]
  local attempt
  for attempt in 1 2 3; do
    : >"$DEMO_OUT"
    (cd / && exec env PATH="$E2E_TMP/bin:$PATH" LC_ALL=C.UTF-8 "$@" wine "$APP_DIR/Scoutlane.exe") \
      >>"$DEMO_OUT" 2>>"$DEMO_ERR" &
    DEMO_PID=$!
    wait_for 30 has_window || abort "the program showed no window"
    wait_for 10 app_window_shown || abort "the window was never mapped"
    wait_for 10 pixel_is "$CLIENT_X" "$CLIENT_Y" 0000FF && return 0
    [ "$E2E_WM" = openbox ] && lost_first_place || abort "the first frame never showed"
    echo "note: Wine and openbox moved the window to 0,0 as it was mapped; starting it again"
    kill "$DEMO_PID" 2>/dev/null
    wait "$DEMO_PID" 2>/dev/null
    DEMO_PID=""
    wait_for 10 eval '! has_window'
  done
  abort "the window lost its place three times"
}
lost_first_place() { win_windows | grep -q '^3 19 '; }

# The close request is a click on the close button. Wine draws a tool
# window's caption itself (no window manager decorates it), inside the
# window's X window: the button is the caption's last, 12 pixels in from the
# frame's right edge and 10 down from its top. Being a real click, it also
# counts as the user's last input, which a window manager asks before it
# gives a new window (the error box) the focus. (Without a window manager,
# Wine waits two seconds for one to withdraw the window before it goes.)
request_close() {
  local x y w h
  read -r x y w h <<<"$("$E2E_PROBE" geometry "$DEMO_WIN")"
  xdotool mousemove $((x + w - 12)) $((y + 10)) click 1
}

# The settings file as Windows programs write it: code page 932 and CRLF
# line ends. Prints the file in UTF-8 with the line ends taken off, or fails
# when a line ends otherwise (a lone LF or CR, or no end at all) or the bytes
# are no CP932.
ini_text() {  # [FILE]
  local file=${1:-$INI}
  local lf cr crlf
  lf=$(tr -cd '\n' <"$file" | wc -c)
  cr=$(tr -cd '\r' <"$file" | wc -c)
  crlf=$(grep -c $'\r$' "$file")
  if [ "$lf" -eq 0 ] || [ "$cr" -ne "$lf" ] || [ "$crlf" -ne "$lf" ] ||
    [ "$(tail -c 1 "$file" | od -An -tx1 | tr -d ' ')" != 0a ]; then
    echo "$file: line ends other than CRLF" >&2
    return 1
  fi
  iconv -f CP932 -t UTF-8 "$file" | tr -d '\r'
}
