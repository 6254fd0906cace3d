#!/usr/bin/env bash
# velmarto-score game as a user drives it: a short game through the commands, --json, export and
# import, and bad input, each refused with one line on stderr, status 2 and the database as it was.
#   game_e2e.sh PATH/TO/velmarto-score                natively
#   game_e2e.sh PATH/TO/velmarto-score.exe WINE_DIR   in the private Wine of scripts/wine-env
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ $# -ge 2 ]; then
    score=("$root/scripts/wine-env" run "$2" "$1")
else
    score=("$1")
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
db=$work/games.sqlite3
fail() { echo "FAIL: $*" >&2; exit 1; }
game() { "${score[@]}" game --db "$db" "$@"; }
expect() {  # expect WHAT EXPECTED ACTUAL
    [[ $3 == "$2" ]] || fail "$1: expected
$2
got
$3"
}

id=$(game new Aiko Ben Chika Dai)
expect "new prints the id" 1 "$id"
game riichi "$id" S >/dev/null
game ron "$id" Dai W 3 30 >/dev/null
game draw "$id" Ben >/dev/null
game riichi "$id" Aiko >/dev/null
game ron "$id" E S 2 30 N 3 40 >/dev/null
game chombo "$id" Ben >/dev/null
game tsumo "$id" Aiko "123p777z99m --pon 555z --pon 666z" --pao Ben >/dev/null
# Worked out by hand: Ben, liable for the 大三元 (14 han 40 fu), pays the whole tsumo with
# 2 honba: 5,243,100 + 2 x 2,621,700.
expect "show after a double ron, a false win and pao" "対局 1　東3局 0本場　供託 0本
西 Aiko　1050万5100点
北 Ben　-1046万7300点
東 Chika　3万2900点
南 Dai　2万9300点
直前の記録（ツモ）: Aiko +1048万6500点 Ben -1048万6500点" "$(game show "$id")"
json=$(game show "$id" --json)
expect "show --json" '{"id":"1","players":[{"name":"Aiko","points":"10505100","last_paid":"10486500"},{"name":"Ben","points":"-10467300","last_paid":"-10486500"},{"name":"Chika","points":"32900","last_paid":"0"},{"name":"Dai","points":"29300","last_paid":"0"}],"round":"東","hand":3,"honba":0,"sticks":0,"finished":false' "${json%%,\"events\"*}"
game undo "$id" >/dev/null
expect "undo takes back the tsumo" "対局 1　東2局 2本場　供託 0本" "$(game show "$id" --plain | head -1)"

game export "$id" >"$work/game.json"
imported=$(game import "$work/game.json")
expect "import prints a new id" 2 "$imported"
expect "an imported game shows the same standings" "$(game show "$id" --json | sed 's/"id":"1"//')" \
    "$(game show "$imported" --json | sed 's/"id":"2"//')"
expect "import from standard input" 3 "$(game import - <"$work/game.json")"
expect "list" "1 Aiko Ben Chika Dai 東2局 2本場" "$(game list | head -1 | cut -f1,3,4 | tr '\t' ' ')"

# A three-player East round to its end: the dealer wins the last hand on top.
three=$(game new X Y Z --east)
game draw "$three" >/dev/null
game draw "$three" >/dev/null
game ron "$three" X Z 3 30 >/dev/null
# 2 honba on Z's dealer ron, 5800 + 600; the board keeps the hand as it was played.
expect "a finished game" "対局 $three　東3局 2本場　供託 0本　終局
南 X　2万8600点
西 Y　3万5000点
東 Z　4万1400点
直前の記録（ロン）: X -6400点 Z +6400点
1位 Z　4万1400点
2位 Y　3万5000点
3位 X　2万8600点" "$(game show "$three")"

refuse() {  # refuse WHAT MESSAGE ARGS...
    local what=$1 message=$2
    shift 2
    local before after status=0
    before=$(sqlite3 "$db" .dump)
    "${score[@]}" game --db "$db" "$@" >"$work/out" 2>"$work/err" || status=$?
    after=$(sqlite3 "$db" .dump)
    expect "$what: status" 2 "$status"
    expect "$what: stdout" "" "$(cat "$work/out")"
    expect "$what: stderr" "velmarto-score: game: $message" "$(cat "$work/err")"
    [[ $before == "$after" ]] || fail "$what: the database changed"
}
refuse "unknown player" \
    "unknown player 'Eve'; the players are Aiko (E), Ben (S), Chika (W), Dai (N)" \
    riichi "$id" Eve
refuse "ron from oneself" "a player cannot ron their own discard" ron "$id" Ben Ben 1 30
refuse "a win in a finished game" "the game is over" tsumo "$three" Y 1 30
refuse "no yaku" "the hand has no yaku: record it as a false win" \
    ron "$id" W E 123m456p789s23455s
refuse "a hand with the game's own options" \
    "the hand '234567m234p6799s8s --seat S': in a game the seat, round, tsumo, honba, sticks, players and rules are the game's: give the tiles, sets, indicators and situation only" \
    tsumo "$id" E "234567m234p6799s8s --seat S"
refuse "an unknown game" "no game 99" show 99
echo '{"format": "velmarto-game", "version": 1, "rules": {}, "players": ["a"], "events": []}' \
    >"$work/bad.json"
refuse "a malformed export" "a game of 4 players needs 4 names, not 1" import "$work/bad.json"
sed 's/"discarder": 3/"discarder": 2/' "$work/game.json" >"$work/self.json"
refuse "an export with a ron from oneself" \
    "event 2: a player cannot ron their own discard" import "$work/self.json"

# A file that is not a velmarto database is refused and left exactly as it was.
printf 'not a database\n' >"$work/notes.txt"
cp "$work/notes.txt" "$work/notes.orig"
status=0
"${score[@]}" game --db "$work/notes.txt" list 2>"$work/err" || status=$?
expect "a foreign file: status" 2 "$status"
expect "a foreign file: stderr" \
    "velmarto-score: game: $work/notes.txt is not a velmarto database; left as it is" \
    "$(cat "$work/err")"
cmp -s "$work/notes.txt" "$work/notes.orig" || fail "the foreign file changed"
echo "game end to end: ok"
