#!/usr/bin/env bash
# Launch benchmark of the bar and the setup program against a bare masked Qt window, under a
# virtual X server and a session bus of their own, as a desktop runs them: the time from
# starting a program to its windows being mapped, and the program's peak resident memory, over
# several launches each. Not a test: it prints figures and whether each case meets its target:
#   the bar with 128 icon-file keys, and with 128 desktop-entry keys showing theme icons from
#   its picture cache: within 1.3 x the bare window's launch time and under 32 MB peak RSS;
#   the bar with the theme keys and an empty picture cache: within 2 x;
#   the setup program with the theme keys, until both its windows (the bar copy and the key
#   editor) are mapped: within 2.5 x and under 45 MB.
# The bare window is also launched with a label and a button, for what text alone costs.
# Where Debian's dock Plank is installed, its launch is timed beside them for comparison.
# At scale 2 (QT_SCALE_FACTOR=2) the bare window and the bar with the theme keys, warm and cold,
# are timed again. Then the bar with the theme keys, started closed, is left alone, clicked
# open (XTest) and left alone again: its wakeups per second closed and open, and the time from
# the click to the open window's new size.
#
# Usage: bash bench/run.sh <build folder>       (what `make bench` runs)
# Environment: BENCH_PROGRAM (another program folder to measure, such as an earlier build's
# copy; the build's own by default), RUNS (launches per case, default 10), SETTLE_MS (how long a program may paint
# after its map before its memory is read, default 200), IDLE_SECONDS (how long the bar is
# watched at rest, closed and then open, default 30).
set -u

# Every case runs inside one session bus, as on a desktop (Qt asks the bus about
# accessibility and the desktop's settings at start).
if [ -z "${OMBRIX_BENCH_BUS:-}" ]; then
    command -v dbus-run-session >/dev/null 2>&1 ||
        { echo "The benchmark needs dbus-run-session (bash scripts/install-deps.sh installs it)." >&2; exit 1; }
    OMBRIX_BENCH_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi

# The end-to-end tests' Xvfb start-up (a free display, reported once it takes connections).
# Sourced before this script's own cleanup is defined, which replaces that of the tests.
# shellcheck source=../tests/e2e/common.sh
source "$(dirname "$0")/../tests/e2e/common.sh"

build=$(cd "${1:-build}" 2>/dev/null && pwd) || { echo "No build folder '${1:-build}'." >&2; exit 1; }
runs=${RUNS:-10}
settle=${SETTLE_MS:-200}
idle=${IDLE_SECONDS:-30}
time_target=1.3
cold_time_target=2
rss_target_mb=32
tune_time_target=2.5
tune_rss_target_mb=45

launchtime="$build/bench/launchtime"
barewindow="$build/bench/barewindow"
makekeytable="$build/tests/makekeytable"
program_source=${BENCH_PROGRAM:-$build/ombrix}

command -v Xvfb >/dev/null 2>&1 ||
    { echo "The benchmark needs Xvfb (bash scripts/install-deps.sh installs it)." >&2; exit 1; }
for tool in "$launchtime" "$barewindow" "$makekeytable" "$program_source/ombrix" \
    "$program_source/tune"; do
    [ -x "$tool" ] || { echo "Missing $tool: build first (libx11-dev for launchtime)." >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/ombrix-bench-XXXXXX") || exit 1
# A desktop session's runtime folder is in memory; the bar's instance lock is written (and
# synced) there at every start, which on a disk would cost milliseconds the user never pays.
runtime=$(mktemp -d /dev/shm/ombrix-bench-XXXXXX 2>/dev/null) || runtime="$work/runtime"
xvfb_pid=""
cleanup() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$work" "$runtime"
}
trap cleanup EXIT
trap 'echo "Interrupted." >&2; exit 130' INT TERM HUP

start_xvfb 1920x1080 >/dev/null
export QT_QPA_PLATFORM=xcb
export HOME="$work/home"
export XDG_RUNTIME_DIR="$runtime"
export XDG_DATA_HOME="$work/data"
unset WAYLAND_DISPLAY SESSION_MANAGER
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$XDG_DATA_HOME"
chmod 700 "$XDG_RUNTIME_DIR"

