#!/usr/bin/env bash
# velmarto-score.exe under Wine: the same bytes as on Linux, and the same refusals.
#   score_wine.sh WINE_DIR PATH/TO/velmarto-score.exe
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
wine_dir=$1 tool=$2
failures=0
run() { "$root/scripts/wine-env" run "$wine_dir" "$tool" "$@" 2>/dev/null; }

expect() {
    local expected=$1
    shift
    local actual
    actual=$(run "$@" | od -An -tx1) || true
    if [ "$actual" = "$(printf '%s\n' "$expected" | od -An -tx1)" ]; then
        echo "ok: $*"
    else
        echo "FAIL: $* printed $(run "$@")"
        failures=$((failures + 1))
    fi
}

expect "点数＝1500点　子の支払い 500点オール" 1 30
expect "点数＝393万2200点　親の支払い 196万6100点／子の支払い 98万3100点" --non-dealer 13 30
expect "$(printf '%s\n' "点数＝1500点　子の支払い 500点オール" | iconv -f UTF-8 -t CP932)" --encoding cp932 1 30
status=0
run 120 30 >/dev/null || status=$?
if [ "$status" -eq 2 ]; then echo "ok: 120 30 exits 2"; else echo "FAIL: 120 30 exited $status"; failures=$((failures + 1)); fi

echo "score_wine: $failures failure(s)"
[ "$failures" -eq 0 ]
