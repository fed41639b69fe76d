#!/usr/bin/env bash
# Instructions per frame of the background (gradient bands + ten text lines),
# counted by callgrind, and the time per frame without it:
#   bash bench/frame_instructions.sh [build-dir] [frames]
set -euo pipefail
build=${1:-build}
frames=${2:-100}
program="$build/bench/frame_instructions"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$program" 2000
valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$out/cg" \
  "$program" "$frames" >/dev/null 2>"$out/log"
total=$(awk '/^summary:/ {print $2}' "$out/cg")
echo "instructions per frame: $((total / frames)) (callgrind, $frames frames)"
