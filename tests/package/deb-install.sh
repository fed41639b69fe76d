#!/usr/bin/env bash
# The Debian package as a user meets it, in a fresh Debian root of the
# test's own (mmdebstrap, variant apt: the essential packages and apt, once
# per week in a cached tarball; nothing of the host's /usr is touched):
#
# - `apt-get install ./scoutlane_*.deb` brings in its dependencies;
# - /usr/bin/scoutlane, started by an ordinary user on the test's X server,
#   searches and closes; the settings and the history land in that user's
#   ~/.config/scoutlane/ (a folder only the user may read);
# - `apt-get remove` leaves them, and after installing again the program
#   reads them back;
# - a copy of the program in a folder the user can write keeps its settings
#   beside itself (portable), and the user's own file is left alone;
# - XDG_CONFIG_HOME that is relative or names a file is ignored;
# - a read-only ~/.config: closing shows the error box with the file's path,
#   the window stays open, and once the folder is writable again the close
#   saves everything typed before.
#
# Runs as root inside run-with-x.sh, in a mount namespace of its own (the
# root's /proc, /dev and the X socket are mounted there and vanish with
# it). DEB_DIR holds the package; it needs the network for apt, as the
# package is meant to be installed. SCOUTLANE_TEST_CACHE moves the cached root.
if [ -z "${DEB_TEST_NAMESPACE:-}" ]; then
  # Inside a chroot whose / is no mount point (a fresh Debian root made for
  # a test run) / cannot be made private; the mounts around such a root are
  # a namespace's private ones already, and are kept as they are.
  propagation=private
  unshare --mount --propagation private true 2>/dev/null || propagation=unchanged
  exec env DEB_TEST_NAMESPACE=1 unshare --mount --propagation "$propagation" bash "$0" "$@"
fi
source "$(dirname "$0")/../e2e/lib.sh"

: "${DEB_DIR:?the folder of the package is not named}"
DEB=$(ls "$DEB_DIR"/scoutlane_*.deb 2>/dev/null | head -n 1)
[ -f "$DEB" ] || abort "no package in $DEB_DIR"
[ "$(id -u)" = 0 ] || abort "needs root (chroot, mounts)"
HERE=$(cd "$(dirname "$0")" && pwd)
MESSAGE_GOLDEN="$HERE/golden/deb-readonly-message.png"

# ---- the fresh root
CACHE=${SCOUTLANE_TEST_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/scoutlane-tests}
BASE="$CACHE/bookworm-apt.tar"
mkdir -p "$CACHE"
(
  flock 9
  if [ ! -s "$BASE" ] || [ -n "$(find "$BASE" -mtime +7 2>/dev/null)" ]; then
    echo "making a fresh Debian root (mmdebstrap)"
    mmdebstrap --quiet --variant=apt --mode=root --format=tar bookworm "$BASE.partial" \
      "deb http://deb.debian.org/debian bookworm main" \
      "deb http://deb.debian.org/debian bookworm-updates main" \
      "deb http://deb.debian.org/debian-security bookworm-security main" >&2 &&
      mv -f "$BASE.partial" "$BASE"
  fi
) 9>"$CACHE/lock"
[ -s "$BASE" ] || abort "no fresh root: mmdebstrap failed"

ROOT="$E2E_TMP/root"
mkdir -p "$ROOT"
tar -C "$ROOT" -xf "$BASE"
mount -t proc proc "$ROOT/proc" || abort "cannot mount /proc in the root"
mount --rbind /dev "$ROOT/dev" || abort "cannot mount /dev in the root"
mkdir -p "$ROOT/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$ROOT/tmp/.X11-unix" || abort "cannot reach the X server from the root"
cp /etc/resolv.conf "$ROOT/etc/resolv.conf"
cp "$DEB" "$ROOT/tmp/"
# Unmounted before the test's folder is removed (the namespace would drop
# them anyway, but only once the last process in it is gone).
trap 'umount -R "$ROOT/dev" "$ROOT/proc" "$ROOT/tmp/.X11-unix" 2>/dev/null; finish' EXIT

in_root() { chroot "$ROOT" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }
apt_install() {
  in_root sh -c 'cd /tmp && apt-get install -y -q ./scoutlane_*.deb' >"$E2E_TMP/apt.log" 2>&1 ||
    { cat "$E2E_TMP/apt.log"; abort "apt-get install failed"; }
}

