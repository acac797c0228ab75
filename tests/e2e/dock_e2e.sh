#!/usr/bin/env bash
# Where the bar lives on a desktop of several monitors and with panels: a real X server (Xorg
# with the dummy video driver, whose outputs are real RandR monitors) and openbox. For each
# layout of two monitors and each side, the closed handle and the open bar lie on the bar's
# monitor, against its side, and take clicks; a resolution change and a monitor taken away
# while the bar runs are followed within a second; the handle dragged onto the other monitor
# takes the bar there and it comes back to it when that monitor returns. With a panel that
# reserves 30 px at the top and 48 px at the bottom, the open bar docked at the bottom lies
# above it and its last row's key starts its program, and the handle docked at the top lies
# below it and opens the bar. The setup program opens its editor and bar copy inside the
# primary's area.
#
# Usage: dock_e2e.sh <program folder> <makekeytable> <argrecorder> <strutpanel>
# Exit codes: 0 all checks passed, 1 a check failed, 77 a needed tool is missing (skipped).
set -u

program_source=${1:?program folder}
make_key_table=${2:?makekeytable}
arg_recorder=${3:?argrecorder}
strut_panel=${4:?strutpanel}

test_title="the end-to-end test of the bar on several monitors and beside panels"
# shellcheck source=common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/common.sh"
require_tools Xorg xrandr openbox xdotool xwininfo xprop dbus-run-session
[ -e /usr/lib/xorg/modules/drivers/dummy_drv.so ] ||
    skip "the dummy video driver is not installed (bash scripts/install-deps.sh installs it)"
[ "$(id -u)" -eq 0 ] || skip "Xorg with a configuration of its own is started as root here"
require_files "$program_source/ombrix" "$make_key_table" "$arg_recorder" "$strut_panel"
make_work ombrix-dock-e2e
make_user_world "$program_source"
mkdir -p "$XDG_CONFIG_HOME/Ombrix" "$work/out" "$work/xorg.d"
settings_file="$XDG_CONFIG_HOME/Ombrix/Ombrix.conf"
started=$SECONDS

# ---------------------------------------------------------------- the X server
cat >"$work/xorg.conf" <<'CONF'
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 256000
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0 - 1000.0
    VertRefresh 5.0 - 200.0
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Virtual 3840 2200
    EndSubSection
EndSection
CONF
# Xorg picks a free display itself and reports it once it accepts connections; the cleanup
# of common.sh ends it as it ends Xvfb.
Xorg -noreset -nolisten tcp +extension RANDR -config "$work/xorg.conf" \
    -configdir "$work/xorg.d" -logfile "$work/xorg.log" -displayfd 3 \
    3>"$work/display" >"$work/xorg.out" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { tail -n 20 "$work/xorg.log" >&2; echo "FAIL: Xorg did not start" >&2; exit 1; }
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
echo "Running on Xorg display $DISPLAY in $work"
if ! xrandr --addmode DUMMY1 1920x1080 || ! xrandr --addmode DUMMY1 1280x1024; then
    skip "the dummy driver offers no second output here"
fi
start_window_manager

# ---------------------------------------------------------------- helpers
layout() { # framebuffer "output mode position"...: the primary is DUMMY0
    local args=(--fb "$1") monitor output mode position
    shift
    for monitor in "$@"; do
        read -r output mode position <<<"$monitor"
        if [ "$mode" = off ]; then
            args+=(--output "$output" --off)
        else
            args+=(--output "$output" --mode "$mode" --pos "$position")
        fi
    done
    xrandr "${args[@]}" --output DUMMY0 --primary || fail "xrandr refused the layout $*"
}

monitor() { # output: "x y width height" as RandR lists it
    xrandr --listmonitors | awk -v name="$1" '$NF == name {
        split($3, p, /[\/x+]/); print p[5], p[6], p[1], p[3] }'
}

# "x y width height" lies inside "x y width height"
inside() {
    local x y w h ax ay aw ah
    read -r x y w h <<<"$1"
    read -r ax ay aw ah <<<"$2"
    [ "$x" -ge "$ax" ] && [ "$y" -ge "$ay" ] && [ $((x + w)) -le $((ax + aw)) ] &&
        [ $((y + h)) -le $((ay + ah)) ]
}

# The handle: the window's round outline, 27 px across, at its top-left corner.
handle_of() { # window geometry
    local x y
    read -r x y _ <<<"$1"
    echo "$x $y 27 27"
}

click_at() { xdotool mousemove "$1" "$2" click --delay 1 1; }

