#!/usr/bin/env bash
# Times velmarto-score printing each full table (--plain) against cat printing the same bytes.
#   bench/table_vs_cat.sh [build/release]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build/release}
tool=$build/cli/velmarto-score
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
commands=()
for seat in dealer non-dealer; do
    "$tool" --table --plain "--$seat" >"$work/$seat.txt"
    commands+=(-n "velmarto-score --$seat" "$tool --table --plain --$seat"
        -n "cat $seat" "cat $work/$seat.txt")
done
hyperfine --warmup 10 --runs 200 -N --output=pipe "${commands[@]}"
