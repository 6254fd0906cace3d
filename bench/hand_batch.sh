#!/usr/bin/env bash
# Hands per second end to end: velmarto-score hand --batch (text and JSON) on 10,000 random
# winning hands from bench/random_hands.py.
#   bench/hand_batch.sh [build/release] [COUNT]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build/release}
count=${2:-10000}
tool=$build/cli/velmarto-score
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$here/random_hands.py" "$count" >"$work/hands.txt"
lines=$(wc -l <"$work/hands.txt")
hyperfine --warmup 2 --runs 10 --export-json "$work/times.json" \
    -n "text" "$tool hand --batch <$work/hands.txt >/dev/null" \
    -n "json" "$tool hand --batch --json <$work/hands.txt >/dev/null"
python3 - "$work/times.json" "$lines" <<'PY'
import json, sys
for result in json.load(open(sys.argv[1]))["results"]:
    print(f'{result["command"]}: {int(sys.argv[2]) / result["mean"]:,.0f} hands per second')
PY
