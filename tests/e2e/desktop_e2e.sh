#!/usr/bin/env bash
# The bar as a new user meets it on a desktop: a 1280 x 1024 screen under a real window
# manager (openbox, in a D-Bus session of its own) with several workspaces. The bar is docked
# at the bottom with 128 keys, each starting a program kept in a folder named "example.com";
# the first key is stored pure red (255.0) and shows no caption. Checked: the bar is a dock
# without a frame, placed where it asks and shown on every workspace; opened, every row lies
# on the screen; the red key's centre is pure red on screen; resting the pointer on a key shows
# its pop-up text although the bar never takes the focus; the key in the last row starts its
# program from the dotted folder; a compositor casts no rectangular shadow from the round
# handle; an ordinary window leaves the handle in sight, a fullscreen one covers it.
#
# Usage: desktop_e2e.sh <program folder> <makekeytable> <argrecorder>
# Exit codes: 0 all checks passed, 1 a check failed, 77 a needed tool is missing (skipped).
set -u

program_source=${1:?program folder}
make_key_table=${2:?makekeytable}
arg_recorder=${3:?argrecorder}

test_title="the end-to-end test of the bar on a desktop"
# shellcheck source=common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/common.sh"
require_tools Xvfb openbox dbus-run-session xdotool xwininfo xprop import wmctrl xterm xcompmgr
require_files "$program_source/ombrix" "$make_key_table" "$arg_recorder"
make_work ombrix-desktop-e2e

make_user_world "$program_source"
mkdir -p "$XDG_CONFIG_HOME/Ombrix"
start_xvfb 1280x1024
screen_height=1024

# The window manager; its session bus ends with it.
dbus-run-session -- openbox --sm-disable >"$work/openbox.log" 2>&1 &
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
    { cat "$work/openbox.log"; echo "FAIL: openbox did not start"; exit 1; }

# ---------------------------------------------------------------- the keys
sites="$work/sites/example.com"
mkdir -p "$sites"
cp "$arg_recorder" "$sites/run.sh"
"$make_key_table" "$program" "$XDG_CONFIG_HOME/Ombrix/keycount.stm" 128 documents \
    "$sites/run.sh" "$work/documents" || { echo "FAIL: the key table could not be written"; exit 1; }
patch_record() { # record offset bytes (printf escapes): overwrites bytes of one key record
    printf '%b' "$3" | dd of="$program/barra.dat" bs=1 seek=$(($1 * 550 + $2)) conv=notrunc status=none
}
patch_record 0 500 '\x01\x00'         # key 1 shows icons/icon0.ico, which is not there: no caption
patch_record 0 546 '\x00\x00\x7f\x43' # and its colour is 255.0, pure red
printf '[posizione]\nleft=0\ntop=7000\nlarghezza=400\nindice=4\n' \
    >"$XDG_CONFIG_HOME/Ombrix/Ombrix.conf"
export ARGRECORDER_OUT="$work/record"

