#!/usr/bin/env bash
# The bar driven by the keyboard alone, on a desktop with a window manager and a session bus:
# `ombrix --toggle` from a terminal opens the bar with the focus on its first key, the arrows
# move to key 3, Return starts its program, Escape closes the bar, and each time the terminal
# that was typed in has the focus again; the bar's own shortcut Super+Alt+O does the same. Set OMBRIX_E2E_SHOTS to a folder to keep a picture of
# the focused key.
#
# Usage: keyboard_e2e.sh <program folder> <makekeytable> <argrecorder>
# Exit codes: 0 all checks passed, 1 a check failed, 77 a needed tool is missing (skipped).
set -u

program_source=${1:?program folder}
make_key_table=${2:?makekeytable}
arg_recorder=${3:?argrecorder}

test_title="the end-to-end test of the bar from the keyboard"
# shellcheck source=common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/common.sh"
require_tools Xvfb xdotool xwininfo xprop xterm openbox dbus-run-session import
require_files "$program_source/ombrix" "$make_key_table" "$arg_recorder"

# The bar and `ombrix --toggle` meet on a session bus of the test's own.
if [ -z "${OMBRIX_E2E_OWN_BUS:-}" ]; then
    OMBRIX_E2E_OWN_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi

make_work ombrix-keyboard-e2e
make_user_world "$program_source"
mkdir -p "$XDG_CONFIG_HOME/Ombrix"
printf '[posizione]\nleft=0\ntop=3000\nlarghezza=400\nsuono=False\n' \
    >"$XDG_CONFIG_HOME/Ombrix/Ombrix.conf"
"$make_key_table" "$program" "$XDG_CONFIG_HOME/Ombrix/keycount.stm" 6 documents \
    "$arg_recorder" "$work/documents" || fail "the key table could not be written"
record="$work/record"
export ARGRECORDER_OUT="$record"
start_xvfb
start_window_manager

active_window() { xprop -root _NET_ACTIVE_WINDOW 2>/dev/null | sed -n 's/.*# 0x/0x/p'; }
decimal() { printf '%d' "$1" 2>/dev/null; }

wait_for_active() { # window [seconds]: true once it is the active window
    for _ in $(seq $((${2:-5} * 20))); do
        [ "$(decimal "$(active_window)")" = "$1" ] && return 0
        sleep 0.05
    done
    return 1
}

bar_width() { geometry "$1" | cut -d' ' -f3; }

wait_for_width() { # window width: true once the bar is that wide
    for _ in $(seq 100); do
        [ "$(bar_width "$1")" = "$2" ] && return 0
        sleep 0.05
    done
    return 1
}

xterm -title typing-here -e sleep 600 &
terminal_pid=$!
terminal=$(wait_for_window "$terminal_pid") || { fail "the terminal did not appear"; report; exit; }
xdotool windowactivate --sync "$terminal" 2>/dev/null
wait_for_active "$terminal" || fail "the terminal is not the active window to begin with"

# ---------------------------------------------------------------- no bar yet: one starts, opened
"$program/ombrix" --toggle >"$work/bar.log" 2>&1 &
bar_pid=$!
bar=$(wait_for_window "$bar_pid") || { fail "no bar started"; cat "$work/bar.log"; report; exit; }
if wait_for_active "$bar"; then pass "a started --toggle bar takes the focus"; else
    fail "a started --toggle bar takes the focus (active: $(active_window))"; fi
wait_for_width "$bar" 1920 && pass "and opens" || fail "and opens: width $(bar_width "$bar")"

xdotool key Escape
wait_for_width "$bar" 27 && pass "Escape closes the bar" || fail "Escape closes the bar"
wait_for_active "$terminal" && pass "Escape gives the focus back to the terminal" ||
    fail "Escape gives the focus back to the terminal (active: $(active_window))"

# ---------------------------------------------------------------- the running bar is asked
timeout 10 "$program/ombrix" --toggle >"$work/toggle.log" 2>&1
expect_eq "--toggle with a bar running ends at once" "$?" 0
wait_for_width "$bar" 1920 && pass "the running bar opens" || fail "the running bar opens"
wait_for_active "$bar" && pass "and takes the focus" || fail "and takes the focus"

xdotool key Right Right
sleep 0.3
if [ -n "${OMBRIX_E2E_SHOTS:-}" ]; then
    mkdir -p "$OMBRIX_E2E_SHOTS"
    read -r _ bar_top _ bar_height <<<"$(geometry "$bar")"
    import -window root -crop "360x${bar_height}+0+${bar_top}" "$OMBRIX_E2E_SHOTS/keyboard-focus.png"
fi
rm -f "$record"
xdotool key Return
for _ in $(seq 100); do
    [ -f "$record" ] && break
    sleep 0.05
done
if read_records "$record" 2>/dev/null; then
    expect_eq "Return on key 3 starts its program with its document" \
        "${records[2]:-}" "$(cd "$work/documents" && pwd -P)/doc2.txt"
else
    fail "Return on key 3 starts its program"
fi
wait_for_width "$bar" 27 && pass "a used key closes the bar" || fail "a used key closes the bar"
wait_for_active "$terminal" && pass "and the terminal has the focus again" ||
    fail "and the terminal has the focus again (active: $(active_window))"

# ---------------------------------------------------------------- opened by the mouse
xdotool mousemove 13 "$(( $(geometry "$bar" | cut -d' ' -f2) + 13 ))" click 1
wait_for_width "$bar" 1920 || fail "a click opens the bar"
sleep 0.3
expect_eq "opened by the mouse the bar leaves the focus where it was" \
    "$(decimal "$(active_window)")" "$terminal"
timeout 10 "$program/ombrix" --toggle >/dev/null 2>&1
wait_for_width "$bar" 27 && pass "--toggle closes a bar opened by the mouse" ||
    fail "--toggle closes a bar opened by the mouse"

# ---------------------------------------------------------------- the bar's own shortcut
xdotool windowactivate --sync "$terminal" 2>/dev/null
wait_for_active "$terminal" || fail "the terminal is active again before the shortcut"
xdotool key super+alt+o
wait_for_width "$bar" 1920 && pass "Super+Alt+O opens the bar" || fail "Super+Alt+O opens the bar"
wait_for_active "$bar" && pass "with the focus" || fail "with the focus"
xdotool key super+alt+o
wait_for_width "$bar" 27 && pass "Super+Alt+O again closes it" || fail "Super+Alt+O again closes it"
wait_for_active "$terminal" && pass "and gives the focus back" || fail "and gives the focus back"

# ---------------------------------------------------------------- the user clicks away
timeout 10 "$program/ombrix" --toggle >/dev/null 2>&1
wait_for_active "$bar" || fail "--toggle gives the bar the focus again"
read -r tx ty tw th <<<"$(geometry "$terminal")"
xdotool mousemove $((tx + tw / 2)) $((ty + 20)) click 1
wait_for_active "$terminal" && pass "a click on another window takes the focus from the open bar" ||
    fail "a click on another window takes the focus from the open bar"
timeout 10 "$program/ombrix" --toggle >/dev/null 2>&1
wait_for_width "$bar" 27 && pass "--toggle then closes the bar" || fail "--toggle then closes the bar"
sleep 0.3
expect_eq "and the focus stays where the click put it" "$(decimal "$(active_window)")" "$terminal"

report
