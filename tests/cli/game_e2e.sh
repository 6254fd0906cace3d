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
expect "show --json" '{"id":"1","position":7,"players":[{"name":"Aiko","points":"10505100","last_paid":"10486500"},{"name":"Ben","points":"-10467300","last_paid":"-10486500"},{"name":"Chika","points":"32900","last_paid":"0"},{"name":"Dai","points":"29300","last_paid":"0"}],"round":"東","hand":3,"honba":0,"sticks":0,"finished":false' "${json%%,\"events\"*}"
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

# The ledger refuses what cannot happen, each with one line and the database as it was.
led=$(game new Aiko Ben Chika Dai --label "club night")
game riichi "$led" Ben >/dev/null
refuse "riichi twice in a hand" "Ben has already declared riichi in this hand" riichi "$led" S
refuse "a riichi claimed without a declaration" \
    "Chika did not declare riichi in this hand, so the hand cannot count 立直" \
    ron "$led" Dai Chika "234567m234p6799s8s --riichi --dora 1m"
refuse "pao on a 3 han win" "a liable player answers for a yakuman: 13 han or more, not 3" \
    tsumo "$led" Chika 3 30 --pao Dai
refuse "pao on a concealed 大三元" \
    "a liable player fed a call: the 大三元 has none of its sets called (pon or open kan)" \
    tsumo "$led" Chika "123p555666777z99m" --pao Dai
refuse "1 han 20 fu" \
    "no hand has 1 han 20 fu this way (20 fu is a self-drawn 平和 of 2 han or more; 25 fu is 七対子, 2 han on a discard and 3 on a self-draw)" \
    tsumo "$led" Chika 1 20
refuse "a han that does not read" "'3x' is not a han count" ron "$led" Dai Chika 3x 30
refuse "a fu that does not read" "'30x' is not a fu count" ron "$led" Dai Chika 3 30x
refuse "an unknown subcommand" \
    "unknown subcommand 'rom'; the subcommands are new, ron, tsumo, riichi, draw, abort, chombo, undo, amend, rename, delete, restore, show, history, list, export, import, season" \
    rom "$led" Dai Chika 3 30
refuse "an unknown option" "unexpected '--foo'" show "$led" --foo
refuse "an option without its value" "--start needs a value" new P Q R S2 --start
refuse "uma not summing to zero" "the uma must sum to zero, not 10" \
    new P Q R S2 --oka-uma --uma 30,10,-10,-20
refuse "uma without oka" "--uma and --return go with --oka-uma" new P Q R S2 --uma 30,10,-20,-20
refuse "a name with a tab" \
    "a name cannot hold a tab, a line break or another control character" new "P	x" Q R S2

# Ben declared: his win counts 立直 without the hand saying so (2 han 40 fu: 2600 + the stick).
position=$(game show "$led" --json | sed 's/.*"position":\([0-9]*\).*/\1/')
expect "position after one riichi" 1 "$position"
game ron "$led" Dai Ben "234567m234p6799s8s" --at 1 >/dev/null
status=0
game ron "$led" Dai Ben "234567m234p6799s8s" --at 1 >"$work/out" 2>"$work/err" || status=$?
expect "the same ron sent twice: status" 4 "$status"
expect "the same ron sent twice: message" \
    "velmarto-score: game: the game has moved on (now at 2): check \`show\`" "$(cat "$work/err")"
game draw "$led" Aiko >/dev/null
game amend "$led" 3 draw Aiko Chika >/dev/null
game rename "$led" Dai Daisuke >/dev/null
expect "history" "#1　東1局 0本場　立直　Ben　→ Ben -1000点 供託 +1本
#2　東1局 0本場　ロン　Ben 2飜30符（Daisukeから）　立直 1飜、平和 1飜　→ Ben +3000点 Daisuke -2000点 供託 -1本
#3　東2局 0本場　流局　テンパイ Aiko Chika　→ Aiko +1500点 Ben -1500点 Chika +1500点 Daisuke -1500点
現在（東3局 1本場　供託 0本）
西 Aiko　26500点
北 Ben　25500点
東 Chika　26500点
南 Daisuke　21500点" "$(game history "$led" --plain)"
expect "history as CSV" "position,hand,kind,who,Aiko,Ben,Chika,Daisuke,sticks,han,fu,yaku" \
    "$(game history "$led" --csv | head -1 | tr -d '\r')"
