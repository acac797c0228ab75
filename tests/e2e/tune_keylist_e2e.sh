#!/usr/bin/env bash
# shellcheck disable=SC2317 # some functions run only through the trap and through check
# The setup program's bar copy and key list as a user meets them, under a virtual X server of
# its own: "ins." on the bar ends the bar and starts tune; tune shows the bar copy open across
# the screen and the key editor with key 1 selected; selecting a key moves the yellow marker on
# the copy; the number of keys and "show all the keys" enable, disable, show and hide the keys;
# moving a key swaps the two keys on the copy, while the icon files on disk wait for "EXIT";
# "X" on the copy ends tune and stores nothing; under a window manager, a key moved and tune
# closed by its close box leave every key of the restarted bar with its own picture.
# Everything runs from a copy of the program folder with its own home, configuration and
# runtime folders.
#
# What is seen is read from the windows' pixels: the marker is the only pure yellow on the copy,
# a key in use shows its icon file's own colour at its centre while a disabled key shows it
# grey, a hidden key leaves the copy's plain background, and a key selector's round indicator
# is white when it can be chosen, dark in the middle when chosen and grey when disabled.
#
# Usage: tune_keylist_e2e.sh <program folder> <makekeytable> <version, e.g. 1.0.0>
# Exit codes: 0 all checks passed, 1 a check failed, 77 a needed tool is missing (skipped).
set -u

program_source=${1:?program folder}
make_key_table=${2:?makekeytable}
version=${3:?version}

test_title="the end-to-end test of the setup program's key list"
# shellcheck source=common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/common.sh"
require_tools Xvfb xdotool xwininfo xprop import convert od md5sum openbox dbus-run-session
require_files "$program_source/ombrix" "$program_source/tune" "$make_key_table"

# ---------------------------------------------------------------- bookkeeping and cleanup
why="" # set by a check that fails, to say what was seen
check() { # description command...: passes when the command succeeds
    local description=$1
    shift
    why=""
    if "$@"; then pass "$description"; else fail "$description${why:+: $why}"; fi
}

started=$SECONDS
# Programs this test caused to start without being their parent: tune, started by the bar,
# and a bar tune may start. Each is ended by its number, and only while it still runs the
# program folder's own file, so a number handed on to someone else is left alone.
others=()
end_others() {
    local pid ending=()
    for pid in "${others[@]}"; do
        case $(readlink "/proc/$pid/exe" 2>/dev/null) in
        "$program/tune" | "$program/ombrix") kill "$pid" 2>/dev/null && ending+=("$pid") ;;
        esac
    done
    # Not this shell's children to wait for: the work folder goes once they have let it go.
    for pid in "${ending[@]}"; do
        wait_until 5 ended "$pid"
    done
}
ended() { ! alive "$1"; }
make_work ombrix-tune-keylist

# ---------------------------------------------------------------- the user's world
make_user_world "$program_source"
mkdir -p "$XDG_CONFIG_HOME/Ombrix"
settings_file="$XDG_CONFIG_HOME/Ombrix/Ombrix.conf"
key_count_file="$XDG_CONFIG_HOME/Ombrix/keycount.stm"
program=$(cd "$program" && pwd -P) # as /proc names a program's file
start_xvfb

# ---------------------------------------------------------------- processes and windows
wait_for_exit() { # pid seconds: true once the process has ended; a child's status in $exit_status
    exit_status=""
    for _ in $(seq $(($2 * 10))); do
        if ! alive "$1"; then
            wait "$1" 2>/dev/null && exit_status=0 || exit_status=$?
            return 0
        fi
        sleep 0.1
    done
    return 1
}

each() { # function index...: what the function tells of each index, in order
    local function=$1 i answers=()
    shift
    for i in "$@"; do answers+=("$("$function" "$i")"); done
    echo "${answers[*]}"
}

window_name() { xprop -id "$1" WM_NAME 2>/dev/null | sed -n 's/^WM_NAME([A-Z_0-9]*) = "\(.*\)"$/\1/p'; }
framed() { xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | grep -q ' = '; } # window
window_pid() { xprop -id "$1" _NET_WM_PID 2>/dev/null | awk '/CARDINAL/ {print $NF}'; }

