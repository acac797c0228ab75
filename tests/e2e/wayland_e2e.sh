#!/usr/bin/env bash
# Both programs in a Wayland session, with Qt's Wayland plugin installed: a Wayland compositor
# (weston, headless) that offers an X server (XWayland). The bar and the setup program come up
# through the X server; a user's own QT_QPA_PLATFORM is kept; without an X server the bar still
# starts and says on standard error why it cannot dock.
#
# Usage: wayland_e2e.sh <program folder>
# Exit codes: 0 all checks passed, 1 a check failed, 77 a needed tool is missing (skipped).
set -u

program_source=${1:?program folder}

test_title="the end-to-end test of the programs in a Wayland session"
# shellcheck source=common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/common.sh"
require_tools weston Xwayland xdotool
require_files "$program_source/ombrix" "$program_source/tune"
qt_plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null ||
    echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
[ -e "$qt_plugins/platforms/libqwayland-generic.so" ] ||
    skip "Qt's Wayland plugin is not installed (bash scripts/install-deps.sh installs it)"
make_work ombrix-wayland-e2e
make_user_world "$program_source"
unset QT_QPA_PLATFORM DISPLAY XDG_SESSION_TYPE

# ---------------------------------------------------------------- the compositor
socket="ombrix-e2e-$$"
weston --backend=headless-backend.so --xwayland --socket="$socket" --width=1280 \
    --height=1024 --idle-time=0 >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
    grep -q 'xserver listening on display' "$work/weston.log" && [ -S "$XDG_RUNTIME_DIR/$socket" ] &&
        break
    alive "$weston_pid" || break
    sleep 0.1
done
x_display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log" | head -n1)
if [ -z "$x_display" ]; then
    cat "$work/weston.log"
    echo "FAIL: weston did not start with XWayland"
    exit 1
fi
echo "Wayland socket $socket, X server $x_display"

cannot_dock="Ombrix cannot dock its bar here: it runs as a native Wayland window, and Wayland \
lets no window place itself or stay above the others (an X server such as XWayland would)."

run() { # name environment...: starts the named program with the given environment; its pid in $pid
    local name=$1
    shift
    env "$@" "$program/$name" >"$work/$name.out" 2>"$work/$name.err" &
    pid=$!
}

x_window_of() { # pid: true once the process shows a window on the X server
    for _ in $(seq 100); do
        [ -n "$(DISPLAY=$x_display visible_windows "$1")" ] && return 0
        alive "$1" || return 1
        sleep 0.1
    done
    return 1
}

stop() { # pid: ends a program this test started
    kill "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}

said_why() { # program: true once its standard error holds the sentence
    for _ in $(seq 50); do
        grep -qxF "$cannot_dock" "$work/$1.err" && return 0
        sleep 0.1
    done
    return 1
}

# 1. An X server is offered: both programs use it, and nothing is said.
for name in ombrix tune; do
    run "$name" WAYLAND_DISPLAY="$socket" DISPLAY="$x_display"
    if x_window_of "$pid"; then
        pass "1: $name comes up through the X server"
    else
        fail "1: $name showed no window on the X server"
        cat "$work/$name.err"
    fi
    grep -qF "$cannot_dock" "$work/$name.err" && fail "1: $name says it cannot dock, though it can"
    stop "$pid"
done

# 2. The user's own choice of platform stands: asked for Wayland, the bar stays there and says
#    why it cannot dock.
run ombrix WAYLAND_DISPLAY="$socket" DISPLAY="$x_display" QT_QPA_PLATFORM=wayland
if said_why ombrix && alive "$pid" && [ -z "$(DISPLAY=$x_display visible_windows "$pid")" ]; then
    pass "2: QT_QPA_PLATFORM=wayland is kept, and the bar says why it cannot dock"
else
    fail "2: with QT_QPA_PLATFORM=wayland the bar did not run on Wayland saying why"
    cat "$work/ombrix.err"
fi
stop "$pid"

# 3. No X server: the bar still starts and explains itself in one sentence.
run ombrix WAYLAND_DISPLAY="$socket"
if said_why ombrix; then
    sleep 1
    if alive "$pid"; then
        pass "3: without an X server the bar runs and says why it cannot dock"
    else
        fail "3: without an X server the bar ended"
    fi
else
    fail "3: without an X server the bar did not say why it cannot dock"
    cat "$work/ombrix.err"
fi
stop "$pid"

report
