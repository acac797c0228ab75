#!/usr/bin/env bash
# The bar as a user meets it, under a virtual X server of its own: where the handle appears,
# opening and closing it, dragging it along its side, pressing every key of a full bar, ending
# it with "X", and starting a second copy. The bar runs from a copy of the program folder with
# its own home, configuration and runtime folders, so nothing of the build or the user changes.
#
# Usage: bar_e2e.sh <program folder> <makekeytable> <argrecorder> <warningbox>
# Exit codes: 0 all checks passed, 1 a check failed, 77 a needed tool is missing (skipped).
set -u

program_source=${1:?program folder}
make_key_table=${2:?makekeytable}
arg_recorder=${3:?argrecorder}
warning_box=${4:?warningbox}

test_title="the end-to-end test of the bar"
# shellcheck source=common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/common.sh"
require_tools Xvfb xdotool xwininfo xprop import
require_files "$program_source/ombrix" "$make_key_table" "$arg_recorder" "$warning_box"
make_work ombrix-e2e

make_user_world "$program_source"
mkdir -p "$XDG_CONFIG_HOME/Ombrix" "$work/out"
settings_file="$XDG_CONFIG_HOME/Ombrix/Ombrix.conf"
key_count_file="$XDG_CONFIG_HOME/Ombrix/keycount.stm"
start_xvfb

# ---------------------------------------------------------------- helpers
write_settings() { # left top width
    printf '[posizione]\nleft=%s\ntop=%s\nlarghezza=%s\n' "$1" "$2" "$3" >"$settings_file"
}

setting() { # key: its value in the group [posizione]
    sed -n '/^\[posizione\]/,/^\[/p' "$settings_file" 2>/dev/null |
        sed -n "s/^$1=//p" | tr -d '"' | head -n1
}

shape_extents() { # window: the extents of its outline, "WxH+X+Y"
    xwininfo -shape -id "$1" 2>/dev/null | awk '/Window shape extents/ {print $NF}'
}

wait_for_exit() { # pid seconds: true once the process has ended; its status in $exit_status
    for _ in $(seq $(($2 * 10))); do
        if ! alive "$1"; then
            wait "$1" 2>/dev/null
            exit_status=$?
            return 0
        fi
        sleep 0.1
    done
    return 1
}

start_bar() { # log name: starts a copy of the bar, its pid in $bar_pid
    "$program/ombrix" >"$work/$1.log" 2>&1 &
    bar_pid=$!
}

# xdotool waits its repeat delay (100 ms unless told) even after a single click.
click_at() { xdotool mousemove "$1" "$2" click --delay 1 1; }

drag_handle() { # from-x from-y to-x to-y: press, move in ten steps, release
    local step
    xdotool mousemove "$1" "$2"
    sleep 0.05
    xdotool mousedown 1
    for step in $(seq 1 10); do
        xdotool mousemove $(($1 + ($3 - $1) * step / 10)) $(($2 + ($4 - $2) * step / 10))
        sleep 0.03
    done
    xdotool mouseup 1
    sleep 0.2
}

pixels() { echo $(((2 * $1 + 15) / 30)); } # twips to pixels, halves up, 15 twips a pixel

# ================================================================ a new user's bar
write_settings 0 3000 400
start_bar first
first_pid=$bar_pid
bar=$(wait_for_window "$first_pid") || { fail "the bar showed no window"; cat "$work/first.log"; }

