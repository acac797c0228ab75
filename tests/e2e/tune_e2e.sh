#!/usr/bin/env bash
# One key's whole road, as a new user takes it, under a virtual X server of its own: in the
# setup program, tick and clear "Run on Windows start up" (the autostart entry comes and goes),
# raise the number of keys, check selector 7, click a program in the file list, tick
# "Originale / Original", press "Setup" and "EXIT"; the bar then starts by itself, its key 7
# shows the program's icon and starts the program. Everything runs from a copy of the program
# folder with its own home, configuration and runtime folders.
#
# Usage: tune_e2e.sh <program folder> <argrecorder>
# Exit codes: 0 all checks passed, 1 a check failed, 77 a needed tool is missing (skipped).
set -u

program_source=${1:?program folder}
arg_recorder=${2:?argrecorder}

test_title="the end-to-end test of the setup program"
# shellcheck source=common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/common.sh"
require_tools Xvfb xdotool xwininfo import compare
require_files "$program_source/tune" "$program_source/ombrix" "$program_source/OStartUp" \
    "$arg_recorder"
bar_pid="" # the bar is started by the setup program, not by this shell
end_others() { [ -n "$bar_pid" ] && kill "$bar_pid" 2>/dev/null; }
make_work ombrix-tune-e2e

# ---------------------------------------------------------------- the new user's world
make_user_world "$program_source"
export XDG_DATA_DIRS="$work/no-applications" # the starter keys are then the same everywhere
mkdir -p "$XDG_DATA_DIRS"
# The program the key will start: the only program in the home folder, where the file list
# opens. It records how it was started.
cp "$arg_recorder" "$HOME/argrecorder"
export ARGRECORDER_OUT="$work/record"
autostart_entry="$XDG_CONFIG_HOME/autostart/ombrix.desktop"
start_xvfb

# ---------------------------------------------------------------- helpers
wait_for() { # seconds command...: true once the command succeeds
    local tries=$(($1 * 20))
    shift
    for _ in $(seq "$tries"); do
        "$@" && return 0
        sleep 0.05
    done
    return 1
}

first_line() { # command...: its first line of output; false when there is none
    local line
    line=$("$@" 2>/dev/null | head -n1)
    [ -n "$line" ] && echo "$line"
}

window_named() { # pattern: the first visible window whose name matches
    first_line xdotool search --onlyvisible --name "$1"
}

origin() { # window: "x y" of its upper-left corner
    [ -n "$1" ] || return 1 # without an id xwininfo would wait for a click
    xwininfo -id "$1" 2>/dev/null |
        awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF} END {print x, y}'
}

width_of() { [ -n "$1" ] && xwininfo -id "$1" 2>/dev/null | awk '/^ *Width:/ {print $NF}'; }

click_at() { xdotool mousemove "$1" "$2" click --delay 1 1; sleep 0.2; }

# The inside of a key, 15 x 15 px: the picture or caption without the key's frame.
key_inside() { # x y file
    import -silent -window root -crop "15x15+$1+$2" +repage "$3"
}

same_picture() { # file file
    [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]
}

# Key i of an open bar or bar copy on this 1920 px screen: Left 1670 + 365 i twips, Top 60,
# 350 twips square, 15 twips a pixel; i < 47 lies in the first row.
key_left() { echo $(((2 * (1670 + 365 * $1) + 15) / 30)); }
key_top=4

# Controls of the key editor, in pixels from its upper-left corner (its design, drawn a fifth
# larger at 15 twips a pixel).
text4=(460 46)        # number of keys
check5=(553 73)       # "Run on Windows start up"
selector7=(291 305)   # the seventh key's selector
first_file=(232 26)   # the first entry of the file list
check3=(553 151)      # "Originale / Original"
command2=(423 226)    # "Setup"
command1=(529 226)    # "EXIT"

# ================================================================ the setup program
"$program/tune" >"$work/tune.log" 2>&1 &
tune_pid=$!
if ! wait_for 10 window_named "^Ombrix Setup" >/dev/null; then
    fail "the setup program showed no key editor"
    cat "$work/tune.log"
    echo "$passed passed, $failed failed"
    exit 1
fi
editor=$(window_named "^Ombrix Setup")
copy=$(first_line xdotool search --all --onlyvisible --pid "$tune_pid" --name '^Ombrix$')
read -r ex ey <<<"$(origin "$editor")"
read -r cx cy <<<"$(origin "$copy")"
sleep 0.5
at() { echo $((ex + $1)) $((ey + $2)); } # a place in the editor, on the screen