game undo "$led" >/dev/null
expect "undo takes the rename back" "南 Dai　2万1500点" "$(game show "$led" | grep '^南')"

# Stored, but the standings could not be printed: exit 5, and the event is there once. (Natively:
# Wine words the system's error in its own way.)
if [[ -w /dev/full && $# -lt 2 ]]; then
    status=0
    game riichi "$led" Aiko >/dev/full 2>"$work/err" || status=$?
    expect "/dev/full: status" 5 "$status"
    expect "/dev/full: message" \
        "velmarto-score: game: recorded; could not print the standings: No space left on device" \
        "$(cat "$work/err")"
    expect "/dev/full: recorded once" 1 "$(game history "$led" --csv | grep -c ',riichi,Aiko,')"
fi

# A season over the finished games, and a game hidden from it.
game delete "$three" >/dev/null
expect "a deleted game leaves the list" "" "$(game list | cut -f1 | grep -x "$three" || true)"
expect "list --all shows it" "$three" "$(game list --all | cut -f1 | grep -x "$three")"
expect "no season without it" "終局した対局はまだありません" "$(game season)"
game restore "$three" >/dev/null
expect "the season of the three-player game" "三人麻雀
Z　1戦　1位1 2位0 3位0　平均順位 1.00　+6400点　和了 1　放銃 0　立直 0　チョンボ 0　最大の和了 6400点（3飜30符）　飛び 0
Y　1戦　1位0 2位1 3位0　平均順位 2.00　0点　和了 0　放銃 0　立直 0　チョンボ 0　最大の和了 -　飛び 0
X　1戦　1位0 2位0 3位1　平均順位 3.00　-6400点　和了 0　放銃 1　立直 0　チョンボ 0　最大の和了 -　飛び 0" \
    "$(game season --plain)"

# The database's file as a user meets it.
status=0
"${score[@]}" game --db "" list >/dev/null 2>"$work/err" || status=$?
expect "an empty --db: status" 2 "$status"
expect "an empty --db" "velmarto-score: game: --db is empty: give the database's file" \
    "$(cat "$work/err")"
status=0
"${score[@]}" game --db "$work/missing/games.sqlite3" new A B C D >/dev/null 2>"$work/err" || status=$?
[[ $status != 0 ]] || fail "a database in a missing folder was created"
grep -q "$work/missing" "$work/err" || fail "a missing folder is not named: $(cat "$work/err")"
expect "list on a missing file" "対局はまだありません" \
    "$("${score[@]}" game --db "$work/none.sqlite3" list)"
[[ ! -e $work/none.sqlite3 ]] || fail "list created a database"

# A database the user cannot write is still read; a write says which file it cannot write.
# Natively: the private Wine belongs to root, and a file's mode means nothing to Windows.
if [[ $# -ge 2 ]]; then
    echo "game end to end: ok"
    exit 0
fi
sqlite3 "$db" "PRAGMA wal_checkpoint(TRUNCATE)" >/dev/null
readonly_dir=$work/readonly
mkdir "$readonly_dir"
cp "$db" "$readonly_dir/games.sqlite3"
chmod 0755 "$work"
chmod 0444 "$readonly_dir/games.sqlite3"
chmod 0555 "$readonly_dir"
as_user=()
if [[ $(id -u) == 0 ]]; then
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
"${as_user[@]}" "$score" game --db "$readonly_dir/games.sqlite3" show "$id" >"$work/ro-show" ||
    fail "a read-only database cannot be read"
expect "show on a read-only database" "$(game show "$id")" "$(cat "$work/ro-show")"
status=0
"${as_user[@]}" "$score" game --db "$readonly_dir/games.sqlite3" riichi "$id" S \
    >/dev/null 2>"$work/err" || status=$?
expect "a write to a read-only database: status" 1 "$status"
grep -q "$readonly_dir/games.sqlite3" "$work/err" || fail "the read-only file is not named: $(cat "$work/err")"
chmod 0755 "$readonly_dir"
echo "game end to end: ok"
