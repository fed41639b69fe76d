# Steps shared by the gallery's end-to-end tests, sourced after lib.sh.
# E2E_GALLERY names build/Gallery. Each test starts its own copy in a
# directory of its own, with a configuration home of its own (the registry
# store lies there), so whatever the program writes can be found.

: "${E2E_GALLERY:?the gallery is not named}"

GALLERY_DIR="$E2E_TMP/gallery"
GALLERY_HOME="$E2E_TMP/config"
mkdir -p "$GALLERY_DIR" "$GALLERY_HOME"
cp "$E2E_GALLERY" "$GALLERY_DIR/Gallery"

gallery_window() { xdotool search --name "^Scoutlane コントロールギャラリー\$" 2>/dev/null | head -n 1; }
has_gallery_window() { [ -n "$(gallery_window)" ]; }

# Where the client area lies on the screen: CLIENT_X CLIENT_Y.
read_client_origin() {
  local geometry
  geometry=$(xwininfo -id "$DEMO_WIN" 2>/dev/null | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF } END { print x, y }')
  read -r CLIENT_X CLIENT_Y <<<"$geometry"
}

# Starts the gallery (extra environment as NAME=VALUE arguments) and waits
# for its first frame: the gradient panel's white top left corner inside its
# blue outline.
start_gallery() {
  : >"$DEMO_OUT"
  (cd "$GALLERY_DIR" && exec env LC_ALL=C.UTF-8 XDG_CONFIG_HOME="$GALLERY_HOME" "$@" ./Gallery) >>"$DEMO_OUT" 2>>"$DEMO_ERR" &
  DEMO_PID=$!
  wait_for 20 has_gallery_window || abort "the gallery showed no window"
  DEMO_WIN=$(gallery_window)
  wait_for 10 viewable "$DEMO_WIN" || abort "the gallery's window was never mapped"
  read_client_origin
  wait_for 10 pixel_is $((CLIENT_X + 8)) $((CLIENT_Y + 8)) 0000FF || abort "the first frame never showed"
}

# A point of the client area, as screen coordinates.
at() { echo $((CLIENT_X + $1)) $((CLIENT_Y + $2)); }
click_at() {  # X Y (client)
  local p
  p=$(at "$1" "$2")
  # shellcheck disable=SC2086
  xdotool mousemove $p click 1
}
