#!/usr/bin/env python3
"""Checks the include rule: a layer includes only the layers below it (the
tests of a layer likewise), a framework folder only the folders below it, and only the backends that may
see a system library include it.

    python3 scripts/check-includes.py [ROOT]

Prints every include that breaks the rule as FILE:LINE: what, and exits 1 when
there is one (0 when the tree keeps the rule).

Layers, lowest first: platform, framework, controls, then the programs (app,
gallery) side by side. Tests, benchmarks and tools sit above everything they
test. Inside framework/ the folders are ordered the same way (see
FRAMEWORK_FOLDERS); a file directly in framework/ counts as the top.
"""

import os
import re
import sys

LAYERS = ["platform", "framework", "controls", "app"]
# Programs on the top layer; they never include each other.
PROGRAMS = {"app", "gallery"}
FRAMEWORK_FOLDERS = ["core", "streaming", "graphics", "forms", "menus", "dialogs", "stdctrls"]
# System headers only one place may include: prefix of the header -> the
# folder allowed to include it.
SYSTEM_HEADERS = [
    (re.compile(r"X11/"), "platform/backends/x11/"),
    (re.compile(r"(ft2build\.h|freetype/|fontconfig/)"), "platform/fonts/"),
    # Windows' own headers: only the platform's Windows files (the backend's
    # native files and the *Win32.cpp twins) call the system.
    (re.compile(r"(windows\.h|imm\.h)$", re.IGNORECASE), "platform/"),
]
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE_ENDINGS = (".h", ".hpp", ".cpp", ".cc", ".c")
SKIPPED_TOP = {"build", ".git", "tests/fuzz"}


def layer_of(path):
    """(rank, program) of a path relative to the root; None for a path that
    belongs to no layer. The tests of a layer (tests/<layer>/) rank as it."""
    if path.startswith("tests/"):
        path = path[len("tests/"):]
    top = path.split("/", 1)[0]
    if top in LAYERS[:3]:
        return LAYERS.index(top), None
    if top in PROGRAMS:
        return 3, top
    return None


def framework_rank(path):
    parts = path.split("/")
    if len(parts) < 2 or parts[0] != "framework":
        return None
    if len(parts) > 2 and parts[1] in FRAMEWORK_FOLDERS:
        return FRAMEWORK_FOLDERS.index(parts[1])
    return len(FRAMEWORK_FOLDERS)


def violations(root):
    for folder, dirs, files in os.walk(root):
        rel_folder = os.path.relpath(folder, root)
        rel_folder = "" if rel_folder == "." else rel_folder
        dirs[:] = [d for d in dirs if os.path.join(rel_folder, d) not in SKIPPED_TOP and
                   not d.startswith("build")]
        for name in files:
            if not name.endswith(SOURCE_ENDINGS):
                continue
            path = os.path.join(rel_folder, name)
            with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if m:
                        for problem in check(path, m.group(1), m.group(2)):
                            yield "%s:%d: %s" % (path, number, problem)


def check(path, kind, target):
    if kind == "<":
        # Tests may look at the system directly (a probe of the X server),
        # and so may the benchmarks' own programs (the bare X window that is
        # the start-up's floor).
        if path.startswith(("tests/", "bench/")):
            return
        for pattern, allowed in SYSTEM_HEADERS:
            if pattern.match(target) and not path.startswith(allowed):
                yield "<%s> is only for %s" % (target, allowed)
        return
    own = layer_of(path)
    other = layer_of(target)
    if own is None or other is None:
        return
    if other[0] > own[0]:
        yield '"%s" is a layer above %s' % (target, path.split("/", 1)[0])
    elif other[0] == 3 and own[0] == 3 and other[1] != own[1]:
        yield '"%s" belongs to another program' % target
    elif own[0] == other[0] == 1 and not path.startswith("tests/"):
        mine, theirs = framework_rank(path), framework_rank(target)
        if theirs > mine:
            yield '"%s" is a framework folder above %s' % (target, os.path.dirname(path))


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    found = list(violations(os.path.abspath(root)))
    for line in found:
        print(line)
    if found:
        print("include rule broken: %d include(s)" % len(found), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