in_root apt-get update -q >"$E2E_TMP/apt.log" 2>&1 || { cat "$E2E_TMP/apt.log"; abort "apt-get update failed"; }
apt_install
installed() { [ "$(in_root dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]; }
for package in scoutlane fonts-ipafont-gothic xdg-utils libx11-6; do
  expect_true "$package is installed" installed "$package"
done
VERSION=$(in_root dpkg-query -W -f='${Version}' scoutlane)
expect_eq "$(in_root scoutlane --version)" "Scoutlane $VERSION" "scoutlane --version prints the package's version"
expect_eq "$(in_root scoutlane-gallery --version)" "Gallery $VERSION" "the gallery too"
listed=$(in_root dpkg -L scoutlane)
for file in /usr/bin/scoutlane /usr/bin/scoutlane-gallery /usr/share/applications/scoutlane.desktop \
  /usr/share/icons/hicolor/48x48/apps/scoutlane.png /usr/share/man/man1/scoutlane.1.gz \
  /usr/share/man/man1/scoutlane-gallery.1.gz /usr/share/doc/scoutlane/copyright \
  /usr/share/doc/scoutlane/changelog.gz; do
  expect_true "the package holds $file" grep -qx "$file" <<<"$listed"
done

# ---- ordinary users, and a stand-in xdg-open first on their PATH
add_user() {  # NAME UID
  echo "$1:x:$2:$2::/home/$1:/bin/sh" >>"$ROOT/etc/passwd"
  echo "$1:x:$2:" >>"$ROOT/etc/group"
  install -d -m 0755 -o "$2" -g "$2" "$ROOT/home/$1"
}
add_user alice 1000
add_user bob 1001
printf '#!/bin/sh\nexit 0\n' >"$ROOT/usr/local/bin/xdg-open"
chmod 0755 "$ROOT/usr/local/bin/xdg-open"

find_windows() { xdotool search --onlyvisible --name "^Scoutlane' 2010\$" 2>/dev/null; }
window_count() { find_windows | wc -l; }
has_window() { [ "$(window_count)" -ge 1 ]; }
has_two_windows() { [ "$(window_count)" -ge 2 ]; }
has_one_window() { [ "$(window_count)" -eq 1 ]; }

# Starts PROGRAM as USER (UID) from the user's home folder with a clean
# environment plus ASSIGNMENTS, and waits for its first frame.
start_as() {  # USER UID PROGRAM [ASSIGNMENT...]
  local user=$1 uid=$2 program=$3 home=/home/$1
  [ "$uid" = 0 ] && home=/root
  shift 3
  chroot --userspec="$uid:$uid" "$ROOT" /usr/bin/env -i HOME="$home" USER="$user" \
    PATH=/usr/local/bin:/usr/bin:/bin DISPLAY="$DISPLAY" LC_ALL=C.UTF-8 "$@" \
    sh -c 'cd "$HOME" && exec "$0"' "$program" >"$DEMO_OUT" 2>"$DEMO_ERR" &
  DEMO_PID=$!
  wait_for 20 has_window || abort "$program showed no window"
  DEMO_WIN=$(find_windows | head -n 1)
  wait_for 10 pixel_is 20 20 0000FF || abort "the first frame never showed"
}

search() {  # KEYWORD
  xdotool mousemove 386 38 click 1
  sleep 0.3
  xdotool type --delay 50 "$1"
  xdotool key Return
}

close_and_wait() {  # CASE
  "$E2E_PROBE" delete "$DEMO_WIN"
  demo_exit_code
  expect_eq "$?" 0 "$1: the program ended with 0 after the close button"
}

history0() { tr -d '\r' <"$1" 2>/dev/null | sed -n 's/^History0=//p'; }
ALICE_INI="$ROOT/home/alice/.config/scoutlane/Scoutlane.ini"

# ---- installed: the settings go to the user's folder
start_as alice 1000 /usr/bin/scoutlane
search debsearch
close_and_wait "installed"
expect_eq "$(history0 "$ALICE_INI")" debsearch "installed: the keyword is in ~/.config/scoutlane/Scoutlane.ini"
expect_true "installed: the settings were written" grep -q '^\[SET\]' "$ALICE_INI"
expect_eq "$(stat -c '%a %u' "$ROOT/home/alice/.config/scoutlane")" "700 1000" \
  "installed: the folder is the user's only"
expect_eq "$(ls "$ROOT/usr/bin" | grep -ci '\.ini$')" 0 "installed: nothing written beside /usr/bin/scoutlane"

# ---- root too, who could write /usr/bin, gets a folder of its own
start_as root 0 /usr/bin/scoutlane
close_and_wait "as root"
expect_true "as root: the settings are in /root/.config/scoutlane" test -f "$ROOT/root/.config/scoutlane/Scoutlane.ini"
expect_eq "$(ls "$ROOT/usr/bin" | grep -ci '\.ini$')" 0 "as root: nothing written beside /usr/bin/scoutlane"

# ---- removed, and installed again
cp "$ALICE_INI" "$E2E_TMP/alice.ini"
in_root apt-get remove -y -q scoutlane >"$E2E_TMP/apt.log" 2>&1 || { cat "$E2E_TMP/apt.log"; fail "apt-get remove failed"; }
expect_true "removed: /usr/bin/scoutlane is gone" test ! -e "$ROOT/usr/bin/scoutlane"
expect_true "removed: the user's settings stay" cmp -s "$E2E_TMP/alice.ini" "$ALICE_INI"
apt_install
start_as alice 1000 /usr/bin/scoutlane
close_and_wait "installed again"
# Read back and written anew: a program that had not read them would have
# written an empty history.
expect_eq "$(history0 "$ALICE_INI")" debsearch "installed again: the history was kept"

# ---- portable: a copy in a folder the user can write
install -d -m 0755 -o 1000 -g 1000 "$ROOT/home/alice/portable"
install -m 0755 -o 1000 -g 1000 "$ROOT/usr/bin/scoutlane" "$ROOT/home/alice/portable/Scoutlane"
cp "$ALICE_INI" "$E2E_TMP/alice.ini"
start_as alice 1000 /home/alice/portable/Scoutlane
search portsearch
close_and_wait "portable"
expect_eq "$(history0 "$ROOT/home/alice/portable/Scoutlane.ini")" portsearch \
  "portable: the settings lie beside the copy"
expect_true "portable: the user's own file is left alone" cmp -s "$E2E_TMP/alice.ini" "$ALICE_INI"

# ---- XDG_CONFIG_HOME that is relative or names a file is ignored
printf 'not a folder\n' >"$ROOT/home/alice/afile"
chown 1000:1000 "$ROOT/home/alice/afile"
for config in relative/cfg /home/alice/afile; do
  start_as alice 1000 /usr/bin/scoutlane XDG_CONFIG_HOME="$config"
  search "xdg${#config}"
  close_and_wait "XDG_CONFIG_HOME=$config"
  expect_eq "$(history0 "$ALICE_INI")" "xdg${#config}" "XDG_CONFIG_HOME=$config is ignored: ~/.config is used"
done
expect_true "nothing was made under the relative path" test ! -e "$ROOT/home/alice/relative"
expect_eq "$(cat "$ROOT/home/alice/afile")" "not a folder" "the file named by XDG_CONFIG_HOME is untouched"

# ---- a read-only ~/.config: the error box names the file, nothing is lost
install -d -m 0555 -o 1001 -g 1001 "$ROOT/home/bob/.config"
start_as bob 1001 /usr/bin/scoutlane
search robsearch
"$E2E_PROBE" delete "$DEMO_WIN"
wait_for 10 has_two_windows || abort "read-only ~/.config: no error box came up on closing"
box=$(find_windows | grep -vx "$DEMO_WIN" | head -n 1)
# The whole box: its text is the path of bob's settings file, the same in
# every run. SCOUTLANE_UPDATE_GOLDEN=1 writes it anew.
sleep 0.3
import -window "$box" "$E2E_TMP/box.png" 2>/dev/null
if [ "${SCOUTLANE_UPDATE_GOLDEN:-}" = 1 ]; then
  cp "$E2E_TMP/box.png" "$MESSAGE_GOLDEN"
  echo "golden message written: $MESSAGE_GOLDEN"
else
  differing=$(compare -metric AE "$MESSAGE_GOLDEN" "$E2E_TMP/box.png" null: 2>&1)
  expect_eq "$differing" 0 \
    "read-only ~/.config: the box says /home/bob/.config/scoutlane/Scoutlane.ini cannot be written"
  [ "$differing" = 0 ] || cp "$E2E_TMP/box.png" "${TMPDIR:-/tmp}/deb-readonly-message.actual.png"
fi
wait_for 5 focus_is "$box" || xdotool windowfocus "$box" 2>/dev/null
xdotool key Return
expect_true "read-only ~/.config: the error box closes on Enter" wait_for 10 has_one_window
expect_true "read-only ~/.config: the search bar stays open" kill -0 "$DEMO_PID"
expect_eq "$(ls -A "$ROOT/home/bob/.config")" "" "read-only ~/.config: nothing was made in it"
chmod 0755 "$ROOT/home/bob/.config"
close_and_wait "~/.config writable again"
expect_eq "$(history0 "$ROOT/home/bob/.config/scoutlane/Scoutlane.ini")" robsearch \
  "~/.config writable again: the keyword typed before is saved"

report
