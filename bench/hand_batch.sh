#!/usr/bin/env bash
# Hands per second end to end: velmarto-score hand --batch (text and JSON) on 12,000 lines.
#   bench/hand_batch.sh [build/release]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build/release}
tool=$build/cli/velmarto-score
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
hands=(
    "234567m234p6799s8s --tsumo --riichi --dora 1m --seat S"
    "567p345s66s888p --chi 234m --seat S"
    "1122m3344p5566s77z"
    "112233m55p456p78s9s"
    "234m567p99s --pon 777z --pon 111z"
    "111m999p555s22z --pon 888p --seat S"
    "123m789p789s111z99m"
    "11223344556677m --seat S"
    "555z666z77z123m456p --seat S"
    "19m19p19s1234567z1m"
    "111m333p555s99s777z --tsumo --seat S"
    "123m456p789s234s11z --riichi"
)
for _ in $(seq 1000); do printf '%s\n' "${hands[@]}"; done >"$work/hands.txt"
lines=$(wc -l <"$work/hands.txt")
hyperfine --warmup 2 --runs 10 --export-json "$work/times.json" \
    -n "text" "$tool hand --batch <$work/hands.txt >/dev/null" \
    -n "json" "$tool hand --batch --json <$work/hands.txt >/dev/null"
python3 - "$work/times.json" "$lines" <<'PY'
import json, sys
for result in json.load(open(sys.argv[1]))["results"]:
    print(f'{result["command"]}: {int(sys.argv[2]) / result["mean"]:,.0f} hands per second')
PY
