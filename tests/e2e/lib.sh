# Shared steps of the end-to-end tests, sourced by each test script. The
# tests run inside run-with-x.sh (DISPLAY is set) with E2E_DEMO and
# E2E_PROBE naming the demo program and the probe.

set -uo pipefail

: "${E2E_DEMO:?the demo program is not named}"
: "${E2E_PROBE:?the probe is not named}"

# The tools read and print UTF-8 (xdotool type, xprop, xclip) only in a
# UTF-8 locale; the demo gets the locale the test asks for, so that the
# backend's own choice of one is tested too (E2E_DEMO_LOCALE=C).
export LC_ALL=C.UTF-8
E2E_TMP=$(mktemp -d)
DEMO_PID=""
DEMO_OUT="$E2E_TMP/demo.out"
DEMO_ERR="$E2E_TMP/demo.err"
FAILURES=0
CHECKS=0

finish() {
  if [ -n "$DEMO_PID" ] && kill -0 "$DEMO_PID" 2>/dev/null; then
    kill "$DEMO_PID" 2>/dev/null
    wait "$DEMO_PID" 2>/dev/null
  fi
  if [ "$FAILURES" -ne 0 ]; then
    echo "--- demo output"
    cat "$DEMO_OUT" 2>/dev/null
    echo "--- demo errors"
    cat "$DEMO_ERR" 2>/dev/null
  fi
  rm -rf "$E2E_TMP"
}
trap finish EXIT

fail() {
  echo "FAIL: $*"
  FAILURES=$((FAILURES + 1))
}

# A failure that makes the rest of the test meaningless.
abort() {
  fail "$@"
  exit 1
}

# The desktop's scale of the test (E2E_DPI, 96 unless it says otherwise),
# and a length given at 96 dpi at that scale: the programs' rule, to the
# nearest pixel, halves up for the positive values used here.
E2E_DPI=${E2E_DPI:-96}
s() { echo $((($1 * E2E_DPI + 48) / 96)); }
# Loads the scale as a desktop does, as Xft.dpi in the X server's resource
# database, before the program starts.
load_desktop_scale() {
  [ "$E2E_DPI" = 96 ] && return 0
  echo "Xft.dpi: $E2E_DPI" | xrdb -merge || abort "xrdb could not set the scale"
}

expect_eq() {  # ACTUAL EXPECTED WHAT
  CHECKS=$((CHECKS + 1))
  if [ "$1" = "$2" ]; then
    echo "ok: $3"
  else
    fail "$3: got '$1', expected '$2'"
  fi
}

expect_true() {  # WHAT COMMAND...
  local what=$1
  shift
  CHECKS=$((CHECKS + 1))
  if "$@"; then
    echo "ok: $what"
  else
    fail "$what"
  fi
}

# Waits until COMMAND succeeds, up to SECONDS (default 10).
wait_for() {  # SECONDS COMMAND...
  local limit=$1
  shift
  local end=$((SECONDS + limit))
  while ! "$@"; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.05
  done
}

demo_said() { grep -qx -- "$1" "$DEMO_OUT"; }

# Waits for an exact line of the demo's output.
wait_line() {  # LINE [SECONDS]
  wait_for "${2:-10}" demo_said "$1"
}

# The lines the demo printed after the first one matching PATTERN.
lines_after() {  # PATTERN
  awk -v p="$1" 'found { print } $0 ~ p { found = 1 }' "$DEMO_OUT"
}

# (xwininfo without an id waits for a click on some window: never ask it so.)
viewable() { [ -n "$1" ] && xwininfo -id "$1" 2>/dev/null | grep 'Map State: IsViewable' >/dev/null; }
gone() { ! viewable "$1"; }

start_demo() {
  LC_ALL=${E2E_DEMO_LOCALE:-C.UTF-8} "$E2E_DEMO" >"$DEMO_OUT" 2>"$DEMO_ERR" &
  DEMO_PID=$!
  wait_for 10 grep -q '^window ' "$DEMO_OUT" || abort "the demo printed no window"
  DEMO_WIN=$(awk '/^window / { print $2; exit }' "$DEMO_OUT")
  wait_for 10 viewable "$DEMO_WIN" || abort "the demo's window was never mapped"
  # The first frame follows the map.
  wait_for 10 pixel_is 20 20 "$COLOR_A" || fail "the first frame never showed"
}

# Waits for the demo to end; answers its exit code (124 when it did not end).
demo_exit_code() {
  local i
  for i in $(seq 200); do
    if ! kill -0 "$DEMO_PID" 2>/dev/null; then
      wait "$DEMO_PID"
      local code=$?
      DEMO_PID=""
      return $code
    fi
    sleep 0.05
  done
  return 124
}

pixel() { "$E2E_PROBE" pixel "$1" "$2"; }
pixel_is() { [ "$(pixel "$1" "$2")" = "$3" ]; }
pixel_is_not() { ! pixel_is "$@"; }

focused_window() { xdotool getwindowfocus 2>/dev/null; }
focus_is() { [ "$(focused_window)" = "$1" ]; }

wm_state() { xprop -id "$DEMO_WIN" _NET_WM_STATE 2>/dev/null; }
state_has_above() { wm_state | grep '_NET_WM_STATE_ABOVE' >/dev/null; }
state_lacks_above() { ! state_has_above; }

# The pattern the demo paints: colour A where (x / 5 + y / 5) is even.
COLOR_A=2060C0
COLOR_B=F0B010
POPUP_COLOR=30A040

report() {
  echo "$((CHECKS - FAILURES)) passed, $FAILURES failed"
  [ "$FAILURES" -eq 0 ]
}