# xdotool waits its repeat delay (100 ms unless told) even after a single click.
click_at() { # what x y
    echo "  click: $1 at $2,$3"
    xdotool mousemove "$2" "$3" click --delay 1 1
}

# Nothing is hovered while the windows are read: the pointer rests on the bare screen.
park_pointer() { xdotool mousemove 1910 1070; }

pixels() { echo $(((2 * $1 + 15) / 30)); } # twips to pixels, halves up, 15 twips a pixel

# ---------------------------------------------------------------- reading the windows' pixels
declare -A capture_width capture_height

capture() { # window name: the window's pixels, 3 bytes each, in $work/<name>.rgb
    local _x _y w h
    read -r _x _y w h <<<"$(geometry "$1")"
    capture_width[$2]=$w
    capture_height[$2]=$h
    import -silent -window "$1" -depth 8 "rgb:$work/$2.rgb" 2>/dev/null
}

pixel() { # capture x y: "r g b", or "outside" beyond the window
    local w=${capture_width[$1]} h=${capture_height[$1]}
    if [ "$2" -lt 0 ] || [ "$3" -lt 0 ] || [ "$2" -ge "$w" ] || [ "$3" -ge "$h" ]; then
        echo outside
        return
    fi
    od -An -tu1 -v -j $((3 * ($3 * w + $2))) -N3 "$work/$1.rgb" | xargs
}

image_of() { # capture: how ImageMagick reads it
    echo "-size ${capture_width[$1]}x${capture_height[$1]} -depth 8 rgb:$work/$1.rgb"
}

# The pure yellow pixels of a capture: "count left top width height" of their bounding box.
yellow_box() {
    local count box
    # shellcheck disable=SC2046 # image_of gives several words
    count=$(convert $(image_of "$1") -fill black +opaque '#FFFF00' -fill white -opaque '#FFFF00' \
        -format '%[fx:round(mean*w*h)]' info:)
    [ "$count" -gt 0 ] 2>/dev/null || { echo "0 - - - -"; return; }
    # shellcheck disable=SC2046
    box=$(convert $(image_of "$1") -fill black +opaque '#FFFF00' -trim \
        -format '%[fx:page.x] %[fx:page.y] %w %h' info:)
    echo "$count $box"
}

region_colours() { # capture x y width height: how many different colours the area shows
    # shellcheck disable=SC2046
    convert $(image_of "$1") -crop "$4x$5+$2+$3" +repage -format '%k' info:
}

# ---------------------------------------------------------------- the bar copy
# Keys of the copy's first row (0..36 at 1920 px) sit at Left 1670 + 365 i, Top 60, 350 square;
# the marker, 420 x 440, is put 40 twips above and left of the selected key.
key_left() { pixels $((1670 + 365 * $1)); }
key_top=$(pixels 60)
key_size=$(pixels 350)
background="230 226 216"

# The colour makekeytable gives key i's icon file.
icon_colour() { echo "$((40 + ($1 * 37) % 200)) $((40 + ($1 * 91) % 200)) $((40 + ($1 * 53) % 200))"; }

key_centre() { pixel copy $(($(key_left "$1") + key_size / 2)) $((key_top + key_size / 2)); }
key_corner() { pixel copy $(($(key_left "$1") + 3)) $((key_top + 3)); }

is_grey() { # "r g b": the three within 3 of each other
    local r g b
    read -r r g b <<<"$1"
    [ -n "$b" ] && [ $((r > g ? r - g : g - r)) -le 3 ] && [ $((g > b ? g - b : b - g)) -le 3 ]
}

# A key of the copy with an icon face: "enabled" when it shows its icon's colour, "disabled"
# when it shows it grey, "hidden" when only the background is there.
icon_key_state() { # index
    local seen
    seen=$(key_centre "$1")
    if [ "$seen" = "$(icon_colour "$1")" ]; then
        echo enabled
    elif [ "$seen" = "$background" ] || [ "$seen" = outside ]; then
        echo hidden
    elif is_grey "$seen"; then
        echo disabled
    else
        echo "unclear($seen)"
    fi
}