if [ -n "${bar:-}" ]; then
    # 1. The saved place in twips becomes pixels: 0, 3000, 400 -> +0+200, 27 wide, round.
    read -r x y w h <<<"$(geometry "$bar")"
    expect_eq "1: the closed bar appears at its saved place and width" "$x $y $w" "0 200 27"
    expect_eq "1: the closed bar is cut to the round handle" "$(shape_extents "$bar")" "27x27+0+0"
    expect_eq "1: the window is the bar's own" \
        "$(xprop -id "$bar" WM_CLASS WM_NAME 2>/dev/null | cut -d= -f2 | tr -d ' \n')" \
        '"ombrix","Ombrix""Ombrix"'

    # 2. A click on the handle opens the bar to the screen's width; another closes it.
    click_at 13 213
    wait_for_geometry "$bar" "0 200 1920 $h" &&
        pass "2: a click on the handle opens the bar to 1920 px" ||
        fail "2: the bar did not open: $(geometry "$bar")"
    sleep 0.5 # two clicks in a row would be a double click
    click_at 13 213
    wait_for_geometry "$bar" "0 200 27 $h" &&
        pass "2: another click closes it to the handle" ||
        fail "2: the bar did not close: $(geometry "$bar")"
    expect_eventually "2: the closed bar is round again" "27x27+0+0" shape_extents "$bar"

    # 3. Dragging the handle docked left moves it up and down only, within the screen.
    sleep 0.5
    drag_handle 13 213 13 313
    expect_eventually "3: a drag down moves the handle 100 px down" "0 300 27 $h" geometry "$bar"
    drag_handle 13 313 400 413
    expect_eventually "3: a drag to the right and down keeps the handle at the left edge" \
        "0 400 27 $h" geometry "$bar"
    drag_handle 13 413 13 1079
    # The handle passes through the expected band on its way down: read once it has stopped.
    wait_for_still "$bar" || fail "3: the handle kept moving after the drag to the bottom"
    read -r x y _ <<<"$(geometry "$bar")"
    if [ "$x" = 0 ] && [ "$y" -gt 900 ] && [ "$y" -le 1027 ]; then
        pass "3: a drag to the screen's bottom stops 800 twips (53 px) above it (top $y)"
    else
        fail "3: a drag to the bottom left the handle at $x,$y; expected x 0, top 901..1027"
    fi
    drag_handle 13 $((y + 13)) 13 13
    expect_eventually "3: a drag to the top stops at the top" "0 0 27 $h" geometry "$bar"
    drag_handle 13 13 13 463
    expect_eventually "3: the handle can be dragged back down" "0 450 27 $h" geometry "$bar"

    # 6. A second copy says so and ends; the first goes on as it was.
    sleep 0.5
    start_bar second
    second_pid=$bar_pid
    if box=$(wait_for_window "$second_pid"); then
        sleep 0.5 # let the box paint itself
        windows=$(visible_windows "$second_pid" | wc -l)
        expect_eq "6: the second copy shows one window only" "$windows" 1
        import -silent -window "$box" "$work/second.ppm"
        xdotool key Return
        if wait_for_exit "$second_pid" 5; then
            expect_eq "6: the second copy ends once its message is answered" "$exit_status" 0
        else
            fail "6: the second copy still runs after its message was answered"
        fi

        # The message is compared on screen with the program's own warning box showing the
        # expected text, and, to show the comparison can tell texts apart, another text.
        for variant in same other; do
            text="The requested application is already open."
            [ "$variant" = other ] && text="The requested application is already open!"
            "$warning_box" "$text" >"$work/warning-$variant.log" 2>&1 &
            reference_pid=$!
            if reference=$(wait_for_window "$reference_pid"); then
                sleep 0.5
                import -silent -window "$reference" "$work/$variant.ppm"
                xdotool key Return
            fi
            wait_for_exit "$reference_pid" 5 || kill "$reference_pid" 2>/dev/null
        done
        if cmp -s "$work/second.ppm" "$work/same.ppm" &&
            ! cmp -s "$work/second.ppm" "$work/other.ppm"; then
            pass "6: the second copy says \"The requested application is already open.\""
        else
            fail "6: the second copy's message is not \"The requested application is already open.\""
        fi
    else
        fail "6: the second copy showed no message"
    fi
    if alive "$first_pid"; then
        pass "6: the first copy still runs"
    else
        fail "6: the first copy ended when the second started"
    fi
    expect_eq "6: the first copy's bar is where it was" "$(geometry "$bar")" "0 450 27 $h"

    # 5. "X" ends the bar, which keeps its place; not kept open, it is saved closed.
    click_at 13 463
    wait_for_geometry "$bar" "0 450 1920 $h" || fail "5: the bar did not open before \"X\""
    sleep 0.5
    xdotool mousemove $(($(pixels 720) + 4)) $((450 + $(pixels 155) + 5)) \
        click --repeat 2 --delay 80 1
    if wait_for_exit "$first_pid" 5; then
        pass "5: a double click on \"X\" ends the bar"
        expect_eq "5: the saved place and width (closed: not kept open)" \
            "$(setting left) $(setting top) $(setting larghezza)" "0 6750 400"
    else
        fail "5: the bar still runs after a double click on \"X\""
    fi
fi
if alive "$first_pid"; then # a copy left running would turn the next start away
    kill "$first_pid"
    wait "$first_pid" 2>/dev/null
fi