pixels() { echo $(((2 * $1 + 15) / 30)); } # twips to pixels, halves up, 15 twips a pixel
colour_at() { # x y: "r,g,b" of the screen there
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
        sed -n '2s/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}
key_centre() { # window-top left top (twips): sets kx, ky
    kx=$(($(pixels "$2") + $(pixels 350) / 2))
    ky=$(($1 + $(pixels "$3") + $(pixels 350) / 2))
}

# ================================================================ the bar
"$program/ombrix" >"$work/bar.log" 2>&1 &
bar_pid=$!
bar=$(wait_for_window "$bar_pid") || { cat "$work/bar.log"; echo "FAIL: the bar showed no window"; exit 1; }

# 1. A dock without a frame, placed exactly where it asks: docked at the bottom, 800 twips
#    (53 px) above it.
expect_eq "1: the window manager is told the bar is a dock" \
    "$(xprop -id "$bar" _NET_WM_WINDOW_TYPE | sed 's/.*= //; s/,.*//')" _NET_WM_WINDOW_TYPE_DOCK
frame_extents() { xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //'; } # window
# The window manager has taken the bar in once it has told its frame.
expect_eventually "1: the bar has no frame" "0, 0, 0, 0" frame_extents "$bar"
left_top_width() { geometry "$1" | cut -d' ' -f1-3; } # window
expect_eventually "1: the closed bar sits where it asks" "0 $((screen_height - 53)) 27" \
    left_top_width "$bar"
read -r x y w h <<<"$(geometry "$bar")"

# 1. What the window manager is told: transient for no window (KWin keeps a transient dock on
#    one desktop only), every desktop, out of task bars and pagers, and no "above" state of its
#    own (xfwm4 keeps such a dock even over fullscreen windows; a dock is above ordinary
#    windows by its type).
expect_eq "1: the bar is transient for no window" "$(xprop -id "$bar" WM_TRANSIENT_FOR)" \
    "WM_TRANSIENT_FOR:  not found."
expect_eq "1: the bar asks for every desktop" \
    "$(xprop -id "$bar" _NET_WM_DESKTOP | sed 's/.*= //')" 4294967295
states=$(xprop -id "$bar" _NET_WM_STATE)
for state in _NET_WM_STATE_SKIP_TASKBAR _NET_WM_STATE_SKIP_PAGER; do
    case "$states" in
    *"$state"*) pass "1: the bar has $state" ;;
    *) fail "1: the bar lacks $state: $states" ;;
    esac
done
case "$states" in
*_NET_WM_STATE_ABOVE* | *_NET_WM_STATE_STAYS_ON_TOP*) fail "1: the bar asks to be above: $states" ;;
*) pass "1: the bar asks for no \"above\" state" ;;
esac

# 2. Every workspace shows it: once the window manager has switched, the bar is viewable.
on_desktop() { [ "$(xprop -root _NET_CURRENT_DESKTOP | sed 's/.*= //')" = "$1" ]; } # desktop
map_state() { xwininfo -id "$1" | sed -n 's/.*Map State: //p'; } # window
for desktop in 1 2 0; do
    xdotool set_desktop "$desktop"
    wait_until 10 on_desktop "$desktop" ||
        fail "2: the window manager did not switch to workspace $((desktop + 1))"
    expect_eventually "2: the bar shows on workspace $((desktop + 1))" IsViewable map_state "$bar"
done

# 2. With a compositor that draws shadows, the closed handle casts none of its rectangle: the
#    corner of the window below the round handle shows the desktop as it is far away.
xcompmgr -c >"$work/xcompmgr.log" 2>&1 &
compositor=$!
sleep 1
expect_eq "2: under a compositor the handle casts no rectangular shadow" \
    "$(colour_at 13 $((y + 31)))" "$(colour_at 300 $((y + 16)))"
kill "$compositor"
wait "$compositor" 2>/dev/null
sleep 0.3

# 3. Opened, all four rows of the 128 keys lie on the screen.
xdotool mousemove 13 $((y + 13)) click --delay 1 1
for _ in $(seq 60); do
    read -r x y w h <<<"$(geometry "$bar")"
    [ "$w" = 1280 ] && break
    sleep 0.05
done
if [ "$w" = 1280 ] && [ "$y" -ge 0 ] && [ $((y + h)) -le "$screen_height" ] &&
    [ "$h" -ge "$(pixels $((1380 + 350)))" ]; then
    pass "3: the open bar (${w}x${h} at $x,$y) holds its four rows on the screen"
else
    fail "3: the open bar is ${w}x${h} at $x,$y on a 1280x$screen_height screen"
fi

# 4. Key 1's face is exactly its colour.
xdotool mousemove 640 300 # the pointer away from the keys
key_centre "$y" 1670 60
expect_eventually "4: the centre of the key stored as 255.0 reads pure red" "255,0,0" \
    colour_at "$kx" "$ky"