# The window's geometry once it stops changing (the bar re-docks in one step).
settled() { # window
    local now last=""
    for _ in $(seq 20); do
        now=$(geometry "$1")
        [ "$now" = "$last" ] && break
        last=$now
        sleep 0.05
    done
    echo "$now"
}

wait_until_changed() { # window old-geometry [seconds]: true once the geometry differs
    for _ in $(seq $((${3:-1} * 20))); do
        [ "$(geometry "$1")" != "$2" ] && return 0
        sleep 0.05
    done
    return 1
}

# 128 keys, each starting argrecorder with a document of its own.
recorder_folder="$work/recorder"
mkdir -p "$recorder_folder"
cp "$arg_recorder" "$recorder_folder/argrecorder"
"$make_key_table" "$program" "$XDG_CONFIG_HOME/Ombrix/keycount.stm" 128 documents \
    "$recorder_folder/argrecorder" "$work/documents" || fail "the key table could not be written"
record="$work/out/record"
export ARGRECORDER_OUT="$record"

pressed() { # x y document: true when a click there started argrecorder with the document
    rm -f "$record"
    click_at "$1" "$2"
    for _ in $(seq 100); do
        [ -f "$record" ] && break
        sleep 0.02
    done
    [ -f "$record" ] && grep -q "/$3\$" "$record"
}

start_bar() { # side: the bar closed at the middle of that side
    printf '[posizione]\nindice=%s\nlarghezza=400\n' "$1" >"$settings_file"
    "$program/ombrix" >"$work/bar.log" 2>&1 &
    bar_pid=$!
    bar=$(wait_for_window "$bar_pid") || { fail "the bar did not start"; report; exit 1; }
}

side_names=(left top right bottom)
# The side buttons of the open bar, as a cross: their centres in pixels from its corner.
side_button_x=(42 53 62 53)
side_button_y=(15 5 15 26)

side_stored() { [ "$(sed -n 's/^indice=//p' "$settings_file")" = "$1" ]; } # side, from 1
closed() { [ "$(geometry "$bar" | cut -d' ' -f3)" = 27 ]; }

# One layout, every side: the bar open on the side's button, closed, opened on its handle.
# The bar stores a side as it docks to it, and a slow bar would be read where it was: each
# place is read once the click has been seen to act.
check_sides() { # layout name
    local name=$1 area side g handle x y
    area=$(monitor DUMMY0)
    for side in 0 1 2 3; do
        g=$(settled "$bar")
        read -r x y _ <<<"$g"
        click_at $((x + side_button_x[side])) $((y + side_button_y[side]))
        wait_until 10 side_stored $((side + 1)) ||
            fail "$name, ${side_names[side]}: the side's button did not store the side"
        g=$(settled "$bar")
        read -r x y w h <<<"$g"
        if inside "$g" "$area" && [ "$w" -eq "$(echo "$area" | cut -d' ' -f3)" ]; then
            pass "$name, ${side_names[side]}: the open bar ($g) lies across the primary ($area)"
        else
            fail "$name, ${side_names[side]}: the open bar ($g) is not across the primary ($area)"
        fi
        # The handle's corner of the open bar closes it; the click that opens it again is made
        # far enough away not to count as the second click of a double click.
        click_at $((x + 4)) $((y + 4))
        wait_until 10 closed
        g=$(settled "$bar")
        handle=$(handle_of "$g")
        read -r x y _ <<<"$handle"
        local ax ay aw ah edge
        read -r ax ay aw ah <<<"$area"
        case $side in
        0) edge=$((x == ax)) ;;
        1) edge=$((y == ay)) ;;
        2) edge=$((x + 27 == ax + aw)) ;;
        3) edge=$((y + 53 == ay + ah || y + 54 == ay + ah)) ;;
        esac
        if inside "$handle" "$area" && [ "$edge" -eq 1 ]; then
            pass "$name, ${side_names[side]}: the handle ($handle) lies against that side of the primary"
        else
            fail "$name, ${side_names[side]}: the handle ($handle) is not against that side of the primary ($area)"
        fi
        click_at $((x + 20)) $((y + 20))
        wait_until_changed "$bar" "$g" 10 ||
            fail "$name, ${side_names[side]}: a click on the handle did not open the bar"
    done
    g=$(settled "$bar")
    read -r x y _ <<<"$g"
    if pressed $((x + 123)) $((y + 16)) doc0.txt; then
        pass "$name: the first key of the open bar starts its program"
    else
        fail "$name: a click on the first key started nothing"
    fi
    g=$(settled "$bar")
    read -r x y _ <<<"$g"
    click_at $((x + 13)) $((y + 13)) # open again for the next layout
    settled "$bar" >/dev/null
}

