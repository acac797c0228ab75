#!/usr/bin/env bash
# One key's whole road, as a new user takes it, under a virtual X server of its own with a
# laptop's screen (1366 x 768) and a window manager: the setup program shows its editor where
# the bar copy covers none of it; tick and clear "Run on Windows start up" (the autostart entry
# comes and goes), raise the number of keys, check selector 7, click a program and then a
# document in the file list, tick "Originale / Original", press "Setup"; try key 7 on the copy
# (it closes to its handle) and click the handle (it opens again); press "EXIT": the bar starts
# by itself, its key 7 shows the program's icon and starts the program with the one document.
# Then "ins." on the bar, select key 7, "Setup" twice and "EXIT": the key table is unchanged
# and the key starts the same. Everything runs from a copy of the program folder with its own
# home, configuration and runtime folders.
#
# Usage: tune_e2e.sh <program folder> <argrecorder>
# Exit codes: 0 all checks passed, 1 a check failed, 77 a needed tool is missing (skipped).
set -u

program_source=${1:?program folder}
arg_recorder=${2:?argrecorder}

test_title="the end-to-end test of the setup program"
# shellcheck source=common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/common.sh"
require_tools Xvfb xdotool xwininfo xprop import compare openbox dbus-run-session
require_files "$program_source/tune" "$program_source/ombrix" "$program_source/OStartUp" \
    "$arg_recorder"
bar_pid=""  # the bar is started by the setup program, not by this shell
tune2_pid="" # nor is the second setup program, started by the bar's "ins."
end_others() {
    local pid
    for pid in $bar_pid $tune2_pid; do kill "$pid" 2>/dev/null; done
}
make_work ombrix-tune-e2e

# ---------------------------------------------------------------- the new user's world
make_user_world "$program_source"
export XDG_DATA_DIRS="$work/no-applications" # the starter keys are then the same everywhere
mkdir -p "$XDG_DATA_DIRS"
# The program the key will start: the only program in the home folder, where the file list
# opens. It records how it was started.
cp "$arg_recorder" "$HOME/argrecorder"
printf 'notes\n' >"$HOME/notes.txt" # the document the key hands to it
export ARGRECORDER_OUT="$work/record"
autostart_entry="$XDG_CONFIG_HOME/autostart/ombrix.desktop"
start_xvfb 1366x768
screen_width=1366
start_window_manager

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

# Key i of an open bar or bar copy: Left 1670 + 365 i twips, Top 60, 350 twips square, 15
# twips a pixel; on this 1366 px screen the first row holds more than the keys used here.
key_left() { echo $(((2 * (1670 + 365 * $1) + 15) / 30)); }
key_top=4

# Controls of the key editor, in pixels from its upper-left corner (its design, drawn a fifth
# larger at 15 twips a pixel).
text4=(460 46)        # number of keys
check5=(553 73)       # "Run on Windows start up"
selector7=(291 305)   # the seventh key's selector
first_file=(232 26)   # the first entry of the file list
option3=(102 224)     # the kind "file"
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
# The editor is placed again once the window manager has framed it: read once both hold.
wait_for_still "$editor" && wait_for_still "$copy" ||
    fail "the windows kept moving: editor at $(origin "$editor"), bar copy at $(origin "$copy")"
read -r ex ey <<<"$(origin "$editor")"
read -r cx cy <<<"$(origin "$copy")"
at() { echo $((ex + $1)) $((ey + $2)); } # a place in the editor, on the screen

# 0. The bar copy stays on top of every window: it covers none of the editor, frame included,
# and the editor lies wholly on the laptop's screen.
read -r fx fy fw fh <<<"$(frame_of "$editor")"
copy_height=$(xwininfo -id "$copy" | awk '/^ *Height:/ {print $NF}')
copy_width=$(width_of "$copy")
echo "  editor frame at $fx,$fy ${fw}x$fh; bar copy at $cx,$cy ${copy_width}x$copy_height"
if [ "$fx" -ge 0 ] && [ "$fy" -ge 0 ] && [ $((fx + fw)) -le 1366 ] && [ $((fy + fh)) -le 768 ]; then
    pass "0: the editor lies wholly on the 1366 x 768 screen"
else
    fail "0: the editor reaches beyond the screen"
fi
if [ $((fy + fh)) -le "$cy" ] || [ $((cy + copy_height)) -le "$fy" ] ||
    [ $((fx + fw)) -le "$cx" ] || [ $((cx + copy_width)) -le "$fx" ]; then
    pass "0: the bar copy covers none of the editor"
else
    fail "0: the bar copy covers the editor"
fi

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
start_up_setting() { grep -E '^StartUp=' "$XDG_CONFIG_HOME/Ombrix/Ombrix.conf" 2>/dev/null; }
expect_eventually "1: the choice is stored at once" "StartUp=True" start_up_setting
sleep 0.5 # two clicks in a row would be a double click
click_at $(at "${check5[@]}")
wait_for 5 test ! -e "$autostart_entry" &&
    pass "1: clearing the box removes the entry" ||
    fail "1: the autostart entry is still there after clearing the box"