caption_colour() { # index: red or blue, by the key's face
    local r g b
    read -r r g b <<<"$(key_corner "$1")"
    if [ "$r" -gt $((b + 60)) ]; then
        echo red
    elif [ "$b" -gt $((r + 60)) ]; then
        echo blue
    else
        echo "neither($r $g $b)"
    fi
}

expected_marker() { # index: "left top width height" of the marker around key i (first row)
    echo "$(pixels $((1670 + 365 * $1 - 40))) $(pixels 20) $(pixels 420) $(pixels 440)"
}

near() { # "a b c d" "e f g h": each pair within 1 pixel
    local -a one two
    local k d
    read -ra one <<<"$1"
    read -ra two <<<"$2"
    for k in 0 1 2 3; do
        [[ ${one[k]:-x} =~ ^-?[0-9]+$ ]] || return 1
        d=$((one[k] - two[k]))
        [ "${d#-}" -le 1 ] || return 1
    done
}

marker_around() { # index: true when the copy's only yellow is the marker around key i
    park_pointer
    capture "$copy" copy
    box=$(yellow_box copy)
    near "${box#* }" "$(expected_marker "$1")"
}

wait_for_marker() { # index: true once the marker lies around key i (10 s)
    local box
    wait_until 10 marker_around "$1" && return 0
    why="the yellow lies at '${box#* }' (left top width height), expected around key $(($1 + 1)) at '$(expected_marker "$1")'"
    return 1
}

# ---------------------------------------------------------------- the key editor
# The editor draws its design a fifth larger: a design place of t twips lies at t x 1.2 / 15
# pixels. The places below are its controls' design places, as the window holds them.
design() { echo $(((12 * $1 + 75) / 150)); }
selector_lefts=(60 600 1176 1764 2340 2916 3504 4080 4656 5244 5820 6396 6984 7560 8136 8724)
frame_left=$(design 60)
frame_top=$(design 3460)
frame_right=$((frame_left + $(design 9372)))
selector_height=$(design 240)

selector_origin() { # index: "x y", editor pixels, of key i's selector
    local column=$(($1 % 16)) row=$(($1 / 16))
    echo "$((frame_left + $(design "${selector_lefts[column]}"))) $((frame_top + $(design $((240 + 240 * row)))))"
}

# The middle of a selector's round indicator: dark when chosen, white when it can be chosen,
# the window's grey when disabled.
selector_state() { # index
    local sx sy r _g _b
    read -r sx sy <<<"$(selector_origin "$1")"
    read -r r _g _b <<<"$(pixel editor $((sx + 6)) $((sy + 9)))"
    if [ "$r" -lt 128 ]; then echo checked; elif [ "$r" = 255 ]; then echo enabled; else echo disabled; fi
}

click_selector() { # index
    local sx sy
    read -r sx sy <<<"$(selector_origin "$1")"
    click_at "the selector of key $(($1 + 1))" $((ex + sx + 6)) $((ey + sy + 9))
}

# The selectors among first..last, skipped ones left out, not in the given state (by number).
selectors_not() { # state first last [skipped index...]
    local state=$1 first=$2 last=$3 i wrong=""
    shift 3
    for ((i = first; i <= last; ++i)); do
        [[ " $* " == *" $i "* ]] && continue
        [ "$(selector_state "$i")" = "$state" ] || wrong+=" $((i + 1))"
    done
    echo "${wrong# }"
}

# The copy's first-row icon keys among first..last not in the given state (number:state).
keys_not() { # state first last [skipped index...]
    local state=$1 first=$2 last=$3 i wrong="" got
    shift 3
    for ((i = first; i <= last; ++i)); do
        [[ " $* " == *" $i "* ]] && continue
        got=$(icon_key_state "$i")
        [ "$got" = "$state" ] || wrong+=" $((i + 1)):$got"
    done
    echo "${wrong# }"
}

seen_on() { # copy|editor command...: the command's output on the window as it is now
    park_pointer
    if [ "$1" = copy ]; then capture "$copy" copy; else capture "$editor" editor; fi
    shift
    "$@"
}

copy_rest_of_row() { # the colours of the copy's first row after key 11, and the first of them
    echo "$(region_colours copy "$row_rest" "$key_top" $((cw - 3 - row_rest)) "$key_size") $(pixel copy "$row_rest" "$key_top")"
}
copy_below_row() { region_colours copy 2 "$below" $((cw - 4)) $((ch - 3 - below)); }
copy_shows_further_rows() { [ "$(seen_on copy copy_below_row)" -gt 1 ]; }

