#!/usr/bin/env bash
# What a screen reader meets, read from the accessibility (AT-SPI) tree on a desktop with a
# window manager and a session bus: the bar's controls named, icon-only keys named by their
# pop-up texts, no key of a closed bar showing, the handle's Press opening it and "X" ending
# it; the setup program's and its colour window's controls all named; focus changes announced
# as Tab moves through the setup program and the arrows move over the bar opened by
# `ombrix --toggle`.
#
# Usage: accessibility_e2e.sh <program folder> <makekeytable>
# Exit codes: 0 all checks passed, 1 a check failed, 77 a needed tool is missing (skipped).
set -u

program_source=${1:?program folder}
make_key_table=${2:?makekeytable}

test_title="the end-to-end test of the accessibility tree"
# shellcheck source=common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/common.sh"
require_tools Xvfb xdotool openbox dbus-run-session
require_files "$program_source/ombrix" "$program_source/tune" "$make_key_table"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core is not installed"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed"
check_tree="$(cd "$(dirname "$0")" && pwd)/atspi_check.py"

if [ -z "${OMBRIX_E2E_OWN_BUS:-}" ]; then
    OMBRIX_E2E_OWN_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi

make_work ombrix-accessibility-e2e
make_user_world "$program_source"
mkdir -p "$XDG_CONFIG_HOME/Ombrix"
printf '[posizione]\nleft=0\ntop=3000\nlarghezza=400\nsuono=False\n' \
    >"$XDG_CONFIG_HOME/Ombrix/Ombrix.conf"
"$make_key_table" "$program" "$XDG_CONFIG_HOME/Ombrix/keycount.stm" 5 icons ||
    fail "the key table could not be written"
start_xvfb
start_window_manager
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/at-spi.log" 2>&1 &
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1

tree_checks() { # what pid [arguments]: the checks of atspi_check.py, tallied here
    local line
    while IFS= read -r line; do
        case $line in
            PASS:*) pass "${line#PASS: }" ;;
            FAIL:*) fail "${line#FAIL: }" ;;
            *) echo "$line" ;;
        esac
    done < <(timeout 60 /usr/bin/python3 "$check_tree" "$@" 2>&1)
}

"$program/ombrix" >"$work/bar.log" 2>&1 &
bar_pid=$!
wait_for_window "$bar_pid" >/dev/null || fail "the bar did not appear"
tree_checks bar "$bar_pid" "key 1" "key 2" "key 3" "key 4" "key 5"
# Opened by the mouse above, the bar closes on --toggle; the next opens it on its first key.
timeout 10 "$program/ombrix" --toggle >/dev/null 2>&1
sleep 1
tree_checks focus "$bar_pid" "the bar opened from the keyboard" \
    "timeout 10 $program/ombrix --toggle" "xdotool key Right" "xdotool key Right"
# "End Ombrix" pressed through the tree ends the bar, as its double click does.
/usr/bin/python3 - "$bar_pid" <<'PYTHON'
import sys, pyatspi
pid = int(sys.argv[1])
for app in pyatspi.Registry.getDesktop(0):
    if app is not None and app.get_process_id() == pid:
        found = pyatspi.findDescendant(app, lambda n: n.name == "End Ombrix")
        if found is not None:
            action = found.queryAction()
            action.doAction(0)
PYTHON
for _ in $(seq 50); do alive "$bar_pid" || break; sleep 0.1; done
if alive "$bar_pid"; then fail "pressing \"End Ombrix\" ends the bar"; else
    pass "pressing \"End Ombrix\" ends the bar"; fi

# ---------------------------------------------------------------- the setup program
"$program/tune" >"$work/tune.log" 2>&1 &
tune_pid=$!
if tune_window=$(wait_for_window "$tune_pid"); then
    tree_checks "the setup program" "$tune_pid"
    xdotool windowactivate --sync "$tune_window" 2>/dev/null
    tree_checks focus "$tune_pid" "the setup program" "xdotool key Tab" "xdotool key Tab" \
        "xdotool key Tab" "xdotool key shift+Tab"
    # Alt+B, the access key of "Background Color", opens the colour window.
    xdotool windowactivate --sync "$tune_window" 2>/dev/null
    sleep 0.5
    xdotool key alt+b
    for _ in $(seq 50); do
        [ "$(visible_windows "$tune_pid" | wc -l)" -ge 3 ] && break
        sleep 0.1
    done
    expect_eq "Alt+B opens the colour window" "$(visible_windows "$tune_pid" | wc -l)" 3
    tree_checks "the setup program with its colour window" "$tune_pid"
    tree_checks focus "$tune_pid" "the colour window" "xdotool key Tab" "xdotool key Tab" \
        "xdotool key alt+r"
else
    fail "the setup program did not appear"
fi

report
