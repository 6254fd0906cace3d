#!/usr/bin/env bash
# The game database from the command line: `game list` and `game show` on a database of 1,000
# games of 60 events each, and events appended per second, one process and one transaction each.
#   bench/game_store.sh [build/release]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build/release}
tool=$build/cli/velmarto-score
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
db=$work/games.sqlite3
game() { "$tool" game --db "$db" "$@"; }

# One game of 60 events, imported 1,000 times.
id=$(game new A B C D)
for _ in $(seq 10); do
    game riichi "$id" S >/dev/null
    game ron "$id" N E 13 30 >/dev/null
    game draw "$id" E W >/dev/null
    game abort "$id" >/dev/null
    game chombo "$id" W >/dev/null
    game undo "$id" >/dev/null
done
game export "$id" >"$work/game.json"
for _ in $(seq 999); do game import "$work/game.json" >/dev/null; done
echo "games: $(game list | wc -l), database: $(du -k "$db" | cut -f1) KB"
hyperfine --warmup 3 --runs 30 -N -n "game list (1,000 games)" "$tool game --db $db list" \
    -n "game show 500 (of 1,000)" "$tool game --db $db show 500" \
    -n "game show 500 --json" "$tool game --db $db show 500 --json"

appends=300
start=$(date +%s.%N)
# An abortive draw can follow any other, where a riichi is refused the second time in a hand.
for _ in $(seq "$appends"); do game abort 1000 >/dev/null; done
end=$(date +%s.%N)
python3 -c "print(f'{$appends / ($end - $start):,.0f} events appended per second \
(each its own process and transaction, synchronous=FULL)')"
