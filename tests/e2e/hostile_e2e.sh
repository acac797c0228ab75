#!/usr/bin/env bash
# The bar against hostile files, under a virtual X server of its own: a desktop entry that
# would paste a document named "$(touch PWNED)" into shell text is refused with the error of
# a program that cannot be started and runs nothing, while an entry that hands the same
# document to a shell as one argument starts; and a key table linked to /dev/zero with a key
# count that is a FIFO nobody writes still lets the bar show its window.
#
# Usage: hostile_e2e.sh <program folder> <makekeytable> <warningbox>
# Exit codes: 0 all checks passed, 1 a check failed, 77 a needed tool is missing (skipped).
set -u

program_source=${1:?program folder}
make_key_table=${2:?makekeytable}
warning_box=${3:?warningbox}

test_title="the end-to-end test of the bar against hostile files"
# shellcheck source=common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/common.sh"
require_tools Xvfb xdotool xwininfo import sh
require_files "$program_source/ombrix" "$make_key_table" "$warning_box"
make_work ombrix-hostile

make_user_world "$program_source"
mkdir -p "$XDG_CONFIG_HOME/Ombrix" "$work/out" "$work/apps" "$work/docs"
settings_file="$XDG_CONFIG_HOME/Ombrix/Ombrix.conf"
key_count_file="$XDG_CONFIG_HOME/Ombrix/keycount.stm"
start_xvfb

visible_windows() { xdotool search --onlyvisible --pid "$1" 2>/dev/null; }

wait_for_windows() { # pid count: prints the newest visible window once there are `count`
    local windows
    for _ in $(seq 100); do
        windows=$(visible_windows "$1")
        if [ "$(echo "$windows" | grep -c .)" -ge "$2" ]; then
            echo "$windows" | tail -n1
            return 0
        fi
        alive "$1" || return 1
        sleep 0.1
    done
    return 1
}

geometry() { # window: "x y"
    xwininfo -id "$1" 2>/dev/null | awk '
        /Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF} END {print x, y}'
}

# The screen picture of a warning box showing `text`, as the bar shows its warnings.
reference_box() { # text file
    local pid window
    "$warning_box" "$1" --after-icons >/dev/null 2>&1 &
    pid=$!
    if window=$(wait_for_windows "$pid" 1); then
        sleep 0.5
        import -silent -window "$window" "$2"
        xdotool key Return
    fi
    for _ in $(seq 50); do alive "$pid" || break; sleep 0.1; done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
}

end_bar() {
    kill "$bar_pid" 2>/dev/null
    wait "$bar_pid" 2>/dev/null
}

# ================================================================ a document reaches no shell
document="$work/docs/\$(touch PWNED)"
echo "the document" >"$document"
cat >"$work/apps/pasted.desktop" <<EOF
[Desktop Entry]
Type=Application
Name=Pasted
Exec=sh -c "cat %f"
EOF
cat >"$work/apps/argument.desktop" <<EOF
[Desktop Entry]
Type=Application
Name=Argument
Exec=sh -c 'cat "\$1" > "\$0"' $work/out/started %f
EOF
printf '[posizione]\nleft=0\ntop=0\nlarghezza=28800\n' >"$settings_file"
"$make_key_table" "$program" "$key_count_file" 2 targets \
    "$work/apps/pasted.desktop $document" "$work/apps/argument.desktop $document" ||
    fail "the key table could not be written"

"$program/ombrix" >"$work/bar.log" 2>&1 &
bar_pid=$!
if bar=$(wait_for_windows "$bar_pid" 1); then
    read -r bx by <<<"$(geometry "$bar")"
    # Keys 0 and 1 of the open bar: Left 1670 and 2035 twips, top 60, 350 twips wide.
    key_y=$((by + (2 * 60 + 15) / 30 + 12))
    xdotool mousemove $((bx + (2 * 1670 + 15) / 30 + 12)) "$key_y" click 1
    if box=$(wait_for_windows "$bar_pid" 2); then
        sleep 0.5
        import -silent -window "$box" "$work/refused.ppm"
        xdotool key Return
        sleep 0.3
        reference_box "Error:  5" "$work/five.ppm"
        reference_box "Error:  53" "$work/fiftythree.ppm"
        if cmp -s "$work/refused.ppm" "$work/five.ppm" &&
            ! cmp -s "$work/refused.ppm" "$work/fiftythree.ppm"; then
            pass "a document pasted into shell text is refused with \"Error:  5\""
        else
            fail "the refused entry's message is not \"Error:  5\""
        fi
    else
        fail "the entry that pastes the document into shell text showed no error"
    fi
    xdotool mousemove $((bx + (2 * 2035 + 15) / 30 + 12)) "$key_y" click 1
    for _ in $(seq 50); do [ -s "$work/out/started" ] && break; sleep 0.1; done
    expect_eq "the entry that hands the document to a shell as one argument starts it whole" \
        "$(cat "$work/out/started" 2>/dev/null)" "the document"
    sleep 0.5
    pwned=$(find "$work" "$PWD" -maxdepth 3 -name PWNED 2>/dev/null)
    expect_eq "no file PWNED was made anywhere the shells ran" "$pwned" ""
    end_bar
else
    fail "the bar with the desktop entry keys showed no window"
    cat "$work/bar.log"
fi

# ================================================================ endless and blocking files
rm -f "$program/barra.dat" "$key_count_file"
ln -s /dev/zero "$program/barra.dat"
mkfifo "$key_count_file"
"$program/ombrix" >"$work/zero.log" 2>&1 &
bar_pid=$!
if wait_for_windows "$bar_pid" 1 >/dev/null; then
    pass "a key table linked to /dev/zero and a key count that is a FIFO: the bar shows its window"
else
    fail "the bar with a key table linked to /dev/zero showed no window"
    cat "$work/zero.log"
fi
end_bar

report
