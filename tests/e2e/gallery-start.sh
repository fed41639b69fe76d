#!/usr/bin/env bash
# The control gallery starts with its window from the layout, closes with
# Escape (exit code 0) and writes nothing but the history box's entries in
# the registry store: no file beside the program, none in the directory it
# was started from, and no settings file.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/gallery-lib.sh"

start_gallery
expect_eq "$("$E2E_PROBE" geometry "$DEMO_WIN" | cut -d' ' -f3-)" "520 416" "the window's client area is 520x416"
expect_true "the gallery's window has the focus" wait_for 10 focus_is "$DEMO_WIN"
xdotool key Escape
demo_exit_code
expect_eq "$?" 0 "Escape closes the gallery with exit code 0"
expect_eq "$(ls -A "$GALLERY_DIR")" "Gallery" "nothing was written beside the program"
expect_eq "$(cd "$GALLERY_HOME" && find . -type f | sort)" "./scoutlane/registry.txt" \
  "only the registry store was written"

report
