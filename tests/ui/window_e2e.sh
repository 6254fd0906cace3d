#!/usr/bin/env bash
# velmarto in a real X server, used with real key presses; the clipboard is read back by another
# program and compared byte for byte.
#   window_e2e.sh PATH/TO/velmarto                      the Linux program, in its own Xvfb
#   window_e2e.sh --wine WINE_DIR PATH/TO/velmarto.exe  the Windows program, in a prepared Wine
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/xvfb.sh"
wine_dir=""
if [ "$1" = "--wine" ]; then
    wine_dir=$2
    shift 2
fi
app=$1
work=$(mktemp -d)
trap 'kill "${app_pid:-}" 2>/dev/null || true; stop_xvfb; rm -rf "$work"' EXIT

failures=0
check() {
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
    else
        echo "FAIL: $what"
        failures=$((failures + 1))
    fi
}

expect_clipboard() {
    printf '%s' "$1" >"$work/expected"
    # Windows text ends its lines in CR LF, which Wine hands on as they are. Wine passes the
    # clipboard to X a moment after the copy: the text is read again until it comes.
    for _ in $(seq 20); do
        xclip -selection clipboard -t UTF8_STRING -o 2>/dev/null | tr -d '\r' >"$work/actual" || true
        cmp -s "$work/expected" "$work/actual" && break
        sleep 0.1
    done
    check "clipboard holds '$1' (it holds '$(cat "$work/actual")')" cmp -s "$work/expected" "$work/actual"
}

# Something else on the clipboard, so that a copy that did not happen shows.
forget_clipboard() {
    printf 'nothing copied' | xclip -selection clipboard -i
    sleep 0.2
}

# Key presses through the X server's test extension, to whichever window has the focus.
press() {
    xdotool key --delay 60 "$@"
    sleep 0.4
}

about_visible() { xdotool search --onlyvisible --name "ﾊﾞｰｼﾞｮﾝ情報" >/dev/null; }
hand_visible() { xdotool search --onlyvisible --name "手牌から計算" >/dev/null; }
app_running() { kill -0 "$app_pid" 2>/dev/null; }

if [ -n "$wine_dir" ]; then
    # The Windows program runs on the Wine's X server, with a non-Japanese ANSI code page, so the
    # pasted text is right only if the clipboard item says it is Japanese.
    . "$wine_dir/env"
    VELMARTO_WINE_LANG=C.UTF-8 "$root/scripts/wine-env" run "$wine_dir" "$app" &
    class=velmarto.exe
else
    export XDG_RUNTIME_DIR=$work
    start_xvfb
    "$app" &
    class=velmarto
fi
# Opened by key, the menu highlights our first item, the hand item, with About below it (on
# Windows both come after the system menu's own items).
choose_about=(Down Return)
choose_hand=(Return)
app_pid=$!
window=$(wait_for_window "$class")
xdotool windowfocus --sync "$window"
sleep 0.5

# The window opens on the han tens selector; the menu opens from there and from the fu selector.
press shift+F10 "${choose_about[@]}"
check "Shift+F10 on the han selector opens the window menu" about_visible
press Escape
press Tab Tab
press shift+F10 "${choose_about[@]}"
check "Shift+F10 on the fu selector opens the window menu" about_visible
press Escape
press shift+Tab shift+Tab

# Enter with the defaults, then Tab to the copy button (tens, units, fu, seat, calculate, copy).
press Return Tab Tab Tab Tab Tab Return
expect_clipboard "点数＝1500点　子の支払い 500点オール"

# From the result box too, the window menu and not the box's own.
press Tab
press shift+F10 "${choose_about[@]}"
check "Shift+F10 on the result box opens the window menu" about_visible
press Escape
press shift+Tab

# Back to the han tens selector for 11 han, then 子, calculate and copy.
press shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab Down Tab Tab Tab Right Return Tab Tab Return
expect_clipboard "点数＝98万3100点　親の支払い 49万1600点／子の支払い 24万5800点"

# Han 0 gives the no-yaku line, which can be copied too.
press shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab Up Tab Up Return Tab Tab Tab Tab Return
expect_clipboard "役無しチョンボ！ 親への支払い 4000点／子への支払い 2000点"

press shift+F10 "${choose_about[@]}"
check "the About box opens from the window menu by Shift+F10" about_visible
press Escape
check "Esc closes the About box only" eval '! about_visible && app_running'

press Menu "${choose_about[@]}"
check "the About box opens from the window menu by the Menu key" about_visible
press Escape

# A right-click on the dialog's background below the result box, clear of every control and of
# any frame that Wine draws itself.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --window "$window" 12 $((HEIGHT - 8)) click 3
sleep 0.4
press Up Return
check "the About box opens from the window menu by a right-click" about_visible
press Escape
check "the score window is back" eval '! about_visible && app_running'

# The hand dialog: a hand typed with real keys, counted as it is typed; Enter in the box adds
# nothing. Shift+Tab goes round from the hand box to the copy button (past 閉じる and
# 点数画面に反映).
pinfu="点数＝2900点　子の支払い 1000点オール"
press shift+F10 "${choose_hand[@]}"
check "the hand dialog opens from the window menu" hand_visible
# The hand box's own edit menu pastes a hand (P, its Paste item); on the palette Shift+F10 opens
# the dialog's menu instead, whose first item copies the count. Shift+Tab back into the box
# selects the pasted hand, and typing replaces it.
printf '%s' "234067m234p6799s8s" | xclip -selection clipboard -i
sleep 0.2
press shift+F10 p
press Tab shift+F10 Return
expect_clipboard "$pinfu"
press shift+Tab
xdotool type --delay 60 "234067m234p6799s8s"
press Return shift+Tab shift+Tab shift+Tab Return
expect_clipboard "$pinfu"

# The last tile from the palette: Tab to its first tile, Down by rows to 1s, End and Home along
# the row, Right to 8s; Enter adds it. Then Backspace takes it away and Space adds it again.
# Tab into a box selects its text: End keeps it. Shift+Tab from a tile goes to the palette's
# first tile, then on round to the copy button.
to_copy_from_palette=(shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab)
forget_clipboard
press Tab Tab Tab
press End BackSpace Tab Down Down End Home Right Right Right Right Right Right Right Return
press "${to_copy_from_palette[@]}" Return
expect_clipboard "$pinfu"
forget_clipboard
press Tab Tab Tab End BackSpace Tab Down Down Right Right Right Right Right Right Right space
press "${to_copy_from_palette[@]}" Return
expect_clipboard "$pinfu"

# 本場 and 供託, fifteen tab stops on from the palette (four call boxes, eight check boxes, the two
# winds); Enter there adds nothing. The copy holds the report and the settlement line.
press Tab Tab Tab Tab
press Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab
xdotool type --delay 60 "2"
press Return Tab
xdotool type --delay 60 "1"
press Tab Tab Tab Tab Tab Return
settlement="2本場・供託1本込み　放銃者の支払い 3500点　和了者の受け取り 4500点"
expect_clipboard "$pinfu
$settlement"
press Escape
check "Esc closes the hand dialog only" eval '! hand_visible && app_running'

# Opened again, the dialog is as it was left.
forget_clipboard
press shift+F10 "${choose_hand[@]}"
press shift+Tab shift+Tab shift+Tab Return
expect_clipboard "$pinfu
$settlement"
press Escape

press Escape
for _ in $(seq 50); do app_running || break; sleep 0.1; done
check "Esc ends the program" eval '! app_running'

echo "window_e2e: $failures failure(s)"
[ "$failures" -eq 0 ]