# ================================================================ two monitors
layout 3200x1080 "DUMMY1 1280x1024 0x0" "DUMMY0 1920x1080 1280x0"
start_bar 1
g=$(settled "$bar")
read -r x y _ <<<"$g"
click_at $((x + 13)) $((y + 13))
settled "$bar" >/dev/null
check_sides "a smaller monitor left of the primary"

layout 3200x1080 "DUMMY1 1920x1080 0x0" "DUMMY0 1280x1024 1920x0"
settled "$bar" >/dev/null
check_sides "the smaller primary on the right"

layout 1920x2160 "DUMMY1 1920x1080 0x0" "DUMMY0 1920x1080 0x1080"
settled "$bar" >/dev/null
check_sides "the primary below another"

layout 1920x2104 "DUMMY1 1280x1024 0x0" "DUMMY0 1920x1080 0x1024"
settled "$bar" >/dev/null
check_sides "a smaller monitor on top"

# ---------------------------------------------------------------- changes while it runs
layout 3200x1080 "DUMMY1 1280x1024 0x0" "DUMMY0 1920x1080 1280x0"
g=$(settled "$bar")
read -r x y _ <<<"$g"
click_at $((x + 53)) $((y + 26)) # bottom
g=$(settled "$bar")
read -r x y _ <<<"$g"
click_at $((x + 12)) $((y + 12)) # closed
g=$(settled "$bar")
xrandr --output DUMMY0 --mode 1280x1024
if wait_until_changed "$bar" "$g" 1; then
    g=$(settled "$bar")
    handle=$(handle_of "$g")
    read -r _ y _ <<<"$handle"
    if inside "$handle" "$(monitor DUMMY0)" && [ $((y + 54)) -ge 1024 ]; then
        pass "a resolution change: within a second the handle is at the new bottom ($handle)"
    else
        fail "a resolution change: the handle ($handle) is not at the bottom of $(monitor DUMMY0)"
    fi
else
    fail "a resolution change was not followed within a second"
fi

# Dragged across to the other monitor, the bar docks to its bottom and remembers it.
read -r x y _ <<<"$(settled "$bar")"
xdotool mousemove $((x + 13)) $((y + 13))
sleep 0.05
xdotool mousedown 1
for step in 1 2 3 4 5 6; do
    xdotool mousemove $((x + 13 - 120 * step)) $((y + 13))
    sleep 0.03
done
xdotool mouseup 1
g=$(settled "$bar")
if inside "$(handle_of "$g")" "$(monitor DUMMY1)"; then
    pass "the handle dragged onto the other monitor docks there ($g)"
else
    fail "the handle dragged across stayed off the other monitor ($g, $(monitor DUMMY1))"
fi
expect_eq "the monitor is stored by its name" \
    "$(sed -n 's/^monitor=//p' "$settings_file")" "DUMMY1"

# The primary back at its full size, then the bar's monitor taken away: the primary takes its
# place at the left, larger, and the bar goes to its bottom.
xrandr --output DUMMY0 --mode 1920x1080
g=$(settled "$bar")
xrandr --output DUMMY1 --off
if wait_until_changed "$bar" "$g" 1; then
    g=$(settled "$bar")
    handle=$(handle_of "$g")
    read -r _ y _ <<<"$handle"
    read -r _ ay _ ah <<<"$(monitor DUMMY0)"
    if inside "$handle" "$(monitor DUMMY0)" && [ $((y + 54)) -ge $((ay + ah)) ]; then
        pass "its monitor taken away, within a second the bar is at the primary's bottom ($g)"
    else
        fail "its monitor taken away, the bar ($g) is not at the bottom of $(monitor DUMMY0)"
    fi
else
    fail "its monitor taken away, the bar did not move within a second ($g)"
fi
layout 3200x1080 "DUMMY1 1280x1024 0x0" "DUMMY0 1920x1080 1280x0"
handle_on() { g=$(geometry "$bar") && inside "$(handle_of "$g")" "$(monitor "$1")"; } # monitor
if wait_until 10 handle_on DUMMY1; then
    pass "the monitor back, the bar returns to it ($g)"
else
    fail "the monitor back, the bar did not return to it ($g)"
fi
kill "$bar_pid" 2>/dev/null
wait "$bar_pid" 2>/dev/null

# ================================================================ the setup program
# The primary below another monitor, a panel at the top of the upper one and one at the bottom
# of the primary: the editor, frame and all, and the bar copy open inside the primary's area.
layout 1920x2160 "DUMMY1 1920x1080 0x0" "DUMMY0 1920x1080 0x1080"
"$strut_panel" top:30 bottom:48 >"$work/panel.log" 2>&1 &
panel_pid=$!
for _ in $(seq 50); do
    xprop -root _NET_WORKAREA 2>/dev/null | grep -q '= 0, 30, 1920, 2082' && break
    sleep 0.1
