#!/usr/bin/env bash
# The Debian package as a user meets it: made from this build's files, its menu entries and
# AppStream data accepted by their validators and the package by lintian, then unpacked into
# a root of its own and run from there under a virtual X server, with a new user's home:
# /usr/bin/ombrix starts the bar, "ins." starts the installed setup program, "EXIT" stores
# the key table in the user's data folder (~/.local/share/Ombrix) and starts the installed bar
# again, the start-up helper names the installed bar, and nothing in the installation changes.
#
# Usage: package_e2e.sh <build folder>
# Exit codes: 0 all checks passed, 1 a check failed, 77 a needed tool is missing (skipped).
# shellcheck disable=SC2016,SC2317 # eval gets its commands in single quotes; some run through eval
set -u

build=${1:?build folder}

test_title="the end-to-end test of the installed package"
# shellcheck source=common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/common.sh"
require_tools Xvfb xdotool xwininfo xprop identify cpack dpkg-deb dpkg-shlibdeps lintian \
    desktop-file-validate appstreamcli
require_files "$build/ombrix/ombrix" "$build/ombrix/tune"
started=$SECONDS

# Programs the bar and the setup program start are not this shell's children: each is ended
# by its number, and only while it still runs an installed program.
others=()
end_others() {
    local pid
    for pid in "${others[@]}"; do
        case $(readlink "/proc/$pid/exe" 2>/dev/null) in
        "$lib"/*) kill "$pid" 2>/dev/null ;;
        esac
    done
}
lib=/nonexistent
make_work ombrix-package

finish() {
    echo "Took $((SECONDS - started)) s."
    report
    exit
}

# ================================================================ 1. the package and its files
if ! cpack --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    fail "1: cpack made no package"
    finish
fi
deb=$(echo "$work"/package/ombrix_*.deb)
echo "Package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
dpkg-deb -I "$deb" | sed -n 's/^ \(Depends\|Recommends\|Installed-Size\):/  \1:/p'

root="$work/root"
dpkg-deb -x "$deb" "$root"
lib=$(cd "$root/usr/lib/ombrix" && pwd -P) # as /proc names a program's file

desktop-file-validate "$root"/usr/share/applications/*.desktop 2>&1 | tee "$work/desktop.log"
expect_eq "1: desktop-file-validate accepts both menu entries" \
    "${PIPESTATUS[0]}:$(wc -l <"$work/desktop.log")" "0:0"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
expect_eq "1: appstreamcli validate accepts the AppStream data" "$?" 0
lintian --fail-on error "$deb" 2>/dev/null
expect_eq "1: lintian reports no errors" "$?" 0
for size in 16 22 24 32 48 64 128 256; do
    for name in org.ombrix.Ombrix org.ombrix.Ombrix.Setup; do
        file="$root/usr/share/icons/hicolor/${size}x$size/apps/$name.png"
        [ "$(identify -format '%wx%h' "$file" 2>/dev/null)" = "${size}x$size" ] ||
            fail "1: $file is not a ${size}x$size picture"
    done
done
[ -e "$lib/portable" ] && fail "1: the installation carries the portable marker"

# ================================================================ 2. a new user runs it
export HOME="$work/home"
export XDG_CONFIG_HOME="$work/config"
unset XDG_DATA_HOME # the default: ~/.local/share
export XDG_RUNTIME_DIR="$work/runtime"
export XDG_DATA_DIRS="$work/no-applications" # the same starter keys everywhere
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY SESSION_MANAGER
mkdir -p "$HOME" "$XDG_CONFIG_HOME/Ombrix" "$XDG_RUNTIME_DIR" "$XDG_DATA_DIRS"
chmod 700 "$XDG_RUNTIME_DIR"
data="$HOME/.local/share/Ombrix"
settings_file="$XDG_CONFIG_HOME/Ombrix/Ombrix.conf"
printf '[posizione]\nleft=0\ntop=9000\nlarghezza=400\nsuono=False\n' >"$settings_file"
start_xvfb

# Everything under the root: name, kind, size, mode and time of every file and folder.
installation() { (cd "$root" && find . -printf '%p %y %s %m %T@\n' | sort | md5sum); }
installed_before=$(installation)

wait_for() { # seconds command...: true once the command succeeds
    local tries=$(($1 * 10))
    shift
    for _ in $(seq "$tries"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
window_of() { # xdotool search arguments...: the first visible window found
    local id
    id=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n1)
    [ -n "$id" ] && echo "$id"
}
program_of() { # window: the file its process runs, links resolved
    readlink "/proc/$(xprop -id "$1" _NET_WM_PID | awk '{print $NF}')/exe" 2>/dev/null
}
pid_of() { xprop -id "$1" _NET_WM_PID | awk '{print $NF}'; }
origin() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        END {print x, y}'
}
width_of() { xwininfo -id "$1" 2>/dev/null | awk '/^ *Width:/ {print $NF}'; }
click_at() { xdotool mousemove "$1" "$2" click --delay 1 1; }
pixels() { echo $(((2 * $1 + 15) / 30)); } # twips to pixels at 15 twips a pixel

"$root/usr/bin/ombrix" >"$work/bar.log" 2>&1 &
bar_pid=$!
if ! wait_for 10 window_of --pid "$bar_pid" >/dev/null; then
    cat "$work/bar.log"
    fail "2: /usr/bin/ombrix showed no bar"
    finish
fi
bar=$(window_of --pid "$bar_pid")
expect_eq "2: /usr/bin/ombrix runs the installed bar" "$(program_of "$bar")" "$lib/ombrix"

# ---- "ins." ends the bar and starts the installed setup program.
read -r bx by <<<"$(origin "$bar")"
click_at $((bx + 13)) $((by + 13))
wait_for 3 eval '[ "$(width_of "$bar")" = 1920 ]' || fail "2: the bar did not open"
sleep 0.5 # a second click so soon would be a double click
click_at $((bx + $(pixels 1080) + $(pixels 375) / 2)) $((by + $(pixels 30) + $(pixels 300) / 2))
if wait_for 10 window_of --name '^Ombrix Setup' >/dev/null; then
    editor=$(window_of --name '^Ombrix Setup')
    others+=("$(pid_of "$editor")")
    expect_eq '2: "ins." starts the installed setup program' "$(program_of "$editor")" "$lib/tune"
else
    cat "$work/bar.log"
    fail '2: "ins." started no setup program'
    finish
fi
if wait_for 5 eval '! alive "$bar_pid"'; then pass '2: "ins." ends the bar'; else fail '2: the bar still runs'; fi

# ---- "EXIT" stores the key table in the user's data folder and starts the installed bar.
read -r ex ey <<<"$(origin "$editor")"
sleep 0.5
click_at $((ex + 529)) $((ey + 226)) # "EXIT"
if wait_for 10 window_of --classname '^ombrix$' >/dev/null; then
    bar=$(window_of --classname '^ombrix$')
    others+=("$(pid_of "$bar")")
    expect_eq '2: "EXIT" starts the installed bar again' "$(program_of "$bar")" "$lib/ombrix"
else
    fail '2: no bar started after "EXIT"'
fi
expect_eq "2: the key table is in the user's data folder" \
    "$(stat -c %s "$data/barra.dat" 2>/dev/null)" 70400

# ---- The start-up helper's autostart entry starts the installed bar.
sed -i 's/^\[posizione\]$/&\nStartUp=True/' "$settings_file"
"$lib/OStartUp"
expect_eq "2: the autostart entry starts the installed bar" \
    "$(sed -n 's/^Exec=//p' "$XDG_CONFIG_HOME/autostart/ombrix.desktop" 2>/dev/null)" "$lib/ombrix"

# ---- Nothing was written into the installation, even when run as root.
end_others
sleep 0.5
expect_eq "2: the installation is unchanged (run as user $(id -un))" "$(installation)" \
    "$installed_before"
finish
