#!/usr/bin/env bash
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

mkdir "$work/tarnwick" "$work/zint"
text=$(seconds "$tarnwick" --batch="$work/gtins.txt" databar14)
png=$(seconds "$tarnwick" --batch="$work/gtins.txt" --png "$work/tarnwick/%d.png" databar14)
zint_png=$(cd "$work/zint" && seconds zint --barcode=29 --batch --mirror --filetype=png --input="$work/gtins.txt")
[ "$(ls "$work/tarnwick" | wc -l)" -eq "$count" ] || { echo "tarnwick wrote too few PNGs" >&2; exit 1; }
[ "$(ls "$work/zint" | wc -l)" -eq "$count" ] || { echo "zint wrote too few PNGs" >&2; exit 1; }

printf '%-44s %8s\n' "$count GTINs, DataBar-14 Omnidirectional" seconds
printf '%-44s %8s\n' "tarnwick --batch, font text" "$text" \
  "tarnwick --batch --png (300 dpi, 12 pt)" "$png" \
  "zint --batch --filetype=png (--mirror)" "$zint_png"
