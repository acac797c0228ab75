# shellcheck shell=bash
# What every end-to-end test shares: the needed tools, the tally of checks, a temporary world
# of its own (home, configuration, runtime folders and a copy of the program folder), its own
# virtual X server, and the cleanup that ends all of it.
#
# A test sets test_title ("the end-to-end test of ..."), then calls require_tools,
# require_files, make_work, make_user_world and start_xvfb in this order, and ends with report.
# A test that starts programs which are not its children defines end_others to end them; the
# cleanup calls it before it ends the test's own children.

# The programs speak the desktop's language; these tests read the design's own texts, which
# a locale without a catalogue shows.
export LANG=C.UTF-8 LC_ALL=C.UTF-8 LANGUAGE=

# ---------------------------------------------------------------- what the test needs
# shellcheck disable=SC2154 # test_title is set by the test
skip() {
    echo "SKIP: $*" >&2
    echo "SKIP: $test_title did not run." >&2
    exit 77
}

require_tools() { # tool...: skips the test when one is not installed
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 ||
            skip "'$tool' is not installed (bash scripts/install-deps.sh installs it)"
    done
}

require_files() { # file...: fails the test when one is not there to run
    local file
    for file in "$@"; do
        [ -x "$file" ] || { echo "FAIL: $file is missing; build first." >&2; exit 1; }
    done
}

# ---------------------------------------------------------------- bookkeeping
passed=0
failed=0
pass() { passed=$((passed + 1)); echo "PASS: $*"; }
fail() { failed=$((failed + 1)); echo "FAIL: $*"; }
expect_eq() { # description actual expected
    if [ "$2" = "$3" ]; then pass "$1"; else fail "$1: got '$2', expected '$3'"; fi
}

# What a program shows or writes may lag behind the input that caused it, the more so on a busy
# machine: a check is tried again until it holds, and fails only when it still does not after a
# generous time, naming what it saw last.
wait_until() { # seconds command...: true once the command succeeds, tried every 0.1 s
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

expect_eventually() { # description expected command...: expect_eq on the command's output, within 10 s
    local description=$1 expected=$2 seen deadline=$((SECONDS + 10))
    shift 2
    until seen=$("$@") && [ "$seen" = "$expected" ]; do
        [ "$SECONDS" -lt "$deadline" ] || break
        sleep 0.1
    done
    expect_eq "$description" "$seen" "$expected"
}

report() { # the tally; true when no check failed
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}

alive() { # pid: true while the process runs (an ended child not yet waited for does not)
    local state
    state=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -d' ' -f1)
    [ -n "$state" ] && [ "$state" != Z ]
}

# ---------------------------------------------------------------- the work folder and cleanup
make_work() { # name: a new folder in $work, removed on exit with everything started in it
    work=$(mktemp -d "${TMPDIR:-/tmp}/$1-XXXXXX") || exit 1
    program="$work/program"
    xvfb_pid=""
    trap cleanup EXIT
    trap 'echo "Interrupted." >&2; exit 130' INT TERM HUP
}

# Only this shell's children that still run are ended: a process already waited for may have
# handed its number on to someone else's.
# shellcheck disable=SC2317 # runs through the trap
cleanup() {
    local pid
    if declare -F end_others >/dev/null; then end_others; fi
    for pid in $(jobs -p); do
        [ "$pid" = "$xvfb_pid" ] || kill "$pid" 2>/dev/null
    done
    for pid in $(jobs -p); do
        [ "$pid" = "$xvfb_pid" ] || wait "$pid" 2>/dev/null
    done
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$work"
}

# ---------------------------------------------------------------- the user's world
make_user_world() { # program folder: its own home and folders, and a copy of the program
    export HOME="$work/home"
    export XDG_CONFIG_HOME="$work/config"
    export XDG_DATA_HOME="$work/data"
    export XDG_RUNTIME_DIR="$work/runtime"
    export QT_QPA_PLATFORM=xcb
    unset WAYLAND_DISPLAY SESSION_MANAGER
    mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    cp -r "$1" "$program"
    rm -rf "$program/barra.dat" "$program/icons" # a new user's folder has no key table yet
}

# Xvfb picks a free display itself and reports it once it accepts connections.
start_xvfb() { # [screen size, 1920x1080 unless told]
    Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 "${1:-1920x1080}x24" \
        3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; echo "FAIL: Xvfb did not start" >&2; exit 1; }
    DISPLAY=":$(head -n1 "$work/display")"
    export DISPLAY
    echo "Running on display $DISPLAY in $work"
}

# A window manager as a desktop has one: openbox in a session bus of its own, so that windows
# get frames and close boxes, and windows that ask for a place are placed by it.
start_window_manager() {
    # Its themes lie in the system's data folders, whatever a test made of XDG_DATA_DIRS.
    XDG_DATA_DIRS=/usr/local/share:/usr/share dbus-run-session -- openbox >"$work/openbox.log" 2>&1 &
    for _ in $(seq 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    cat "$work/openbox.log" >&2
    echo "FAIL: openbox did not start" >&2
    exit 1
}

# The outside of a managed window, frame included: "x y width height".
frame_of() { # window
    local x y w h left right top bottom
    read -r x y w h <<<"$(xwininfo -id "$1" 2>/dev/null | awk '
        /Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        /^ *Width:/ {w = $NF} /^ *Height:/ {h = $NF} END {print x, y, w, h}')"
    read -r left right top bottom <<<"$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null |
        sed -n 's/.* = //p' | tr -d ',')"
    echo "$((x - ${left:-0})) $((y - ${top:-0})) $((w + ${left:-0} + ${right:-0})) $((h + ${top:-0} + ${bottom:-0}))"
}

# ---------------------------------------------------------------- windows and records
geometry() { # window: "x y width height"
    xwininfo -id "$1" 2>/dev/null | awk '
        /Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        /^ *Width:/ {w = $NF} /^ *Height:/ {h = $NF}
        END {print x, y, w, h}'
}

visible_windows() { # pid
    xdotool search --onlyvisible --pid "$1" 2>/dev/null
}

wait_for_window() { # pid: prints the first visible window of the process
    local window
    for _ in $(seq 100); do
        window=$(visible_windows "$1" | head -n1)
        if [ -n "$window" ]; then
            echo "$window"
            return 0
        fi
        alive "$1" || return 1
        sleep 0.1
    done
    return 1
}

geometry_is() { [ "$(geometry "$1")" = "$2" ]; } # window expected

wait_for_geometry() { # window expected [seconds, 10 unless told]: true once the geometry is as expected
    wait_until "${3:-10}" geometry_is "$1" "$2"
}

# A window may still be placed after it shows: by the window manager framing it, or by its
# program making room once it is framed. Its place is read once it has held for a second.
wait_for_still() { # window [seconds, 10 unless told]: true once its geometry held 10 reads 0.1 s apart
    local deadline=$((SECONDS + ${2:-10})) last="" now held=0
    while [ "$SECONDS" -lt "$deadline" ]; do
        now=$(geometry "$1")
        if [ "$now" = "$last" ]; then held=$((held + 1)); else held=0 last=$now; fi
        [ "$held" -ge 10 ] && return 0
        sleep 0.1
    done
    return 1
}

# The records argrecorder writes: length, colon, bytes, newline, each. Fills `records`.
read_records() {
    local LC_ALL=C data length
    data=$(cat "$1"; printf x)
    data=${data%x}
    records=()
    while [ -n "$data" ]; do
        length=${data%%:*}
        [[ $length =~ ^[0-9]+$ ]] || return 1
        data=${data#*:}
        records+=("${data:0:length}")
        data=${data:length+1}
    done
}