show_all_setting() { sed -n 's/^tutti=//p' "$settings_file" | tr -d '"'; }

# ---------------------------------------------------------------- a prepared key table
# 128 keys with icon files of their own colour; keys 2 and 3 show the captions "AA" on red and
# "BB" on blue instead, so the copy tells them apart, while their icon files icon1.ico and
# icon2.ico stay on disk for the move to exchange. A record is 550 bytes: target 250, argument
# 250, icon number 2, caption 6, pop-up text 36, 2 unused, colour as a 4-byte float.
"$make_key_table" "$program" "$key_count_file" 128 icons ||
    { echo "FAIL: the key table could not be written" >&2; exit 1; }
caption_key() { # index caption colour-as-float-bytes
    local at=$(($1 * 550))
    printf '\000\000' | dd of="$program/barra.dat" bs=1 seek=$((at + 500)) conv=notrunc status=none
    printf '%-6s' "$2" | dd of="$program/barra.dat" bs=1 seek=$((at + 502)) conv=notrunc status=none
    printf '%b' "$3" | dd of="$program/barra.dat" bs=1 seek=$((at + 546)) conv=notrunc status=none
}
caption_key 1 AA '\000\000\177\103' # 255.0: red
caption_key 2 BB '\000\000\177\113' # 16711680.0: blue
table_before=$(md5sum <"$program/barra.dat")
count_before=$(md5sum <"$key_count_file")
# Closed, 600 px down: the copy opens there, clear of the editor at the screen's top left.
printf '[posizione]\nleft=0\ntop=9000\nlarghezza=400\n' >"$settings_file"

finish() {
    echo "Took $((SECONDS - started)) s."
    report
    exit
}

# ================================================================ 1. "ins." starts tune
"$program/ombrix" >"$work/bar.log" 2>&1 &
bar_pid=$!
bar=$(wait_for_window "$bar_pid")
if [ -z "$bar" ]; then
    fail "1: the bar showed no window"
    cat "$work/bar.log"
    finish
fi
read -r bx by _ bh <<<"$(geometry "$bar")"
click_at "the bar's handle" $((bx + 13)) $((by + 13))
wait_for_geometry "$bar" "$bx $by 1920 $bh" || fail "1: the bar did not open: $(geometry "$bar")"
sleep 0.5 # a second click so soon would be a double click
click_at '"ins."' $((bx + $(pixels 1080) + $(pixels 375) / 2)) $((by + $(pixels 30) + $(pixels 300) / 2))
if wait_for_exit "$bar_pid" 10; then
    expect_eq '1: "ins." ends the bar' "$exit_status" 0
else
    fail '1: the bar still runs after "ins."'
fi

copy=""
editor=""
for _ in $(seq 100); do
    for window in $(xdotool search --onlyvisible --class '^tune$' 2>/dev/null); do
        case $(window_name "$window") in
        Ombrix) copy=$window ;;
        "Ombrix Setup"*) editor=$window ;;
        esac
    done
    [ -n "$copy" ] && [ -n "$editor" ] && break
    sleep 0.1
done
if [ -z "$copy" ] || [ -z "$editor" ]; then
    fail "1: tune did not show its two windows (bar copy '$copy', editor '$editor')"
    finish
fi
tune_pid=$(window_pid "$editor")
others+=("$tune_pid")
expect_eq "1: the program showing them is the setup program of the bar's own folder" \
    "$(readlink "/proc/$tune_pid/exe" 2>/dev/null)" "$program/tune"
pass "1: tune starts and shows the bar copy and the editor ($((SECONDS - started)) s in)"

# ================================================================ 2. the two windows
# Shortly after showing them tune keeps the editor clear of the copy: their places are read
# once they hold.
if ! wait_for_still "$copy" || ! wait_for_still "$editor"; then
    fail "2: the windows kept moving: copy at '$(geometry "$copy")', editor at '$(geometry "$editor")'"
