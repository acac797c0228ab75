#!/usr/bin/env bash
# The bar and the setup program never run side by side, however the setup program is started:
# under a window manager (openbox, in a session bus of its own) on a 1366 x 768 screen, a bar
# with ten keys runs open, docked left, and is dragged down. The setup program, started as
# from the menu, ends that bar, which saves its new place as "ins." would. A second bar started
# while the setup program runs is ended too when "EXIT" is pressed after the number of keys
# was made 3: exactly one bar runs then, and it shows three keys. Its "ins." then starts the
# setup program with a startup notice for its editor.
#
# Usage: handover_e2e.sh <program folder> <makekeytable> <argrecorder>
# Exit codes: 0 all checks passed, 1 a check failed, 77 a needed tool is missing (skipped).
set -u

program_source=${1:?program folder}
make_key_table=${2:?makekeytable}
arg_recorder=${3:?argrecorder}

test_title="the end-to-end test of the hand-over between the bar and the setup program"
# shellcheck source=common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/common.sh"
require_tools Xvfb openbox dbus-run-session xdotool xwininfo xprop pgrep
require_files "$program_source/ombrix" "$program_source/tune" "$make_key_table" "$arg_recorder"
end_others() { # the bar the setup program started is not this shell's child
    local pid bars
    bars=$(our_bars)
    for pid in $bars; do kill "$pid" 2>/dev/null; done
    for pid in $bars; do wait_for 3 eval '! alive "$pid"'; done # it saves its place first
}
make_work ombrix-handover-e2e

make_user_world "$program_source"
export XDG_DATA_DIRS="$work/no-applications"
mkdir -p "$XDG_DATA_DIRS" "$XDG_CONFIG_HOME/Ombrix"
start_xvfb 1366x768
start_window_manager

conf="$XDG_CONFIG_HOME/Ombrix/Ombrix.conf"
"$make_key_table" "$program" "$XDG_CONFIG_HOME/Ombrix/keycount.stm" 10 documents \
    "$arg_recorder" "$work/documents" || { echo "FAIL: the key table could not be written"; exit 1; }
printf '[posizione]\nleft=0\ntop=3000\nlarghezza=20490\nindice=1\n' >"$conf"

wait_for() { # seconds command...: true once the command succeeds
    local tries=$(($1 * 20))
    shift
    for _ in $(seq "$tries"); do
        "$@" && return 0
        sleep 0.05
    done
    return 1
}
our_programs() { # name: its processes running from this test's folder, whoever started them
    local pid
    for pid in $(pgrep -x "$1"); do
        [ "$(readlink "/proc/$pid/exe")" = "$program/$1" ] && alive "$pid" && echo "$pid"
    done
}
our_bars() { our_programs ombrix; }
bar_windows() { xdotool search --onlyvisible --classname '^ombrix$' 2>/dev/null; }
setting() { sed -n "s/^$1=//p" "$conf"; }
# The width of the open bar's outline: its one row holds the keys and the controls before them.
shaped_width() { xwininfo -shape -id "$1" | sed -n 's/.*Window shape extents: *\([0-9]*\)x.*/\1/p'; }
row_width() { echo $(((2 * ($1 * 365 + 2020) + 15) / 30)); } # keys: pixels, 15 twips each

# ================================================================ a bar runs, moved by hand
"$program/ombrix" >"$work/bar1.log" 2>&1 &
bar1=$!
bar=$(wait_for_window "$bar1") || { cat "$work/bar1.log"; echo "FAIL: the bar showed no window"; exit 1; }
wait_for_still "$bar" || fail "the bar kept moving: $(geometry "$bar")"
read -r x y _ _ <<<"$(geometry "$bar")"
xdotool mousemove $((x + 12)) $((y + 12)) sleep 0.1 mousedown 1 sleep 0.1 \
    mousemove $((x + 12)) $((y + 62)) sleep 0.1 mousemove $((x + 12)) $((y + 112)) sleep 0.1 mouseup 1
