#!/usr/bin/env bash
# Dropping onto the bar, with real drags from another program under a virtual X server: a
# stand-in file manager (dragsource) drags a desktop entry onto the closed handle, holds it
# there until the bar opens, and lets go away from the keys: the entry becomes the next key,
# saved at once, and starts its program. Then a document dropped onto a program key reaches
# that program as its one argument, and a drag that leaves the bar closes it again.
#
# Usage: drop_e2e.sh <program folder> <makekeytable> <argrecorder> <dragsource>
# Set DROP_E2E_SHOTS to a folder to keep the screenshot of a drag over the bar.
# Exit codes: 0 all checks passed, 1 a check failed, 77 a needed tool is missing (skipped).
set -u

program_source=${1:?program folder}
make_key_table=${2:?makekeytable}
arg_recorder=${3:?argrecorder}
drag_source=${4:?dragsource}

test_title="the end-to-end test of drops onto the bar"
# shellcheck source=common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/common.sh"
require_tools Xvfb xdotool xwininfo import od flock
require_files "$program_source/ombrix" "$make_key_table" "$arg_recorder" "$drag_source"
make_work ombrix-drop-e2e

make_user_world "$program_source"
mkdir -p "$XDG_CONFIG_HOME/Ombrix" "$work/out" "$work/recorder" "$work/entry folder" "$work/docs"
key_count_file="$XDG_CONFIG_HOME/Ombrix/keycount.stm"
key_table="$program/barra.dat" # the copied program folder is portable: the table lives there
start_xvfb

# ---------------------------------------------------------------- the world of the drags
# Two keys, each starting argrecorder; the bar closed at the left edge, 500 px down.
recorder="$work/recorder/argrecorder"
cp "$arg_recorder" "$recorder"
"$make_key_table" "$program" "$key_count_file" 2 targets "$recorder" "$recorder" ||
    fail "the key table could not be written"
printf '[posizione]\nleft=0\ntop=7500\nlarghezza=400\n' >"$XDG_CONFIG_HOME/Ombrix/Ombrix.conf"
entry="$work/Recorder.desktop"
printf '[Desktop Entry]\nType=Application\nName=Recorder\nExec="%s" --from-entry %%F\nPath=%s\n' \
    "$recorder" "$work/entry folder" >"$entry"
document="$work/docs/letter one.txt"
echo "Dear bar," >"$document"
record="$work/out/record"
export ARGRECORDER_OUT="$record"

bar_width() { geometry "$bar" | cut -d' ' -f3; }

bar_is_wide() { [ "$(bar_width)" = "$1" ]; } # width
wait_for_width() { wait_until 10 bar_is_wide "$1"; } # width: true once the bar is that wide

glide() { # from-x from-y to-x to-y: the held pointer moves there in ten steps
    local step
    for step in $(seq 1 10); do
        xdotool mousemove $(($1 + ($3 - $1) * step / 10)) $(($2 + ($4 - $2) * step / 10))
        sleep 0.04
    done
}

# Presses on the source's window, glides onto the closed handle and holds there.
drag_to_handle() {
    xdotool mousemove 980 340
    sleep 0.1
    xdotool mousedown 1
    sleep 0.1
    glide 980 340 13 513
    wait_for_width 1920 # the bar opens after half a second
}

field() { # record offset length: the text of a field of barra.dat, blanks trimmed
    dd if="$key_table" bs=1 skip=$(($1 * 550 + $2)) count="$3" 2>/dev/null | sed 's/ *$//'
}

number() { # file offset type: one number, as od reads it
    od -An -t "$3" -j "$2" -N "$(( ${3#?} ))" "$1" 2>/dev/null | tr -d ' '
}

recorded() { # the record of the last start, fields joined by "|", once it is written
    for _ in $(seq 100); do
        [ -f "$record" ] && break
        sleep 0.05
    done
    [ -f "$record" ] || return 1
    read_records "$record" && (IFS='|'; echo "${records[*]}")
}

# ---------------------------------------------------------------- the programs
"$program/ombrix" >"$work/bar.log" 2>&1 &
bar_pid=$!
"$drag_source" 900 300 "$entry" >"$work/source-entry.out" 2>"$work/source-entry.log" &
entry_source=$!
bar=$(wait_for_window "$bar_pid") || { fail "the bar showed no window"; cat "$work/bar.log"; report; exit; }
wait_for_window "$entry_source" >/dev/null || { fail "the drag source showed no window"; report; exit; }
expect_eq "the bar starts closed" "$(geometry "$bar" | cut -d" " -f1-3)" "0 500 27"

# 1. Held over the closed handle, the drag opens the bar; let go away from the keys (just
# after the second key), the entry becomes key 3: saved at once, shown where it was dropped.
drag_to_handle
wait_for_width 1920 && pass "1: a drag held over the closed handle opens the bar" ||
    fail "1: the bar did not open under the drag: $(geometry "$bar")"