fi
read -r cx cy cw ch <<<"$(geometry "$copy")"
expect_eq "2: the bar copy is open across the screen (left, width)" "$cx $cw" "0 1920"
expect_eq "2: the bar copy is not cut to a handle" \
    "$(xwininfo -shape -id "$copy" | awk '/Window shape extents/ {print $NF}')" "1920x${ch}+0+0"
IFS=. read -r major minor patch <<<"$version"
expect_eq "2: the editor's title" "$(window_name "$editor")" "Ombrix Setup -  $major. $minor. $patch"
read -r ex ey ew eh <<<"$(geometry "$editor")"
# Without a window manager nothing keeps the two apart; a user would drag one aside.
if [ "$ex" -lt $((cx + cw)) ] && [ "$cx" -lt $((ex + ew)) ] && [ "$ey" -lt $((cy + ch)) ] &&
    [ "$cy" -lt $((ey + eh)) ]; then
    new_top=$((cy >= eh ? 0 : cy + ch))
    echo "  the editor ($ex,$ey ${ew}x$eh) covers the copy; moving it to 0,$new_top"
    xdotool windowmove "$editor" 0 "$new_top"
    wait_for_geometry "$editor" "0 $new_top $ew $eh" || fail "2: the editor could not be moved aside"
    read -r ex ey ew eh <<<"$(geometry "$editor")"
fi
echo "  bar copy at $cx,$cy ${cw}x$ch; editor at $ex,$ey ${ew}x$eh"

check "2: the yellow marker lies around key 1 of the copy" wait_for_marker 0
expect_eventually "2: key 1's selector is checked, key 2's is not" "checked enabled" \
    seen_on editor each selector_state 0 1

# ================================================================ 3. selecting keys
click_selector 4
check "3: selecting key 5 moves the marker around key 5 of the copy" wait_for_marker 4
expect_eventually "3: key 5's selector is checked, key 1's no longer" "checked enabled" \
    seen_on editor each selector_state 4 0
click_selector 6
check "3: selecting key 7 moves it on around key 7" wait_for_marker 6
click_selector 4
check "3: selecting key 5 again brings it back" wait_for_marker 4

# ================================================================ 4. the number of keys
# Keys 1, 5 and 7 now show pictures of the editor's list and keys 2 and 3 their captions, so
# only the others show their icon files' colours.
not_icon_faces=(0 1 2 4 6)
text4_x=$(design 5560) text4_y=$(design 440) text4_w=$(design 372) text4_h=$(design 288)
type_key_count() { # x: clicks the number box there and types 10
    click_at "the number box" "$1" $((ey + text4_y + text4_h / 2))
    sleep 0.2
    xdotool key --delay 20 ctrl+a
    xdotool type --delay 30 10
}
key_shows() { # index state: true when the copy shows key i so
    [ "$(seen_on copy icon_key_state "$1")" = "$2" ]
}
key_eleven_disabled() { wait_until 10 key_shows 10 disabled; }
# While typing, the keys beyond the number are disabled at once.
type_key_count $((ex + text4_x + text4_w / 2))
if key_eleven_disabled; then
    pass "4: a click in the middle of the number box lets the user type there"
else
    fail "4: a click in the middle of the number box does not reach it (typing 10 changed nothing); trying its right edge"
    type_key_count $((ex + text4_x + text4_w - 2))
    key_eleven_disabled || fail "4: typing 10 into the number box did not disable key 11"
fi
xdotool key Tab # leaves the box
expect_eventually "4: 10 keys, all shown: keys 1..10 of the copy are in use" "" \
    seen_on copy keys_not enabled 0 9 "${not_icon_faces[@]}"
expect_eventually "4: keys 11..37 (the copy's first row) are shown disabled" "" \
    seen_on copy keys_not disabled 10 36
expect_eventually "4: selectors 1..10 can be chosen (5 is)" "" seen_on editor selectors_not enabled 0 9 4
expect_eventually "4: selectors 11..128 are shown disabled" "" seen_on editor selectors_not disabled 10 127

# "Show all the keys" cleared: keyCount + 1 keys and selectors are shown, the last disabled.
check4_x=$(design 6840) check4_y=$(design 1080) check4_h=$(design 495)
click_at '"Show all the keys"' $((ex + check4_x + 7)) $((ey + check4_y + check4_h / 2))
expect_eventually '4: "show all" cleared is saved at once' False show_all_setting
expect_eventually "4: keys 1..10 of the copy are shown in use" "" \
    seen_on copy keys_not enabled 0 9 "${not_icon_faces[@]}"