done
printf '[posizione]\nindice=4\nlarghezza=400\n' >"$settings_file"
"$program/tune" >"$work/tune.log" 2>&1 &
tune_pid=$!
editor="" copy=""
for _ in $(seq 100); do
    editor=$(xdotool search --all --onlyvisible --pid "$tune_pid" --name '^Ombrix Setup' | head -n1)
    copy=$(xdotool search --all --onlyvisible --pid "$tune_pid" --name '^Ombrix$' | head -n1)
    [ -n "$editor" ] && [ -n "$copy" ] && break
    sleep 0.1
done
# Both are placed again once framed: read once they hold.
for window in "$editor" "$copy"; do
    [ -z "$window" ] || wait_for_still "$window" || fail "the setup program's window $window kept moving"
done
area="0 1080 1920 1032"
if [ -n "$editor" ] && inside "$(frame_of "$editor")" "$area"; then
    pass "the setup program's editor ($(frame_of "$editor")) opens inside the primary's area"
else
    fail "the setup program's editor (${editor:+$(frame_of "$editor")}) is not inside $area"
fi
if [ -n "$copy" ] && inside "$(geometry "$copy")" "$area"; then
    pass "the setup program's bar copy ($(geometry "$copy")) opens inside the primary's area"
else
    fail "the setup program's bar copy (${copy:+$(geometry "$copy")}) is not inside $area"
fi
kill "$tune_pid" "$panel_pid" 2>/dev/null
wait "$tune_pid" "$panel_pid" 2>/dev/null
# Leaving the setup program starts the bar again; the next bar would meet it and only warn.
for _ in $(seq 50); do
    left_bar=$(pgrep -f "^$program/ombrix( |\$)") && break
    sleep 0.02
done
if [ -n "${left_bar:-}" ]; then
    # shellcheck disable=SC2086 # one number per bar
    kill $left_bar 2>/dev/null
    for _ in $(seq 100); do
        pgrep -f "^$program/ombrix( |\$)" >/dev/null || break
        sleep 0.02
    done
fi

# ================================================================ a panel
layout 1920x1080 "DUMMY1 off" "DUMMY0 1920x1080 0x0"
"$strut_panel" top:30 bottom:48 >"$work/panel.log" 2>&1 &
for _ in $(seq 50); do
    xprop -root _NET_WORKAREA 2>/dev/null | grep -q '= 0, 30, 1920, 1002' && break
    sleep 0.1
done
area="0 30 1920 1002"
printf '[posizione]\nindice=4\nleft=0\ntop=0\nlarghezza=28800\n' >"$settings_file"
"$program/ombrix" >"$work/bar-panel.log" 2>&1 &
bar_pid=$!
if bar=$(wait_for_window "$bar_pid"); then
    g=$(settled "$bar")
    read -r x y w h <<<"$g"
    if inside "$g" "$area"; then
        pass "docked at the bottom, every row of the open bar ($g) lies above the panel"
    else
        fail "docked at the bottom, the open bar ($g) reaches into the panels ($area)"
    fi
    # The last row of 128 keys on 1920 px: key 127, fourth in row 4 (Left 1305, Top 1380).
    if pressed $((x + 87 + 12)) $((y + 92 + 12)) doc127.txt; then
        pass "the key in the last row starts its program"
    else
        fail "a click on the key in the last row started nothing"
    fi
    g=$(settled "$bar")
    read -r x y w _ <<<"$g"
    [ "$w" -eq 27 ] && click_at $((x + 13)) $((y + 13)) # a closed bar opens
    g=$(settled "$bar")
    read -r x y _ <<<"$g"
    click_at $((x + 53)) $((y + 5)) # top
    g=$(settled "$bar")
    read -r x y _ <<<"$g"
    click_at $((x + 4)) $((y + 4)) # closed
    g=$(settled "$bar")
    handle=$(handle_of "$g")
    read -r x y _ <<<"$handle"
    expect_eq "docked at the top, the handle lies just below the panel" "$y" 30
    click_at $((x + 20)) $((y + 20))
    if wait_until_changed "$bar" "$g" 10; then
        g=$(settled "$bar")
        read -r _ _ w _ <<<"$g"
        expect_eq "a click on that handle opens the bar across the screen" "$w" 1920
    else
        fail "a click on the handle below the top panel did not open the bar"
    fi
else
    fail "the bar did not start beside the panels"
fi

echo "The test took $((SECONDS - started)) s."
report