# 5. Resting the pointer on a key shows its pop-up text within a second, though another
#    window is active. A hand brings the pointer in several small moves; the last one counts.
xdotool mousemove $((kx - 3)) $((ky - 3))
sleep 0.05
xdotool mousemove "$kx" "$ky"
rested=$(date +%s%N)
waited=0
while [ "$(visible_windows "$bar_pid" | wc -l)" -lt 2 ] && [ "$waited" -lt 1500 ]; do
    sleep 0.02
    waited=$((($(date +%s%N) - rested) / 1000000))
done
tip=""
for window in $(visible_windows "$bar_pid"); do
    xprop -id "$window" _NET_WM_WINDOW_TYPE | grep -q TOOLTIP && tip=$window
done
if [ -n "$tip" ] && [ "$waited" -le 1000 ]; then
    pass "5: the key's pop-up text shows after $waited ms"
elif [ -n "$tip" ]; then
    fail "5: the key's pop-up text took $waited ms to show"
else
    fail "5: no pop-up text 1.5 s after the pointer came to rest on a key"
fi

# 6. The key in the last row starts its program, which lives under "example.com".
key_centre "$y" $((210 + 3 * 365)) 1380
xdotool mousemove "$kx" "$ky" click --delay 1 1
for _ in $(seq 100); do
    [ -s "$ARGRECORDER_OUT" ] && break
    sleep 0.05
done
if [ -s "$ARGRECORDER_OUT" ] && read_records "$ARGRECORDER_OUT"; then
    expect_eq "6: key 128 started the program under example.com in its folder with its document" \
        "${records[*]}" "$(cd "$sites" && pwd -P) $sites/run.sh $(cd "$work/documents" && pwd -P)/doc127.txt"
else
    fail "6: key 128 at $kx,$ky started nothing"
    cat "$work/bar.log"
fi
if wait_for_geometry "$bar" "0 $((screen_height - 53)) 27 $h"; then
    pass "6: used, the bar closes back to its handle at the bottom"
else
    fail "6: after the key the bar is at $(geometry "$bar"), not closed at the bottom"
fi

# 7. An ordinary window over the closed handle leaves it in sight; made fullscreen, the window
#    covers it, as users expect of a dock.
xterm -class OmbrixCover -geometry 120x60+0+0 >/dev/null 2>&1 &
cover=$(xdotool search --sync --onlyvisible --class OmbrixCover 2>/dev/null | head -n1)
handle_dot="245,208,76" # the yellow dot at the handle's centre
read -r x y _ _ <<<"$(geometry "$bar")"
if [ -n "$cover" ]; then
    wait_for_still "$cover" || fail "7: the covering window kept moving: $(frame_of "$cover")"
    read -r cx cy _ ch <<<"$(frame_of "$cover")"
    [ "$cx" -le "$x" ] && [ $((cy + ch)) -gt $((y + 13)) ] ||
        wmctrl -i -r "$cover" -e "0,0,$((y - 100)),800,400"
    wmctrl -i -a "$cover"
    sleep 0.5
    expect_eq "7: an ordinary window over the handle leaves it in sight" \
        "$(colour_at $((x + 13)) $((y + 13)))" "$handle_dot"
    wmctrl -i -r "$cover" -b add,fullscreen
    wmctrl -i -a "$cover"
    sleep 0.8 # a handle raised again over the fullscreen window would show by now
    cover_size() { geometry "$cover" | cut -d' ' -f3-; }
    cover_fullscreen() { [ "$(cover_size)" = "1280 $screen_height" ]; }
    wait_until 10 cover_fullscreen ||
        fail "7: the window did not go fullscreen ($(cover_size | tr ' ' x))"
    handle_covered() { colour=$(colour_at $((x + 13)) $((y + 13))) && [ "$colour" != "$handle_dot" ]; }
    if wait_until 10 handle_covered; then
        pass "7: a fullscreen window covers the handle"
    else
        fail "7: the handle shows over a fullscreen window (its centre reads $colour)"
    fi
else
    fail "7: the covering window did not show"
fi

report
