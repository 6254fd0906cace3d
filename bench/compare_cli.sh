#!/usr/bin/env bash
# Times velmarto-score printing both full score tables against the Python big-integer script
# printing the same bytes, side by side in one hyperfine run. Needs a release build and hyperfine.
#   bench/compare_cli.sh [build/release]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build/release}
tool=$build/cli/velmarto-score
for seat in dealer non-dealer; do
    cmp <("$tool" --table "--$seat") <(python3 "$here/score_table.py" "$seat")
done
hyperfine --warmup 3 --runs 30 -N \
    -n velmarto-score "sh -c '$tool --table --dealer >/dev/null; $tool --table --non-dealer >/dev/null'" \
    -n python "sh -c 'python3 $here/score_table.py dealer >/dev/null; python3 $here/score_table.py non-dealer >/dev/null'"
