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
expect "$(printf '%s\n' 立直\ 1飜 門前清自摸和\ 1飜 平和\ 1飜 ドラ\ 1飜 "計 4飜 20符（副底 20）" \
    "点数＝5200点　親の支払い 2600点／子の支払い 1300点")" hand 234567m234p6799s8s --tsumo --riichi --dora 1m --seat S
expect "2向聴　有効牌 6種19枚: 6s×4 9s×4 1z×2 2z×3 3z×3 4z×3" waits 123m456p78s11z234z
expect "$(printf '%s\n' "聴牌（フリテン） 待ち 2種6枚: 5s×3 8s×3" \
    "5s 残り3枚　ロン フリテンのため不可　ツモ 2飜 30符（門前清自摸和、断幺九） 点数＝2000点　親の支払い 1000点／子の支払い 500点" \
    "8s 残り3枚　ロン フリテンのため不可　ツモ 2飜 30符（門前清自摸和、断幺九） 点数＝2000点　親の支払い 1000点／子の支払い 500点")" \
    waits 234567m234p678s5s --seat S --discards 8s

# A batch on standard input, one JSON object per line.
batch=$(printf '%s\n' 19m19p19s1234567z1m "123m4" | run hand --batch --json | od -An -tx1) || true
wanted='{"yaku":[{"name":"国士無双十三面","han":26}],"dora":{"dora":0,"aka":0,"ura":0},"han":26,"fu":40,"fu_items":[{"name":"副底","fu":20},{"name":"門前ロン","fu":10},{"name":"十三面待ち","fu":2}],"dealer":true,"tsumo":false,"no_yaku":false,"payments":{"ron":"64424509500","tsumo_each":"21474836500"},"honba":0,"sticks":0,"report":"点数＝644億2450万9500点　子の支払い 214億7483万6500点オール"}'
if [ "$batch" = "$(printf '%s\n' "$wanted" "{\"error\":\"line 2: '4' at the end of '123m4' has no suit letter (m, p, s or z)\"}" | od -An -tx1)" ]; then
    echo "ok: hand --batch --json"
else
    echo "FAIL: hand --batch --json"
    failures=$((failures + 1))
fi

status=0
run 120 30 >/dev/null || status=$?
if [ "$status" -eq 2 ]; then echo "ok: 120 30 exits 2"; else echo "FAIL: 120 30 exited $status"; failures=$((failures + 1)); fi
status=0
run waits 123m >/dev/null || status=$?
if [ "$status" -eq 2 ]; then echo "ok: waits 123m exits 2"; else echo "FAIL: waits 123m exited $status"; failures=$((failures + 1)); fi

# Arguments arrive as UTF-8 whatever the ANSI code page: full-width tiles read as on Linux.
expect "$(run hand 234567m234p6799s8s --tsumo)" hand ２３４Ｍ567m234p6799s8s --tsumo

# Games kept in the default database, %APPDATA%\velmarto\games.sqlite3 of the private Wine's user.
roaming=$(echo "$wine_dir"/prefix/drive_c/users/*/AppData/Roaming)
rm -rf "$roaming/velmarto"
expect 1 game new A B C D
expect "$(printf '%s\n' "対局 1　東1局 1本場　供託 0本" "東 A　3万0800点" "南 B　1万9200点" "西 C　2万5000点" \
    "北 D　2万5000点" "直前の記録（ロン）: A +5800点 B -5800点")" game ron 1 B A 3 30
players=$(sqlite3 "$roaming/velmarto/games.sqlite3" 'SELECT name FROM players ORDER BY seat' | tr '\n' ' ') || true
if [ "$players" = "A B C D " ]; then
    echo "ok: the game is in %APPDATA%\\velmarto\\games.sqlite3"
else
    echo "FAIL: no game in $roaming/velmarto/games.sqlite3"
    failures=$((failures + 1))
fi

# A database and a player named in Japanese: the file has that name, the name comes back whole.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
expect 1 game --db "$work/対局.sqlite3" new 愛子 Ben Chika Dai
seat=$(run game --db "$work/対局.sqlite3" show 1 | sed -n 2p) || true
if [ -f "$work/対局.sqlite3" ] && [ "$seat" = "東 愛子　2万5000点" ]; then
    echo "ok: a database and a player named in Japanese"
else
    echo "FAIL: 対局.sqlite3 $(ls "$work"), the East seat '$seat'"
    failures=$((failures + 1))
fi
# An %APPDATA% in Japanese, as under a Japanese user name: the folder is made with that name.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
"$root/scripts/wine-env" run "$wine_dir" cmd /c "set APPDATA=$(windows_path "$work/ユーザー")&& $(windows_path "$tool") game new 甲 乙 丙" \
    >/dev/null 2>&1 || true
if [ -f "$work/ユーザー/velmarto/games.sqlite3" ]; then
    echo "ok: the database under an %APPDATA% in Japanese"
else
    echo "FAIL: no database under an %APPDATA% in Japanese: $(find "$work" -mindepth 1)"
    failures=$((failures + 1))
fi

echo "score_wine: $failures failure(s)"
[ "$failures" -eq 0 ]
