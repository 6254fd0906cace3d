#!/usr/bin/env bash
# velmarto in a real X server, used with real key presses; the clipboard is read back by another
# program and compared byte for byte.
#   window_e2e.sh PATH/TO/velmarto
set -euo pipefail
app=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/xvfb.sh"
work=$(mktemp -d)
trap 'kill "${app_pid:-}" 2>/dev/null || true; stop_xvfb; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work

failures=0
expect_clipboard() {
    local expected=$1
    printf '%s' "$expected" >"$work/expected"
    xclip -selection clipboard -t UTF8_STRING -o >"$work/actual" 2>/dev/null || true
    if cmp -s "$work/expected" "$work/actual"; then
        echo "ok: clipboard holds '$expected'"
    else
        echo "FAIL: clipboard holds '$(cat "$work/actual")', expected '$expected'"
        failures=$((failures + 1))
    fi
}

# Key presses through the X server's test extension, to whichever window has the focus.
press() {
    xdotool key --delay 50 "$@"
    sleep 0.3
}

start_xvfb
"$app" &
app_pid=$!
window=$(wait_for_window velmarto)
xdotool windowfocus --sync "$window"
sleep 0.3

# Enter with the defaults, then Tab to the copy button (tens, units, fu, seat, calculate, copy).
press Return Tab Tab Tab Tab Tab Return
expect_clipboard "点数＝1500点　子の支払い 500点オール"

# Back to the han tens selector for 11 han, then 子, calculate and copy.
press shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab Down Tab Tab Tab Right Return Tab Tab Return
expect_clipboard "点数＝98万3100点　親の支払い 49万1600点／子の支払い 24万5800点"

# Han 0 gives the no-yaku line, which can be copied too.
press shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab Up Tab Up Return Tab Tab Tab Tab Return
expect_clipboard "役無しチョンボ！ 親への支払い 4000点／子への支払い 2000点"

# Shift+F10 opens the window menu; its About item (mnemonic A) opens the About box, Esc closes it.
press shift+F10 a
if xdotool search --onlyvisible --name "ﾊﾞｰｼﾞｮﾝ情報" >/dev/null; then
    echo "ok: the About box opened from the menu"
else
    echo "FAIL: no About box"
    failures=$((failures + 1))
fi
press Escape
if ! xdotool search --onlyvisible --name "ﾊﾞｰｼﾞｮﾝ情報" >/dev/null && kill -0 "$app_pid" 2>/dev/null; then
    echo "ok: Esc closed the About box and left the score window open"
else
    echo "FAIL: the About box did not close on its own"
    failures=$((failures + 1))
fi

# Esc ends the program.
press Escape
for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app_pid" 2>/dev/null; then
    echo "FAIL: Esc did not close velmarto"
    failures=$((failures + 1))
else
    echo "ok: Esc closed velmarto"
fi

echo "window_e2e: $failures failure(s)"
[ "$failures" -eq 0 ]
