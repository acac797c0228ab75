#!/usr/bin/env bash
# Arranging the keys on the bar itself, with a real pointer under a virtual X server and a
# window manager: key 5 dragged onto the place of key 2 is stored there with its icon file and
# the restarted bar shows each picture on its own key; a drag that leaves the bar changes
# nothing; a key removed through its menu and put back with "Undo" gives back the key table
# byte for byte; while the setup program holds the keys a drag is refused with a message.
#
# Usage: arrange_e2e.sh <program folder> <makekeytable>
# Set ARRANGE_E2E_SHOTS to a folder to keep the screenshots of a key being dragged and of a
# key's menu.
# Exit codes: 0 all checks passed, 1 a check failed, 77 a needed tool is missing (skipped).
set -u

program_source=${1:?program folder}
make_key_table=${2:?makekeytable}

test_title="the end-to-end test of arranging keys on the bar"
# shellcheck source=common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/common.sh"
require_tools Xvfb xdotool xwininfo xprop import convert openbox dbus-run-session od cmp flock
require_files "$program_source/ombrix" "$make_key_table"
make_work ombrix-arrange-e2e

make_user_world "$program_source"
mkdir -p "$XDG_CONFIG_HOME/Ombrix" "$work/before"
key_count_file="$XDG_CONFIG_HOME/Ombrix/keycount.stm"
key_table="$program/barra.dat" # the copied program folder is portable: the table lives there
start_xvfb
start_window_manager

# Six keys, each showing its own icon file in a colour of its own; the bar open at the left
# edge, 500 px down, kept open.
"$make_key_table" "$program" "$key_count_file" 6 icons || fail "the key table could not be written"
printf '[posizione]\nleft=0\ntop=7500\nlarghezza=28800\n' >"$XDG_CONFIG_HOME/Ombrix/Ombrix.conf"
cp "$key_table" "$key_count_file" "$work/before/"
cp -r "$program/icons" "$work/before/icons"

key_x() { echo $(((1670 + 365 * ($1 - 1) + 175) / 15)); } # the middle of key n, in pixels
key_y=516

number() { # file offset type: one number, as od reads it
    od -An -t "$3" -j "$2" -N "$(( ${3#?} ))" "$1" 2>/dev/null | tr -d ' '
}

# The colour makekeytable gives the icon of key n, as ImageMagick names a pixel.
icon_colour() {
    local i=$(($1 - 1))
    printf 'srgb(%d,%d,%d)' $((40 + (i * 37) % 200)) $((40 + (i * 91) % 200)) $((40 + (i * 53) % 200))
}

pixel() { # picture x y
    convert "$1" -crop "1x1+$2+$3" -format '%[pixel:p{0,0}]' info:- 2>/dev/null
}

start_bar() {
    "$program/ombrix" >>"$work/bar.log" 2>&1 &
    bar_pid=$!
    bar=$(wait_for_window "$bar_pid") || { fail "the bar showed no window"; cat "$work/bar.log"; report; exit; }
    wait_for_still "$bar" || fail "the bar kept moving: $(geometry "$bar")"
}

end_bar() {
    kill "$bar_pid" 2>/dev/null
    wait "$bar_pid" 2>/dev/null
}

glide() { # from-x from-y to-x to-y: the held pointer moves there in eight steps
    local step
    for step in $(seq 1 8); do
        xdotool mousemove $(($1 + ($3 - $1) * step / 8)) $(($2 + ($4 - $2) * step / 8))
        sleep 0.05
    done
}

changed() { ! cmp -s "$1" "$work/before/$(basename "$1")"; } # file: differs from its copy in before/
wait_for_change() { wait_until 10 changed "$1"; } # file
same_as() { cmp -s "$1" "$2"; } # file file

screen_pixel() { # picture x y: a screenshot taken now, then its pixel there
    import -silent -window root "$1" && pixel "$@"
}

shots() { if [ -n "${ARRANGE_E2E_SHOTS:-}" ]; then cp "$@" "$ARRANGE_E2E_SHOTS/"; fi; }

start_bar
expect_eq "the bar starts open" "$(geometry "$bar" | cut -d' ' -f1-3)" "0 500 1920"

# 1. A drag that leaves the bar and comes back changes nothing, and starts nothing.
xdotool mousemove "$(key_x 3)" $key_y mousedown 1
glide "$(key_x 3)" $key_y "$(key_x 5)" 700
glide "$(key_x 5)" 700 "$(key_x 5)" $key_y
xdotool mouseup 1
sleep 0.5
cmp -s "$key_table" "$work/before/barra.dat" && pass "1: a drag that left the bar stored nothing" ||
    fail "1: the key table changed after a drag that left the bar"