# 2. Eight keys, so that key 7 can be chosen; then key 7's program, its document and icon.
click_at $(at "${text4[@]}")
xdotool windowfocus --sync "$editor" 2>/dev/null
xdotool key --delay 20 ctrl+a 8 Tab
sleep 0.3
click_at $(at "${selector7[@]}")
key_inside $((cx + $(key_left 6) + 4)) $((cy + key_top + 4)) "$work/copy-before.png"
click_at $(at "${first_file[@]}")
click_at $(at "${option3[@]}") # every file: the program, then notes.txt
click_at $(at "${first_file[@]}")
xdotool key Down # the document below the program
sleep 0.3
click_at $(at "${check3[@]}")
click_at $(at "${command2[@]}")
copy_key_changed() { # key 7 of the copy as it is now differs from before "Setup"
    key_inside $((cx + $(key_left 6) + 4)) $((cy + key_top + 4)) "$work/copy-after.png" &&
        ! same_picture "$work/copy-before.png" "$work/copy-after.png"
}
wait_until 10 copy_key_changed &&
    pass "2: \"Setup\" gives key 7 of the bar copy a new face" ||
    fail "2: \"Setup\" did not change key 7 of the bar copy"

# What key 7 starts: the program in its folder with the one document.
home_real=$(cd "$HOME" && pwd -P)
started_with_document="${#home_real}:$home_real|$((${#HOME} + 12)):$HOME/argrecorder|$((${#HOME} + 10)):$HOME/notes.txt"
recorded() { # what the program recorded, once it has, within 10 s
    wait_for 10 test -f "$ARGRECORDER_OUT" && paste -sd'|' "$ARGRECORDER_OUT"
}

# A tried key closes the copy to its handle; a click on the handle opens it again.
rm -f "$ARGRECORDER_OUT"
click_at $((cx + $(key_left 6) + 11)) $((cy + key_top + 11))
expect_eq "2: key 7 tried on the copy starts the program with its document" "$(recorded)" \
    "$started_with_document"
wait_for 10 eval '[ "$(width_of "$copy")" = 27 ]' &&
    pass "2: the tried key closes the copy to its handle" ||
    fail "2: the copy did not close to its handle: $(width_of "$copy") px"
sleep 0.5 # not a double click
click_at $((cx + 13)) $((cy + 13))
wait_for 10 eval '[ "$(width_of "$copy")" = "$screen_width" ]' &&
    pass "2: a click on the copy's handle opens it again" ||
    fail "2: the copy's handle did not open it: $(width_of "$copy") px"

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
    wait_for 10 eval '[ "$(width_of "$bar")" = "$screen_width" ]' || fail "4: the bar did not open"
    read -r bx by <<<"$(origin "$bar")"
    bar_key_shows_icon() { # key 7 of the bar, as it is now, as the copy showed it, unlike key 8
        key_inside $((bx + $(key_left 6) + 4)) $((by + key_top + 4)) "$work/bar-7.png" &&
            key_inside $((bx + $(key_left 7) + 4)) $((by + key_top + 4)) "$work/bar-8.png" &&
            same_picture "$work/bar-7.png" "$work/copy-after.png" &&
            ! same_picture "$work/bar-7.png" "$work/copy-before.png" &&
            ! same_picture "$work/bar-7.png" "$work/bar-8.png"
    }
    if wait_until 10 bar_key_shows_icon; then
        pass "4: key 7 of the bar shows the program's icon"
    else
        fail "4: key 7 of the bar does not show the icon the setup program showed"
    fi

    # 5. Key 7 starts the program with its document.
    rm -f "$ARGRECORDER_OUT"
    click_at $((bx + $(key_left 6) + 11)) $((by + key_top + 11))
    expect_eq "5: key 7 starts the program in its folder with the one document" "$(recorded)" \
        "$started_with_document"

    # 6. "ins.", key 7 selected, "Setup" twice, "EXIT": the key table is as it was.
    table_before=$(md5sum <"$program/barra.dat")
    sleep 0.5
    click_at $((bx + 13)) $((by + 13)) # the bar closed after the key: open it
    sleep 0.5
    click_at $((bx + 84)) $((by + 12)) # "ins."
    if wait_for 10 window_named "^Ombrix Setup" >/dev/null; then
        bar_pid=""
        editor=$(window_named "^Ombrix Setup")
        tune2_pid=$(xdotool getwindowpid "$editor" 2>/dev/null)
        wait_for_still "$editor" || fail "6: the editor kept moving: $(origin "$editor")"
        read -r ex ey <<<"$(origin "$editor")"
        click_at $(at "${selector7[@]}")
        click_at $(at "${command2[@]}")
        sleep 0.5
        click_at $(at "${command2[@]}")
        sleep 0.5
        click_at $(at "${command1[@]}")
        wait_for 5 eval '! alive "$tune2_pid"' || fail "6: the setup program still runs after \"EXIT\""
        expect_eq "6: \"Setup\" twice on an unedited key stores the same key table" \
            "$(md5sum <"$program/barra.dat")" "$table_before"
        if wait_for 10 bar_window >/dev/null; then
            bar=$(bar_window)
            bar_pid=$(xdotool getwindowpid "$bar" 2>/dev/null)
            read -r bx by <<<"$(origin "$bar")"
            sleep 0.5
            click_at $((bx + 13)) $((by + 13))
            wait_for 10 eval '[ "$(width_of "$bar")" = "$screen_width" ]' || fail "6: the bar did not open"
            rm -f "$ARGRECORDER_OUT"
            click_at $((bx + $(key_left 6) + 11)) $((by + key_top + 11))
            expect_eq "6: key 7 still starts the program with the one document" "$(recorded)" \
                "$started_with_document"
        else
            fail "6: the bar did not start again"
        fi
    else
        fail "6: \"ins.\" did not start the setup program"
    fi
else
    fail "3: the bar did not start after \"EXIT\""
    cat "$work/tune.log"
fi

report