expect_eventually "4: key 11 is shown disabled" disabled seen_on copy icon_key_state 10
row_rest=$(($(key_left 11) - 1))
expect_eventually "4: the copy shows nothing after key 11 on its first row" "1 $background" \
    seen_on copy copy_rest_of_row
below=$((key_top + key_size + 6))
if [ $((ch - 3 - below)) -gt 0 ]; then
    expect_eventually "4: the copy shows nothing below its first row" 1 seen_on copy copy_below_row
fi
expect_eventually "4: selectors 1..10 are shown and can be chosen" "" seen_on editor selectors_not enabled 0 9 4
expect_eventually "4: selector 11 is shown disabled" disabled seen_on editor selector_state 10
read -r s12x s12y <<<"$(selector_origin 11)"
read -r _ s17y <<<"$(selector_origin 16)"
read -r _ s128y <<<"$(selector_origin 127)"
expect_eventually "4: selectors 12..16 are hidden" 1 seen_on editor region_colours editor \
    "$s12x" $((s12y + 3)) $((frame_right - 3 - s12x)) $((selector_height - 6))
expect_eventually "4: selectors 17..128 are hidden" 1 seen_on editor region_colours editor \
    $((frame_left + 3)) "$s17y" $((frame_right - frame_left - 6)) $((s128y + selector_height - s17y))
click_selector 10
sleep 0.3 # a second click so soon would be a double click

# "Show all the keys" checked again: every key is back, those beyond 10 disabled. The click on
# selector 11 was handled before this one, so once this one shows, so would that one.
click_at '"Show all the keys"' $((ex + check4_x + 7)) $((ey + check4_y + check4_h / 2))
expect_eventually '4: "show all" checked is saved at once' True show_all_setting
expect_eventually "4: keys 11..37 are shown again, disabled" "" seen_on copy keys_not disabled 10 36
if wait_until 10 copy_shows_further_rows; then
    pass "4: the copy's further rows are shown again"
else
    fail "4: the copy shows nothing below its first row with every key shown"
fi
expect_eventually "4: selectors 11..128 are shown again, disabled" "" \
    seen_on editor selectors_not disabled 10 127
check "4: a click on the disabled selector 11 leaves key 5 selected" wait_for_marker 4
expect_eventually "4: after that click key 5's selector is still checked, 11's disabled" \
    "checked disabled" seen_on editor each selector_state 4 10

# ================================================================ 5. moving a key
icon1_before=$(md5sum <"$program/icons/icon1.ico")
icon2_before=$(md5sum <"$program/icons/icon2.ico")
[ "$icon1_before" != "$icon2_before" ] || fail "5: the two icon files to exchange are alike"
capture "$copy" copy
expect_eq "5: before the move key 2 is AA on red, key 3 BB on blue" "$(each caption_colour 1 2)" "red blue"
click_selector 1
check "5: selecting key 2 puts the marker around it" wait_for_marker 1
hs_x=$(design 7620) hs_y=$(design 2900) hs_w=$(design 1380) hs_h=$(design 252)
click_at "the move bar's right arrow" $((ex + hs_x + hs_w - 5)) $((ey + hs_y + hs_h / 2))
check "5: the moved key stays selected: the marker lies around key 3" wait_for_marker 2
expect_eventually "5: after the move key 2 is BB on blue, key 3 AA on red" "blue red" \
    seen_on copy each caption_colour 1 2
expect_eventually "5: key 3's selector is checked, key 2's no longer" "checked enabled" \
    seen_on editor each selector_state 2 1