# 2. Key 5 dragged onto the place of key 2: the keys between make room while it moves.
xdotool mousemove "$(key_x 5)" $key_y mousedown 1
glide "$(key_x 5)" $key_y "$(key_x 2)" $((key_y + 2))
expect_eventually "2: while dragged, key 2's picture has made room at the place of key 3" \
    "$(icon_colour 2)" screen_pixel "$work/dragging.png" "$(key_x 3)" $key_y
shots "$work/dragging.png"
xdotool mouseup 1
wait_for_change "$key_table" || fail "2: the key table was not saved after the drag"
stored_order() { # the records' pop-up texts without "key", in their order
    local record order=""
    for record in 0 1 2 3 4 5; do
        order+="$(dd if="$key_table" bs=1 skip=$((record * 550 + 508)) count=36 2>/dev/null |
            tr -d ' \000' | sed 's/^key//')"
    done
    echo "$order"
}
expect_eventually "2: the records are stored in the new order (by their pop-up texts)" 152346 \
    stored_order
icons_moved() { # yes, or the first place whose icon file is not the one of its new key
    local pair moved=yes
    for pair in 1:1 2:5 3:2 4:3 5:4 6:6; do
        cmp -s "$program/icons/icon$((${pair%%:*} - 1)).ico" \
            "$work/before/icons/icon$((${pair#*:} - 1)).ico" || moved="no (place ${pair%%:*})"
    done
    echo "$moved"
}
expect_eventually "2: each icon file went with its key" yes icons_moved
expect_eq "2: the key count stays 6" "$(number "$key_count_file" 340 f4)" 6

# 3. The restarted bar shows every picture on its own key.
end_bar
start_bar
pictures() { # the picture on each of the six keys, as the screen shows them now
    local place pictures=""
    import -silent -window root "$work/restarted.png" || return 1
    for place in 1 2 3 4 5 6; do
        pictures+="$(pixel "$work/restarted.png" "$(key_x $place)" $key_y) "
    done
    echo "$pictures"
}
expect_eventually "3: the restarted bar shows the pictures in the new order" \
    "$(for k in 1 5 2 3 4 6; do printf '%s ' "$(icon_colour $k)"; done)" pictures

# 4. Remove through the key's menu, then Undo: the key table comes back byte for byte.
cp "$key_table" "$work/arranged.dat"
cp "$key_count_file" "$work/arranged.stm"
xdotool mousemove "$(key_x 3)" $key_y click 3
other_window() { menu=$(visible_windows "$bar_pid" | grep -vx "$bar" | head -n1) && [ -n "$menu" ]; }
wait_until 10 other_window && pass "4: a right click on a key shows its menu" || fail "4: no menu for the key"
sleep 0.3 # let it paint itself for the screenshot
import -silent -window root "$work/menu.png"
shots "$work/menu.png"
xdotool key r
expect_eventually "4: Remove stores one key fewer" 5 number "$key_count_file" 340 f4
sleep 0.3
import -silent -window root "$work/removed.png"
shots "$work/removed.png"
xdotool mousemove "$(key_x 6)" $key_y click 1
wait_until 10 same_as "$key_table" "$work/arranged.dat" && pass "4: Undo gives back barra.dat byte for byte" ||
    fail "4: barra.dat differs after Remove and Undo"
wait_until 10 same_as "$key_count_file" "$work/arranged.stm" && pass "4: and the key count file" ||
    fail "4: keycount.stm differs after Remove and Undo"

# 5. While the setup program holds the keys, a drag is refused with a message.
flock -o "$program/barra.lock" sleep 300 &
setup_stand_in=$!
locked() { ! flock -n "$program/barra.lock" true; }
wait_until 10 locked || fail "5: the stand-in for the setup program did not take the lock"
xdotool mousemove "$(key_x 1)" $key_y mousedown 1
glide "$(key_x 1)" $key_y "$(key_x 4)" $key_y
xdotool mouseup 1
wait_until 10 other_window && pass "5: a drag while the setup program runs shows a message" ||
    fail "5: no message for a drag while the setup program runs"
import -silent -window root "$work/refused.png"; shots "$work/refused.png"
cmp -s "$key_table" "$work/arranged.dat" && pass "5: and stores nothing" ||
    fail "5: the key table changed while the setup program held it"
pkill -P "$setup_stand_in" # its sleep, which would keep the output open
kill "$setup_stand_in" 2>/dev/null
wait "$setup_stand_in" 2>/dev/null
end_bar

report