below() { [ "$(geometry "$bar" | cut -d' ' -f2)" -gt "$y" ]; }
# The place it was dragged to is read once it has stopped there.
wait_until 10 below && wait_for_still "$bar"
read -r _ moved_y _ _ <<<"$(geometry "$bar")"
[ "$moved_y" -gt "$y" ] || fail "the bar could not be dragged down (at $y, then $moved_y)"

# 1. The setup program started beside it ends the bar, whose new place is saved.
"$program/tune" >"$work/tune.log" 2>&1 &
tune=$!
if wait_for 5 eval '! alive "$bar1"'; then
    wait "$bar1"
    expect_eq "1: the running bar ends when the setup program starts" "$?" 0
else
    fail "1: the bar still runs beside the setup program"
fi
expect_eq "1: the bar saved the place it was dragged to" "$(setting top)" "$((moved_y * 15))"
wait_for 10 eval 'xdotool search --onlyvisible --name "^Ombrix Setup" >/dev/null 2>&1' ||
    { cat "$work/tune.log"; fail "1: the setup program showed no editor"; report; exit 1; }
editor=$(xdotool search --onlyvisible --name "^Ombrix Setup" 2>/dev/null | head -n1)
# The editor is placed again once the window manager has framed it: read once it holds.
wait_for_still "$editor" || fail "1: the editor kept moving: $(geometry "$editor")"
read -r ex ey _ _ <<<"$(geometry "$editor")"

# 2. A bar started while the setup program runs, then "EXIT" after making the keys 3: only
#    the bar the setup program starts runs then, with the three keys.
"$program/ombrix" >"$work/bar2.log" 2>&1 &
bar2=$!
wait_for_window "$bar2" >/dev/null || fail "2: the second bar showed no window"
xdotool mousemove $((ex + 460)) $((ey + 46)) click --delay 1 1 # the number of keys
xdotool windowfocus --sync "$editor" 2>/dev/null
xdotool key --delay 20 ctrl+a 3 Tab
sleep 0.3
xdotool mousemove $((ex + 529)) $((ey + 226)) click --delay 1 1 # "EXIT"
wait_for 8 eval '! alive "$tune"' || fail "2: the setup program still runs after \"EXIT\""
wait_for 5 eval '! alive "$bar2"' || fail "2: the bar started meanwhile still runs"
wait_for 10 eval '[ "$(our_bars | wc -l)" = 1 ] && [ "$(bar_windows | wc -l)" = 1 ]'
sleep 1 # a second bar would show by now
expect_eq "2: exactly one bar process runs after \"EXIT\"" "$(our_bars | wc -l)" 1
expect_eq "2: exactly one bar window shows after \"EXIT\"" "$(bar_windows | wc -l)" 1
bar=$(bar_windows | head -n1)
if [ -n "$bar" ]; then
    expect_eventually "2: the bar shows the three keys just saved" "$(row_width 3)" shaped_width "$bar"

    # 3. "ins." hands the setup program a startup notice, which its editor carries: the
    #    window manager brings that window to the front.
    read -r x y _ _ <<<"$(geometry "$bar")"
    xdotool mousemove $((x + 84)) $((y + 12)) click --delay 1 1
    if wait_for 10 eval 'xdotool search --onlyvisible --name "^Ombrix Setup" >/dev/null 2>&1'; then
        editor=$(xdotool search --onlyvisible --name "^Ombrix Setup" 2>/dev/null | head -n1)
        notice=$(xprop -id "$editor" _NET_STARTUP_ID | sed -n 's/.* = "\(.*\)"/\1/p')
        [[ $notice == ombrix/tune/*_TIME[0-9]* ]] &&
            pass "3: the editor started by \"ins.\" carries the launch's startup notice" ||
            fail "3: the editor's startup notice is '$notice'"
        xdotool key --window "$editor" alt+F4 2>/dev/null
        wait_for 5 eval '[ -z "$(our_programs tune)" ]' || fail "3: the setup program did not close"
    else
        fail "3: \"ins.\" did not start the setup program"
    fi
fi

report
