#!/usr/bin/env bash
# Runs a command against a private X server of its own, and stops everything
# it started on every way out.
#
#   run-with-x.sh [--wm openbox|none] [--no-shm] [--screen WxH] -- COMMAND [ARG...]
#
# The server is Xvfb with one 1024x768x24 screen (--screen: another size) on a display number it
# picks itself (-displayfd), so parallel runs never collide. --wm openbox
# starts openbox and waits until it manages the screen; --no-shm starts the
# server without MIT-SHM, as a remote display would be. COMMAND runs with
# DISPLAY set; its exit code is the script's.
set -uo pipefail

wm=none
shm=1
screen=1024x768
while [ $# -gt 0 ]; do
  case "$1" in
    --wm) wm=$2; shift 2 ;;
    --no-shm) shm=0; shift ;;
    --screen) screen=$2; shift 2 ;;
    --) shift; break ;;
    *) break ;;
  esac
done
if [ $# -eq 0 ]; then
  echo "usage: run-with-x.sh [--wm openbox|none] [--no-shm] [--screen WxH] -- COMMAND [ARG...]" >&2
  exit 2
fi

work=$(mktemp -d)
pids=()
stop_all() {
  local i
  # Last started first: the window manager before its server.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null
  done
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    wait "${pids[i]}" 2>/dev/null
  done
  rm -rf "$work"
}
trap stop_all EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

server_args=(-screen 0 "${screen}x24" -nolisten tcp -noreset -displayfd 3)
[ "$shm" = 0 ] && server_args+=(-extension MIT-SHM)
Xvfb "${server_args[@]}" 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)

# Xvfb writes the display number once it accepts connections.
for _ in $(seq 200); do
  grep -q '^[0-9]' "$work/display" 2>/dev/null && break
  if ! kill -0 "${pids[0]}" 2>/dev/null; then
    echo "run-with-x: Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
  fi
  sleep 0.05
done
number=$(head -n 1 "$work/display")
if [ -z "$number" ]; then
  echo "run-with-x: Xvfb gave no display number" >&2
  exit 1
fi
export DISPLAY=":$number"

case "$wm" in
  none) ;;
  openbox)
    # A configuration and cache of its own, so nothing of the user's applies.
    mkdir -p "$work/config" "$work/cache"
    XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" \
      openbox --sm-disable >"$work/openbox.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 200); do
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep 'window id' >/dev/null && break
      sleep 0.05
    done
    if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep 'window id' >/dev/null; then
      echo "run-with-x: openbox did not start:" >&2
      cat "$work/openbox.log" >&2
      exit 1
    fi
    ;;
  *)
    echo "run-with-x: unknown window manager '$wm'" >&2
    exit 2
    ;;
esac

# If this script is killed outright (SIGKILL, as a test driver's time-out
# may do), no trap runs: a watcher ends what it started when it is gone. It
# knows by being handed to another parent, which happens at once even while
# the dead script waits to be reaped.
script_pid=$$
(
  orphaned() {
    local stat
    read -r stat </proc/$BASHPID/stat
    stat=${stat##*) }
    set -- $stat
    [ "$2" != "$script_pid" ]
  }
  until orphaned; do sleep 0.5; done
  kill "${pids[@]}" 2>/dev/null
  rm -rf "$work"
) >/dev/null 2>&1 &
watcher=$!

export E2E_WM=$wm
"$@"
status=$?
kill "$watcher" 2>/dev/null
wait "$watcher" 2>/dev/null
exit $status