# 1. The start-up box: ticked, the autostart entry appears; cleared, it goes.
click_at $(at "${check5[@]}")
if wait_for 5 test -f "$autostart_entry"; then
    pass "1: ticking \"Run on Windows start up\" creates the autostart entry"
    grep -qxF "Path=$program" "$autostart_entry" &&
        grep -qxF "Exec=$program/ombrix" "$autostart_entry" &&
        pass "1: the entry starts the bar from its program folder" ||
        fail "1: the entry does not start $program/ombrix: $(cat "$autostart_entry")"
    if command -v desktop-file-validate >/dev/null 2>&1; then
        report=$(desktop-file-validate "$autostart_entry" 2>&1)
        [ $? -eq 0 ] && [ -z "$report" ] &&
            pass "1: desktop-file-validate accepts the entry" ||
            fail "1: desktop-file-validate: $report"
    else
        echo "SKIP: desktop-file-validate is not installed; the entry was not validated."
    fi
else
    fail "1: no autostart entry after ticking the start-up box"
fi
expect_eq "1: the choice is stored at once" \
    "$(grep -E '^StartUp=' "$XDG_CONFIG_HOME/Ombrix/Ombrix.conf" 2>/dev/null)" "StartUp=True"
sleep 0.5 # two clicks in a row would be a double click
click_at $(at "${check5[@]}")
wait_for 5 test ! -e "$autostart_entry" &&
    pass "1: clearing the box removes the entry" ||
    fail "1: the autostart entry is still there after clearing the box"

# 2. Eight keys, so that key 7 can be chosen; then key 7's target and icon.
click_at $(at "${text4[@]}")
xdotool windowfocus --sync "$editor" 2>/dev/null
xdotool key --delay 20 ctrl+a 8 Tab
sleep 0.3
click_at $(at "${selector7[@]}")
key_inside $((cx + $(key_left 6) + 4)) $((cy + key_top + 4)) "$work/copy-before.png"
click_at $(at "${first_file[@]}")
click_at $(at "${check3[@]}")
click_at $(at "${command2[@]}")
sleep 0.3
key_inside $((cx + $(key_left 6) + 4)) $((cy + key_top + 4)) "$work/copy-after.png"
same_picture "$work/copy-before.png" "$work/copy-after.png" &&
    fail "2: \"Setup\" did not change key 7 of the bar copy" ||
    pass "2: \"Setup\" gives key 7 of the bar copy a new face"

# 3. "EXIT" stores the table, ends the setup program and starts the bar.
click_at $(at "${command1[@]}")
if wait_for 5 eval '! alive "$tune_pid"'; then
    wait "$tune_pid"
    expect_eq "3: \"EXIT\" ends the setup program" "$?" 0
else
    fail "3: the setup program still runs after \"EXIT\""
fi
expect_eq "3: barra.dat holds 128 records" "$(stat -c %s "$program/barra.dat" 2>/dev/null)" 70400
expect_eq "3: the number of keys is stored" \
    "$(od -An -tx1 -j340 -N4 "$XDG_CONFIG_HOME/Ombrix/keycount.stm" 2>/dev/null | tr -d ' ')" \
    00000041

bar_window() { first_line xdotool search --onlyvisible --classname '^ombrix$'; }
if wait_for 10 bar_window >/dev/null; then
    bar=$(bar_window)
    bar_pid=$(xdotool getwindowpid "$bar" 2>/dev/null)
    pass "3: the bar starts by itself"
    read -r bx by <<<"$(origin "$bar")"

    # 4. The bar, opened, shows the program's icon on key 7, as the setup program showed it.
    sleep 0.5
    click_at $((bx + 13)) $((by + 13))
    wait_for 3 eval '[ "$(width_of "$bar")" = 1920 ]' || fail "4: the bar did not open"
    read -r bx by <<<"$(origin "$bar")"
    sleep 0.3
    key_inside $((bx + $(key_left 6) + 4)) $((by + key_top + 4)) "$work/bar-7.png"
    key_inside $((bx + $(key_left 7) + 4)) $((by + key_top + 4)) "$work/bar-8.png"
    if same_picture "$work/bar-7.png" "$work/copy-after.png" &&
        ! same_picture "$work/bar-7.png" "$work/copy-before.png" &&
        ! same_picture "$work/bar-7.png" "$work/bar-8.png"; then
        pass "4: key 7 of the bar shows the program's icon"
    else
        fail "4: key 7 of the bar does not show the icon the setup program showed"
    fi

    # 5. Key 7 starts the program.
    rm -f "$ARGRECORDER_OUT"
    click_at $((bx + $(key_left 6) + 11)) $((by + key_top + 11))
    if wait_for 5 test -f "$ARGRECORDER_OUT"; then
        home_real=$(cd "$HOME" && pwd -P)
        expect_eq "5: key 7 starts the program in its folder, without arguments" \
            "$(paste -sd'|' "$ARGRECORDER_OUT")" \
            "${#home_real}:$home_real|$((${#HOME} + 12)):$HOME/argrecorder"
    else
        fail "5: a click on key 7 started nothing"
    fi
else
    fail "3: the bar did not start after \"EXIT\""
    cat "$work/tune.log"
fi

report