# ================================================================ a full bar kept open
# 128 keys, each starting argrecorder (in a folder with a blank in its name) with a document
# of its own (in another such folder). 1920 px are 28800 twips: row 1 holds keys 0..46 from
# Left 1670, rows 2, 3, 4 end at keys 87, 123, 127 and start at Left 210; row tops 60, 500,
# 940, 1380.
recorder_folder="$work/recorder folder"
documents="$work/my documents"
mkdir -p "$recorder_folder"
cp "$arg_recorder" "$recorder_folder/argrecorder"
rm -f "$settings_file"
write_settings 0 0 28800
"$make_key_table" "$program" "$key_count_file" 128 documents \
    "$recorder_folder/argrecorder" "$documents" || fail "4: the key table could not be written"
record="$work/out/record"
export ARGRECORDER_OUT="$record"

key_place() { # index: sets left and top, twips
    local i=$1
    if [ "$i" -le 46 ]; then
        left=$((1670 + 365 * i)) top=60
    elif [ "$i" -le 87 ]; then
        left=$((210 + 365 * (i - 47))) top=500
    elif [ "$i" -le 123 ]; then
        left=$((210 + 365 * (i - 88))) top=940
    else
        left=$((210 + 365 * (i - 124))) top=1380
    fi
}

start_bar full
full_pid=$bar_pid
if bar=$(wait_for_window "$full_pid"); then
    read -r bx by bw bh <<<"$(geometry "$bar")"
    expect_eq "4: the bar saved open starts open" "$bx $bw" "0 1920"
    recorder_cwd=$(cd "$recorder_folder" && pwd -P)
    documents_real=$(cd "$documents" && pwd -P)
    key_half=$(($(pixels 350) / 2))
    outside=()
    wrong=()
    deadline=$((SECONDS + 60))
    for i in $(seq 0 127); do
        if [ "$SECONDS" -ge "$deadline" ]; then
            wrong+=("$i..127: not tried, the 60 s for the keys ran out")
            break
        fi
        key_place "$i"
        kx=$((bx + (2 * left + 15) / 30 + key_half))
        ky=$((by + (2 * top + 15) / 30 + key_half))
        if [ "$kx" -ge $((bx + bw)) ] || [ "$ky" -ge $((by + bh)) ]; then
            outside+=("$i")
            continue
        fi
        rm -f "$record"
        click_at "$kx" "$ky"
        for ((tries = 0; tries < 150; ++tries)); do
            [ -f "$record" ] && break
            sleep 0.02
        done
        if ! [ -f "$record" ]; then
            wrong+=("$i: nothing started by a click at $kx,$ky")
            # A message box would block every later key; answer it.
            [ "$(visible_windows "$full_pid" | wc -l)" -gt 1 ] && xdotool key Return
            continue
        fi
        read_records "$record"
        expected="$recorder_cwd|$recorder_folder/argrecorder|$documents_real/doc$i.txt"
        got=$(IFS='|'; echo "${records[*]}")
        [ "$got" = "$expected" ] || wrong+=("$i: recorded '$got'")
    done
    if [ ${#outside[@]} -eq 0 ]; then
        pass "4: every one of the 128 keys lies inside the bar's window"
    else
        fail "4: ${#outside[@]} keys lie outside the ${bw}x${bh} px window and cannot be pressed:" \
            "keys ${outside[0]}..${outside[${#outside[@]} - 1]}"
    fi
    if [ ${#wrong[@]} -eq 0 ]; then
        pass "4: each key pressed started argrecorder in its folder with its own document only"
    else
        fail "4: ${#wrong[@]} keys did not start their document:"
        printf '      key %s\n' "${wrong[@]:0:10}"
    fi
    expect_eq "4: kept open, the bar is still open after the keys" \
        "$(geometry "$bar" | cut -d' ' -f1,3)" "0 1920"

    # 5. Kept open, the bar is saved open.
    sleep 0.5
    xdotool mousemove $((bx + $(pixels 720) + 4)) $((by + $(pixels 155) + 5)) \
        click --repeat 2 --delay 80 1
    if wait_for_exit "$full_pid" 5; then
        pass "5: a double click on \"X\" ends the bar kept open"
        expect_eq "5: the saved place and width (kept open: the open width)" \
            "$(setting left) $(setting top) $(setting larghezza)" "0 $((by * 15)) 28800"
    else
        fail "5: the bar kept open still runs after a double click on \"X\""
    fi
else
    fail "4: the full bar showed no window"
    cat "$work/full.log"
fi

report