# A program folder and configuration of its own per case, the bar saved open.
prepare_bar() { # name makekeytable-mode-and-arguments...
    local name=$1
    shift
    local folder="$work/$name"
    cp -r "$program_source" "$folder"
    rm -rf "$folder/barra.dat" "$folder/icons"
    mkdir -p "$folder.config/Ombrix"
    printf '[posizione]\nleft=0\ntop=0\nlarghezza=28800\n' >"$folder.config/Ombrix/Ombrix.conf"
    "$makekeytable" "$folder" "$folder.config/Ombrix/keycount.stm" 128 "$@" ||
        { echo "Could not write the key table of '$name'." >&2; exit 1; }
}

# Icon names of the installed themes: hicolor's own (PNG and SVG), found in the current
# theme, and Adwaita's (its PNG pictures and its symbolic SVG ones), found only through the
# fallback theme.
icon_names() { # theme folder, find conditions...
    local folder=$1
    shift
    find "/usr/share/icons/$folder" -type f "$@" -printf '%f\n' 2>/dev/null |
        sed 's/\.[a-z]*$//' | sort -u
}

# 128 desktop entries, one per key, each its own program: every fourth shows a hicolor icon,
# the others Adwaita's, PNG and SVG in turn. Prints the entries' paths.
make_theme_entries() {
    local folder="$work/applications" i name
    local -a hicolor png svg
    mapfile -t hicolor < <(icon_names hicolor \( -name '*.png' -o -name '*.svg' \))
    mapfile -t png < <(icon_names Adwaita/16x16 -name '*.png' ! -name '*symbolic*')
    mapfile -t svg < <(icon_names Adwaita/scalable -name '*-symbolic.svg')
    if [ ${#hicolor[@]} -eq 0 ] || [ ${#png[@]} -eq 0 ] || [ ${#svg[@]} -eq 0 ]; then
        echo "The theme cases need the hicolor and Adwaita icon themes (adwaita-icon-theme)." >&2
        exit 1
    fi
    mkdir -p "$folder"
    for i in $(seq 0 127); do
        if [ $((i % 4)) = 0 ]; then
            name=${hicolor[$((i / 4 % ${#hicolor[@]}))]}
        elif [ $((i % 2)) = 1 ]; then
            name=${png[$((i / 2 % ${#png[@]}))]}
        else
            name=${svg[$((i / 4 % ${#svg[@]}))]}
        fi
        printf '[Desktop Entry]\nType=Application\nName=Program %d\nExec=true\nIcon=%s\n' \
            "$i" "$name" >"$folder/program$i.desktop"
        echo "$folder/program$i.desktop"
    done
}

launch() { # name [--windows N] command...: one launch, its figures added to the case's runs
    local name=$1
    shift
    if ! "$launchtime" --settle "$settle" "$@" >>"$work/$name.runs" 2>>"$work/$name.err"; then
        echo "A launch of '$name' failed:" >&2
        tail -n 5 "$work/$name.err" >&2
        exit 1
    fi
}

# Leaving the setup program starts the bar again, as its user expects. That bar is ended
# before the next case: a bar case meeting it would only show its "already open" warning.
end_bar_left_by_tune() {
    local pids
    for _ in $(seq 25); do
        pids=$(pgrep -f "^$work/tune/ombrix( |\$)")
        [ -n "$pids" ] && break
        sleep 0.02
    done
    [ -n "$pids" ] || return 0
    # shellcheck disable=SC2086 # one number per bar
    kill $pids 2>/dev/null
    for _ in $(seq 100); do
        pgrep -f "^$work/tune/ombrix( |\$)" >/dev/null || return 0
        sleep 0.02
    done
    echo "The bar started on leaving the setup program did not end." >&2
    exit 1
}

# The cases take turns, so a change in the machine's load falls on all of them alike. The
# first round only warms the caches (the system's and the programs' picture caches) and is
# not counted. Each case has a picture cache of its own; the empty-cache case loses it before
# every launch.
measure_all() {
    local round name
    for round in $(seq 0 "$runs"); do
        for name in "${cases[@]}"; do
            [ "$round" = 1 ] && : >"$work/$name.runs"
            case $name in
            bare) launch bare "$barewindow" ;;
            baretext) launch baretext "$barewindow" --text ;;
            bare2) launch bare2 env QT_SCALE_FACTOR=2 "$barewindow" ;;
            theme2)
                launch theme2 env QT_SCALE_FACTOR=2 XDG_CONFIG_HOME="$work/theme2.config" \
                    XDG_CACHE_HOME="$work/theme2.cache" "$work/theme2/ombrix"
                ;;
            cold2)
                rm -rf "$work/cold2.cache"
                launch cold2 env QT_SCALE_FACTOR=2 XDG_CONFIG_HOME="$work/cold2.config" \
                    XDG_CACHE_HOME="$work/cold2.cache" "$work/cold2/ombrix"
                ;;
            plank) launch plank plank ;;
            tune)
                launch tune --windows 2 env XDG_CONFIG_HOME="$work/tune.config" \
                    XDG_CACHE_HOME="$work/tune.cache" "$work/tune/tune"
                end_bar_left_by_tune
                ;;
            cold)
                rm -rf "$work/cold.cache"
                launch cold env XDG_CONFIG_HOME="$work/cold.config" \
                    XDG_CACHE_HOME="$work/cold.cache" "$work/cold/ombrix"
                ;;
            *)
                launch "$name" env XDG_CONFIG_HOME="$work/$name.config" \
                    XDG_CACHE_HOME="$work/$name.cache" "$work/$name/ombrix"
                ;;
            esac
        done
    done
}

# "median max" of column $2 of a runs file, scaled by $3.
stats() {
    sort -g -k"$2","$2" "$1" | awk -v c="$2" -v s="$3" '
        { v[NR] = $c * s }
        END {
            m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            printf "%.1f %.1f\n", m, v[NR]
        }'
}

report_row() { # label name
    local t r
    t=$(stats "$work/$2.runs" 1 1)
    r=$(stats "$work/$2.runs" 2 0.0009765625)
    printf '%-46s %8s %8s   %8s %8s\n' "$1" $t $r
}

echo "Load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Preparing the cases (128 keys each, bar saved open at 1920 x 1080)..."
prepare_bar icons icons
mapfile -t entries < <(make_theme_entries)
[ ${#entries[@]} -eq 128 ] || exit 1
prepare_bar theme targets "${entries[@]}"
prepare_bar cold targets "${entries[@]}"
prepare_bar tune targets "${entries[@]}"
prepare_bar theme2 targets "${entries[@]}"
prepare_bar cold2 targets "${entries[@]}"
cases=(bare baretext icons theme cold tune bare2 theme2 cold2)
command -v plank >/dev/null 2>&1 && cases+=(plank)

echo "Launching each case $runs times in turn on display $DISPLAY (after one unmeasured round)..."
measure_all

echo
printf '%-46s %17s   %17s\n' "" "launch to map, ms" "peak RSS, MB"
printf '%-46s %8s %8s   %8s %8s\n' "case" median max median max
report_row "(a) bare masked Qt window" bare
report_row "(a') the same with a label and a button" baretext
report_row "(b) bar, 128 icon-file keys" icons
report_row "(c) bar, 128 theme-icon keys, warm cache" theme
report_row "(d) bar, 128 theme-icon keys, empty cache" cold
report_row "(e) tune, 128 theme-icon keys" tune
[ -s "$work/plank.runs" ] && report_row "(f) Plank" plank
report_row "(g) bare masked Qt window, scale 2" bare2
report_row "(h) bar, theme-icon keys, warm cache, scale 2" theme2
report_row "(i) bar, theme-icon keys, empty cache, scale 2" cold2

verdict() { # value limit: "met" when value <= limit (time) or < limit (memory, strict=1)
    awk -v v="$1" -v l="$2" -v strict="${3:-0}" \
        'BEGIN { ok = strict ? v < l : v <= l; print ok ? "met" : "MISSED" }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

read -r bare_time _ <<<"$(stats "$work/bare.runs" 1 1)"
# The median of each round's own ratio to the bare window launched just before it: steadier
# than the ratio of the medians when the machine's speed drifts during the run.
paired_ratio() { # name
    paste -d' ' "$work/$1.runs" "$work/bare.runs" | awk '{ print $1 / $3 }' | sort -g | awk '
        { v[NR] = $1 }
        END { printf "%.2f", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

judge() { # label name time-target [rss-target-MB]
    local time rss ratio_
    read -r time _ <<<"$(stats "$work/$2.runs" 1 1)"
    ratio_=$(ratio "$time" "$bare_time")
    echo "$1 median launch time / bare: $ratio_ (target <= $3): $(verdict "$ratio_" "$3");" \
        "round by round: $(paired_ratio "$2")"
    if [ -n "${4:-}" ]; then
        read -r _ rss <<<"$(stats "$work/$2.runs" 2 0.0009765625)"
        echo "$1 peak RSS, max of runs: $rss MB (target < $4 MB): $(verdict "$rss" "$4" 1)"
    fi
}

echo
judge "(b)" icons "$time_target" "$rss_target_mb"
judge "(c)" theme "$time_target" "$rss_target_mb"
judge "(d)" cold "$cold_time_target"
judge "(e)" tune "$tune_time_target" "$tune_rss_target_mb"
[ -s "$work/plank.runs" ] && echo "(f) Plank / bare: $(ratio "$(stats "$work/plank.runs" 1 1 | cut -d' ' -f1)" "$bare_time")"
read -r bare2_time _ <<<"$(stats "$work/bare2.runs" 1 1)"
for pair in "(h) theme2" "(i) cold2"; do
    read -r label name <<<"$pair"
    read -r time _ <<<"$(stats "$work/$name.runs" 1 1)"
    echo "$label median launch time / bare at scale 2: $(ratio "$time" "$bare2_time")"
done
read -r _ bare_rss <<<"$(stats "$work/bare.runs" 2 0.0009765625)"
read -r _ theme_rss <<<"$(stats "$work/theme.runs" 2 0.0009765625)"
echo "(c) peak RSS above the bare window (max of runs): $(awk -v a="$theme_rss" -v b="$bare_rss" \
    'BEGIN { printf "%.1f", a - b }') MB (target <= 3 MB)"
# What any window pays for text (the fonts, the style's buttons), which the bare window has none
# of: a share of every gap above, for the reader to weigh, not a target.
read -r baretext_time _ <<<"$(stats "$work/baretext.runs" 1 1)"
read -r _ baretext_rss <<<"$(stats "$work/baretext.runs" 2 0.0009765625)"
echo "(a') the bare window with a label and a button: $(ratio "$baretext_time" "$bare_time") x its" \
    "launch time, $(awk -v a="$baretext_rss" -v b="$bare_rss" 'BEGIN { printf "%.1f", a - b }') MB" \
    "more peak RSS; (c) above (a'): $(awk -v a="$theme_rss" -v b="$baretext_rss" \
        'BEGIN { printf "%.1f", a - b }') MB"

# The bar at rest: started closed with a warm cache, watched, clicked open, watched again.
echo
echo "The bar with 128 theme-icon keys at rest, ${idle} s closed and ${idle} s open..."
sed -i 's/^larghezza=.*/larghezza=400/' "$work/theme.config/Ombrix/Ombrix.conf"
if "$launchtime" --settle 1000 --idle "$idle" env XDG_CONFIG_HOME="$work/theme.config" \
    XDG_CACHE_HOME="$work/theme.cache" "$work/theme/ombrix" >"$work/rest.runs" 2>"$work/rest.err"; then
    read -r _ _ closed_rate open_ms open_rate <"$work/rest.runs"
    echo "wakeups per second of all the bar's threads, closed: $closed_rate; open: $open_rate"
    echo "click (XTest) to the open bar's new size, median of 6 openings: $open_ms ms"
    echo "by thread (name/number):"
    sed 's/^/  /' "$work/rest.err"
else
    echo "The rest measurement failed:" >&2
    tail -n 5 "$work/rest.err" >&2
fi
echo
echo "tune is timed until both its windows are mapped. Peak RSS is read ${settle} ms after the"
echo "last map, once the first frame is painted. Load average at the end:"
echo "$(cut -d' ' -f1-3 /proc/loadavg) (on a busy machine every launch is slower)."