icons_before=$(cat "$program"/icons/*.ico | md5sum)
expect_eq "5: the icon files on disk wait for \"EXIT\", as the key table does" \
    "$(md5sum <"$program/icons/icon1.ico") $(md5sum <"$program/icons/icon2.ico")" \
    "$icon1_before $icon2_before"

# ================================================================ 6. "X" ends tune, unsaved
park_pointer
sleep 0.5 # the last click must not make a double click with the next
x_x=$((cx + $(pixels 720) + 4)) x_y=$((cy + $(pixels 155) + 5))
echo "  double click: the copy's \"X\" at $x_x,$x_y"
xdotool mousemove "$x_x" "$x_y" click --repeat 2 --delay 80 1
if wait_for_exit "$tune_pid" 10; then
    pass '6: a double click on the copy'\''s "X" ends tune'
    expect_eq "6: the key table is as it was (the move is not saved)" \
        "$(md5sum <"$program/barra.dat")" "$table_before"
    expect_eq "6: the key count is as it was" "$(md5sum <"$key_count_file")" "$count_before"
    expect_eq "6: the icon files are as they were" "$(cat "$program"/icons/*.ico | md5sum)" \
        "$icons_before"
    sleep 1 # a bar started now would have shown its handle
    restarted=$(xdotool search --onlyvisible --class '^ombrix$' 2>/dev/null | head -n1)
    if [ -n "$restarted" ]; then
        others+=("$(window_pid "$restarted")")
        fail '6: ending tune by "X" started the bar'
    else
        pass '6: ending tune by "X" does not start the bar'
    fi
else
    fail '6: tune still runs after a double click on the copy'\''s "X"'
fi

# ================================================================ 7. the close box after a move
# Under a window manager, as a desktop runs it: tune again, key 4 moved to place 5, the editor
# closed by its close box (Alt+F4). The closing starts the bar, whose keys 4 and 5 show their
# own pictures: the old key table with the old icon files.
start_window_manager
"$program/tune" >"$work/tune2.log" 2>&1 &
tune_pid=$!
copy=""
editor=""
for _ in $(seq 100); do
    for window in $(xdotool search --onlyvisible --pid "$tune_pid" 2>/dev/null); do
        case $(window_name "$window") in
        Ombrix) copy=$window ;;
        "Ombrix Setup"*) editor=$window ;;
        esac
    done
    [ -n "$copy" ] && [ -n "$editor" ] && break
    sleep 0.1
done
if [ -z "$copy" ] || [ -z "$editor" ]; then
    fail "7: tune did not start again (bar copy '$copy', editor '$editor')"
    finish
fi
# Once framed, tune puts the editor clear of the copy again: its place is read once it holds.
if ! wait_until 10 framed "$editor" || ! wait_for_still "$editor"; then
    fail "7: the editor was not framed and left in place: $(frame_of "$editor")"
fi
read -r ex ey ew eh <<<"$(geometry "$editor")"
click_selector 3
check "7: selecting key 4 puts the marker around it" wait_for_marker 3
click_at "the move bar's right arrow" $((ex + hs_x + hs_w - 5)) $((ey + hs_y + hs_h / 2))
expect_eventually "7: the copy shows the move: place 4 holds key 5's picture" "$(icon_colour 4)" \
    seen_on copy key_centre 3
xdotool windowactivate --sync "$editor" key --clearmodifiers alt+F4 2>/dev/null
if wait_for_exit "$tune_pid" 10; then
    pass "7: the close box ends tune"
else
    fail "7: tune still runs after its close box"
    finish
fi
expect_eq "7: the key table is as it was" "$(md5sum <"$program/barra.dat")" "$table_before"
expect_eq "7: the icon files are as they were" "$(cat "$program"/icons/*.ico | md5sum)" \
    "$icons_before"
bar=""
for _ in $(seq 100); do
    bar=$(xdotool search --onlyvisible --class '^ombrix$' 2>/dev/null | head -n1)
    [ -n "$bar" ] && break
    sleep 0.1
done
if [ -z "$bar" ]; then
    fail "7: closing tune did not start the bar"
    finish
fi
others+=("$(window_pid "$bar")")
wait_for_still "$bar" || fail "7: the bar kept moving: $(geometry "$bar")"
read -r bx by _ bh <<<"$(geometry "$bar")"
click_at "the bar's handle" $((bx + 13)) $((by + 13))
wait_for_geometry "$bar" "$bx $by 1920 $bh" || fail "7: the bar did not open: $(geometry "$bar")"
copy=$bar # the bar is read as the copy is: the same keys at the same places
expect_eventually "7: keys 4 and 5 of the bar show their own pictures" "enabled enabled" \
    seen_on copy each icon_key_state 3 4

finish
