#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Instructions per call under callgrind, which unlike the clock repeat from run to run: one
# export call against libzint's Create + Encode + Delete for the same symbol, every row of
# zint_compare whose name holds NAME.
#   bench/zint/instructions.sh ZINT_COMPARE NAME EXPORT
# e.g. bench/zint/instructions.sh build-bench/bench/zint_compare StackedOmni DataBarStackedOmni
set -euo pipefail
program=$1 name=$2 export=$3
out=$(mktemp)
trap 'rm -f "$out"' EXIT
valgrind --tool=callgrind --callgrind-out-file="$out" "$program" 1 "$name" >/dev/null 2>&1
# One round: 2000 export calls and 200 zint calls, and one of each checking the symbol.
callgrind_annotate --inclusive=yes --threshold=100 "$out" 2>/dev/null | awk -v ours="$export" '
  function count(s) { gsub(",", "", s); return s + 0 }
  $0 ~ ":" ours " \\[" { mine = count($1) }
  /:ZBarcode_(Create|Encode|Delete) \[/ { zint += count($1) }
  END {
    printf "%s: %.0f instructions per export call, %.0f per zint call, ratio %.2f\n",
           ours, mine / 2001, zint / 201, (zint / 201) / (mine / 2001)
  }'
