#!/usr/bin/env bash
# The store under real processes. A writer is killed with SIGKILL at random moments while
# another keeps appending: after each kill the database opens, passes its integrity check and
# holds every event a writer reported as recorded. Then two writers append at once: each event
# is either recorded or refused as busy, never lost. Bounded by counts, not by time.
set -euo pipefail
score=$1
work=$(mktemp -d)
killer_group=0
steady=0
cleanup() {
    ((killer_group == 0)) || kill -9 -- -"$killer_group" 2>/dev/null || true
    ((steady == 0)) || kill "$steady" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
db=$work/games.sqlite3
fail() { echo "FAIL: $*" >&2; exit 1; }
# The checks wait for a writer's lock like velmarto does.
query() { sqlite3 -cmd ".timeout 5000" "$db" "$1"; }
# Every log exists from the start: a slow first writer must not leave a count without its file.
touch "$work/refusals" "$work/steady.log" "$work/killed.log"

id=$("$score" game --db "$db" new A B C D)

# Appends abortive draws (any hand allows them, as often as it likes) one process at a time; each
# one reported recorded adds a line to $2.
writer() {
    local player=$1 log=$2
    while true; do
        if "$score" game --db "$db" abort "$id" >/dev/null 2>>"$work/refusals"; then
            echo recorded >>"$log"
        fi
    done
}

stored() { query "SELECT count(*) FROM events WHERE game = $id"; }
reported() { cat "$work"/*.log 2>/dev/null | wc -l; }

writer S "$work/steady.log" &
steady=$!
for round in $(seq 1 12); do
    setsid bash -c "$(declare -f writer); score='$score' db='$db' id='$id' work='$work'; writer E '$work/killed.log'" &
    killer_group=$!
    sleep "0.$((RANDOM % 4 + 1))"
    kill -9 -- -"$killer_group"
    wait "$killer_group" 2>/dev/null || true
    [[ $(query "PRAGMA integrity_check") == ok ]] || fail "integrity check after kill $round"
    # A writer may be killed after its commit and before it reports: never the other way round.
    # The steady writer may report an event between the two counts, so count it first.
    reports=$(reported)
    count=$(stored)
    ((count >= reports)) || fail "kill $round: $reports reported, $count stored"
done
kill "$steady"
wait "$steady" 2>/dev/null || true
steady=0
count=$(stored)
((count >= $(reported))) || fail "after the kills: $(reported) reported, $count stored"
"$score" game --db "$db" show "$id" >/dev/null || fail "the game no longer shows"
echo "kills: 12, events stored: $count, reported: $(reported)"

# Two writers at once on a fresh game: every process either records or says busy.
id=$("$score" game --db "$db" new A B C D)
rm -f "$work"/*.log
touch "$work/two-E.log" "$work/two-W.log"
two() {
    local player=$1
    for _ in $(seq 1 40); do
        set +e
        "$score" game --db "$db" abort "$id" >/dev/null 2>>"$work/two.err"
        status=$?
        set -e
        case $status in
            0) echo "$player" >>"$work/two-$player.log" ;;
            3) echo busy >>"$work/busy.log" ;;
            *) fail "writer $player: status $status: $(tail -1 "$work/two.err")" ;;
        esac
    done
}
two E & first=$!
two W & second=$!
wait "$first"; wait "$second"
recorded=$(cat "$work"/two-*.log | wc -l)
count=$(stored)
((count == recorded)) || fail "two writers: $recorded recorded, $count stored"
[[ $(query "PRAGMA integrity_check") == ok ]] || fail "integrity check after two writers"
echo "two writers: $recorded recorded, $(cat "$work"/busy.log 2>/dev/null | wc -l) told to retry"
