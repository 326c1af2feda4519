#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# tarnwick --batch against zint --batch on the same GTINs: font text, then PNG files.
#   bench/batch_vs_zint.sh [COUNT] [SEED]     (default 100000 GTINs, seed 15)
# Builds tarnwick with optimisation in build-bench (BENCH_BUILD_DIR), installs zint if missing.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
BUILD_DIR=${BENCH_BUILD_DIR:-$ROOT/build-bench}
count=${1:-100000}
seed=${2:-15}

install_missing "${STRIVANE_PACKAGES[@]}" zint
configure_and_build -DCMAKE_BUILD_TYPE=Release -DSTRIVANE_BUILD_TESTS=OFF --target tarnwick >/dev/null
tarnwick=$BUILD_DIR/cli/tarnwick

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# 13-digit GTINs (the check digit is added by both tools) from a seeded generator.
python3 -c "
import random, sys
r = random.Random(int(sys.argv[2]))
sys.stdout.write(''.join('%013d\n' % r.randrange(10**13) for _ in range(int(sys.argv[1]))))" "$count" "$seed" \
  >"$work/gtins.txt"

# seconds COMMAND...: wall-clock seconds of one run, output discarded.
seconds() {
  local start=$EPOCHREALTIME
  "$@" >/dev/null
  awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN { printf "%.2f", e - s }'
}

# Side by side at the same module width: tarnwick at its default 300 dpi, 12 pt (3 pixels per
# module) and at 200 dpi (2 pixels); zint at --scale=1.5 (3 pixels) and its default (2 pixels).
mkdir "$work/t300" "$work/t200" "$work/z1" "$work/z2"
text=$(seconds "$tarnwick" --batch="$work/gtins.txt" databar14)
t300=$(seconds "$tarnwick" --batch="$work/gtins.txt" --png "$work/t300/%d.png" databar14)
t200=$(seconds "$tarnwick" --batch="$work/gtins.txt" --png "$work/t200/%d.png" --dpi 200 databar14)
z1=$(cd "$work/z1" && seconds zint --barcode=29 --batch --mirror --filetype=png --input="$work/gtins.txt")
z2=$(cd "$work/z2" && seconds zint --barcode=29 --scale=1.5 --batch --mirror --filetype=png --input="$work/gtins.txt")
for d in t300 t200 z1 z2; do
  [ "$(ls "$work/$d" | wc -l)" -eq "$count" ] || { echo "$d: too few PNGs" >&2; exit 1; }
done

printf '%-52s %8s\n' "$count GTINs, DataBar-14 Omnidirectional" seconds
printf '%-52s %8s\n' "tarnwick --batch, font text" "$text" \
  "tarnwick --batch --png, 300 dpi 12 pt (3 px/module)" "$t300" \
  "zint --batch --filetype=png --scale=1.5 (3 px/module)" "$z2" \
  "tarnwick --batch --png --dpi 200 (2 px/module)" "$t200" \
  "zint --batch --filetype=png (2 px/module)" "$z1"
