#!/usr/bin/env bash
# The include check fails on each kind of broken rule and passes a tree that
# keeps them: a small tree is planted in a temporary folder for every case.
#   bash tests/scripts/include-rule-test.sh
set -euo pipefail
checker="$(cd "$(dirname "$0")/../.." && pwd)/scripts/check-includes.py"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# plant NAME FILE INCLUDE: a tree with one lawful base file per folder and
# FILE including INCLUDE.
plant() {
  local tree="$work/$1"
  mkdir -p "$tree"
  for f in platform/core/Types.h framework/core/Classes.h framework/forms/Controls.h \
    framework/stdctrls/Edit.h controls/picker/Dxfcombobox.h app/Main.h; do
    mkdir -p "$tree/$(dirname "$f")"
    echo '#pragma once' >"$tree/$f"
  done
  mkdir -p "$tree/$(dirname "$2")"
  printf '#pragma once\n#include %s\n' "$3" >>"$tree/$2"
  echo "$tree"
}

expect() {  # expect pass|fail NAME FILE INCLUDE
  local tree
  tree=$(plant "$2" "$3" "$4")
  if python3 "$checker" "$tree" >"$work/out" 2>&1; then got=pass; else got=fail; fi
  if [ "$got" != "$1" ]; then
    echo "FAIL $2: expected $1, got $got"; cat "$work/out"; failures=$((failures + 1))
  else
    echo "ok   $2"
  fi
}

expect pass lawful-layer controls/picker/Face.cpp '"framework/stdctrls/Edit.h"'
expect pass lawful-folder framework/stdctrls/Edit.cpp '"framework/forms/Controls.h"'
expect pass lawful-x11 platform/backends/x11/X11Window.cpp '<X11/Xlib.h>'
expect fail platform-includes-framework platform/core/Rect.cpp '"framework/core/Classes.h"'
expect fail framework-includes-controls framework/forms/Control.cpp '"controls/picker/Dxfcombobox.h"'
expect fail controls-includes-app controls/picker/Face.cpp '"app/Main.h"'
expect fail program-includes-program gallery/Gallery.cpp '"app/Main.h"'
expect fail lower-folder-includes-higher framework/core/Classes.cpp '"framework/forms/Controls.h"'
expect fail forms-includes-stdctrls framework/forms/Control.cpp '"framework/stdctrls/Edit.h"'
expect fail layer-tests-include-above tests/framework/EditTest.cpp '"controls/picker/Dxfcombobox.h"'
expect fail xlib-outside-its-backend platform/window/Window.cpp '<X11/Xlib.h>'
expect fail freetype-outside-fonts framework/graphics/Font.cpp '<ft2build.h>'

[ "$failures" -eq 0 ] || { echo "$failures case(s) wrong"; exit 1; }
