#!/usr/bin/env bash
# The bar against hostile files, under a virtual X server of its own: a desktop entry that
# would paste a document named "$(touch PWNED)" into shell text is refused with the error of
# a program that cannot be started and runs nothing, while an entry that hands the same
# document to a shell as one argument starts; and a key table linked to /dev/zero with a key
# count that is a FIFO nobody writes still lets the bar show its window. Then each file the bar
# reads at its start is made a FIFO nobody writes, or far too large (sparse, so the test stays
# fast): the bar shows its window all the same, within 64 MB; the time to the window and the
# peak memory of each start are printed.
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
        pasted="Cannot start \"$work/apps/pasted.desktop $document\":"
        reference_box "$pasted it cannot be started this way (error 5)." "$work/five.ppm"
        reference_box "$pasted no such file (error 53)." "$work/fiftythree.ppm"
        if cmp -s "$work/refused.ppm" "$work/five.ppm" &&
            ! cmp -s "$work/refused.ppm" "$work/fiftythree.ppm"; then
            pass "a document pasted into shell text is refused with error 5, the entry named"
        else
            fail "the refused entry's message is not error 5 naming the entry"
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

# ================================================================ hostile files at the start
# Each case puts one file in the way and starts the bar under /usr/bin/time; the window must
# come, and the peak memory stay under 64 MB.
rm -f "$program/barra.dat" "$key_count_file"
export XDG_CACHE_HOME="$work/cache"
hostile_icon_data="$XDG_DATA_HOME/icons/hicolor"
mkdir -p "$hostile_icon_data/16x16/apps" "$hostile_icon_data/scalable/apps" "$work/entries" \
    "$XDG_CACHE_HOME/Ombrix"
printf '[Desktop Entry]\nType=Application\nName=Themed\nExec=true\nIcon=ombrixhostile\n' \
    >"$work/entries/themed.desktop"
picture_cache="$XDG_CACHE_HOME/Ombrix/keypictures.cache"

fresh_files() { # [icons]: a key showing a themed entry's icon, or two showing icon files
    rm -rf "$program/barra.dat" "$program/icons" "$key_count_file" "$picture_cache" \
        "$settings_file" "$settings_file.damaged" "$hostile_icon_data"/*/apps/* \
        "$hostile_icon_data/index.theme"
    if [ "${1:-}" = icons ]; then
        "$make_key_table" "$program" "$key_count_file" 2 icons >/dev/null
    else
        "$make_key_table" "$program" "$key_count_file" 1 targets "$work/entries/themed.desktop" \
            >/dev/null
    fi || fail "the key table could not be written"
    printf '[posizione]\nleft=0\ntop=0\nlarghezza=28800\n' >"$settings_file"
}

# A PNG that says it is 20000 x 20000 pixels, with a few rows of data.
huge_png() {
    python3 - "$1" <<'PY'
import struct, sys, zlib
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
side = 20000
rows = zlib.compress(b"".join(b"\0" + b"\x80" * (side * 4) for _ in range(4)))
with open(sys.argv[1], "wb") as out:
    out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", side, side, 8, 6, 0, 0, 0))
              + chunk(b"IDAT", rows) + chunk(b"IEND", b""))
PY
}

hostile_start() { # name: starts the program on the files as they are, prints its figures
    local time_pid child started shown peak
    started=$(date +%s%N)
    /usr/bin/time -v -o "$work/time.txt" "$program/$starting" >"$work/hostile.log" 2>&1 &
    time_pid=$!
    child=""
    shown=""
    for _ in $(seq 500); do
        [ -n "$child" ] || child=$(pgrep -P "$time_pid" | head -n1)
        if [ -n "$child" ] && [ -n "$(visible_windows "$child")" ]; then
            shown=$(date +%s%N)
            break
        fi
        alive "$time_pid" || break
        sleep 0.02
    done
    [ -n "$child" ] && kill "$child" 2>/dev/null
    wait "$time_pid" 2>/dev/null
    peak=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
    set -- "$starting: $1"
    if [ -z "$shown" ]; then
        fail "$1: no window"
        cat "$work/hostile.log"
        return
    fi
    echo "FIGURES: $1: window after $(((shown - started) / 1000000)) ms, peak ${peak:-?} KB"
    if [ "${peak:-0}" -lt 65536 ]; then
        pass "$1: starts, peak under 64 MB"
    else
        fail "$1: starts with a peak of ${peak:-?} KB"
    fi
}

# The bar and the setup program read the same files at their start.
for starting in ombrix tune; do
    fresh_files
    hostile_start "nothing hostile (for comparison)"
    fresh_files; rm -f "$picture_cache"; mkfifo "$picture_cache"
    hostile_start "keypictures.cache a FIFO"
    fresh_files; rm -f "$settings_file"; mkfifo "$settings_file"
    hostile_start "Ombrix.conf a FIFO"
    fresh_files; mkfifo "$hostile_icon_data/16x16/apps/ombrixhostile.png"
    hostile_start "a theme icon a key uses a FIFO"
    fresh_files icons; rm -f "$program/icons/icon0.ico"; mkfifo "$program/icons/icon0.ico"
    hostile_start "a key's icon file a FIFO"
    fresh_files; truncate -s 1G "$picture_cache"
    hostile_start "keypictures.cache of 1 GB"
    fresh_files; truncate -s 100M "$hostile_icon_data/scalable/apps/ombrixhostile.svg"
    hostile_start "a theme SVG icon of 100 MB"
    # The key's icon is one no theme has: the bar then asks Qt for the file's own icon, and
    # Qt's icon loader would read every index.theme whole.
    fresh_files; cp /usr/share/icons/hicolor/index.theme "$hostile_icon_data/index.theme"
    truncate -s 490M "$hostile_icon_data/index.theme"
    hostile_start "an index.theme of 490 MB"
    fresh_files; truncate -s 275M "$settings_file"
    hostile_start "Ombrix.conf of 275 MB"
    [ -e "$settings_file.damaged" ] && pass "the damaged Ombrix.conf is kept aside" ||
        fail "the damaged Ombrix.conf was not kept aside"
    fresh_files; huge_png "$hostile_icon_data/16x16/apps/ombrixhostile.png"
    hostile_start "a theme PNG icon of 20000 x 20000 pixels"
    fresh_files icons; rm -f "$program/icons/icon0.ico"; truncate -s 100M "$program/icons/icon0.ico"
    hostile_start "a key's icon file of 100 MB"
done

report