glide 13 513 172 515
sleep 0.3
import -silent -window root "$work/drag-over-bar.png"
if [ -n "${DROP_E2E_SHOTS:-}" ]; then cp "$work/drag-over-bar.png" "$DROP_E2E_SHOTS/"; fi
xdotool mouseup 1
expect_eventually "1: the key count is saved as 3" 3 number "$key_count_file" 340 f4
expect_eventually "1: record 3 holds the entry as its target" "$entry" field 2 0 250
expect_eq "1: record 3 shows the target's own icon" "$(number "$key_table" $((2 * 550 + 500)) d2)" 999
expect_eq "1: record 3's pop-up text is the entry's name" "$(field 2 508 36)" "Recorder"
expect_eq "1: the first two records are as they were" "$(field 0 0 250)|$(field 1 0 250)" \
    "$recorder|$recorder"
expect_eq "1: the source was asked for a link, never a move" "$(head -n1 "$work/source-entry.out")" link
shaped_width() { xwininfo -shape -id "$bar" | awk '/Window shape extents/ {print $NF}' | cut -dx -f1; }
expect_eventually "1: the open bar is one key longer (3 x 365 + 2020 twips)" 208 shaped_width

# 2. The new key starts its entry's program, in the entry's folder.
rm -f "$record"
xdotool mousemove 172 516 click 1
expect_eq "2: the new key starts the entry's program in its folder" "$(recorded)" \
    "$work/entry folder|$recorder|--from-entry"
wait_for_width 27 || fail "2: the bar did not close after its key was used"

# 3. A document dropped onto the first key reaches its program as its one argument.
kill "$entry_source"
"$drag_source" 900 300 "$document" >"$work/source-doc.out" 2>"$work/source-doc.log" &
doc_source=$!
wait_for_window "$doc_source" >/dev/null || fail "3: the document's source showed no window"
rm -f "$record"
drag_to_handle
glide 13 513 123 516
xdotool mouseup 1
expect_eq "3: the document reaches the key's program as its one argument, in its folder" \
    "$(recorded)" "$work/recorder|$recorder|$document"

# 4. A drag that leaves the bar without dropping closes it again; nothing is started.
wait_for_width 27 || fail "4: the bar did not close after the document was opened"
rm -f "$record"
drag_to_handle
wait_for_width 1920 || fail "4: the bar did not open under the second drag"
glide 13 513 700 900
xdotool mouseup 1
wait_for_width 27 && pass "4: a drag that leaves the bar closes it again" ||
    fail "4: the bar stayed $(geometry "$bar") after the drag left it"
sleep 0.3
expect_eq "4: nothing was started by the drag that left" "$([ -f "$record" ] && echo started)" ""
expect_eq "4: the key count is still 3" "$(number "$key_count_file" 340 f4)" 3

# 5. While the setup program runs (it holds the lock beside the key table), a drop adds
# nothing: a message says why, and the bar, opened by the drag, closes again once it is
# answered.
flock -o "$program/barra.lock" sleep 300 &
setup_stand_in=$!
kill "$doc_source"
"$drag_source" 900 300 "$entry" >"$work/source-entry2.out" 2>"$work/source-entry2.log" &
entry_source=$!
wait_for_window "$entry_source" >/dev/null || fail "5: the entry's source showed no window"
drag_to_handle
glide 13 513 196 516
xdotool mouseup 1
message_box=""
message_shown() { message_box=$(visible_windows "$bar_pid" | grep -vx "$bar" | head -n1) && [ -n "$message_box" ]; }
wait_until 10 message_shown
[ -n "$message_box" ] && pass "5: a drop while the setup program runs shows a message" ||
    fail "5: no message was shown for a drop while the setup program runs"
expect_eq "5: the key count is still 3" "$(number "$key_count_file" 340 f4)" 3
expect_eq "5: the key table still holds 3 records" "$(stat -c %s "$key_table")" $((3 * 550))
if [ -n "$message_box" ]; then
    sleep 0.3
    xdotool key Return
    wait_for_width 27 && pass "5: once the message is answered the bar is closed again" ||
        fail "5: the bar stayed $(geometry "$bar") after the refused drop"
fi
pkill -P "$setup_stand_in"
kill "$setup_stand_in" 2>/dev/null
wait "$setup_stand_in" 2>/dev/null

# 6. Docked right, the handle opens a strip that starts at the left edge, away from the
# pointer: the bar stays open for the drag to reach it there, and the drop adds key 4.
kill "$bar_pid"
wait "$bar_pid" 2>/dev/null
printf '[posizione]\nleft=28400\ntop=7500\nlarghezza=400\nindice=3\n' \
    >"$XDG_CONFIG_HOME/Ombrix/Ombrix.conf"
"$program/ombrix" >"$work/bar-right.log" 2>&1 &
bar_pid=$!
bar=$(wait_for_window "$bar_pid") || fail "6: the bar docked right showed no window"
xdotool mousemove 980 340
sleep 0.1
xdotool mousedown 1
sleep 0.1
glide 980 340 1906 513
wait_for_width 1920 # the bar opens after half a second
glide 1906 513 196 516
sleep 0.3 # a bar closing as the pointer leaves its handle would be closing by now
expect_eq "6: the bar opened from the right is still open under the drag" "$(bar_width)" 1920
xdotool mouseup 1
fourth_key() { echo "$(number "$key_count_file" 340 f4)|$(field 3 0 250)"; }
expect_eventually "6: the drop on the bar opened from the right adds key 4" "4|$entry" fourth_key

[ "$failed" -eq 0 ] || cat "$work/bar.log"
report
