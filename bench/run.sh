#!/usr/bin/env bash
# Launch benchmark of the bar and the setup program against a bare masked Qt window, under a
# virtual X server of its own: the time from starting a program to its windows being mapped,
# and the program's peak resident memory, over several launches each. Not a test: it prints
# figures and whether each program meets its targets: the bar within 1.6 x the bare window's
# launch time and under 32 MB peak RSS; the setup program, until both its windows (the bar
# copy and the key editor) are mapped, within 3.5 x and under 45 MB.
#
# Usage: bash bench/run.sh <build folder>       (what `make bench` runs)
# Environment: RUNS (launches per case, default 10), SETTLE_MS (how long a program may paint
# after its map before its memory is read, default 200).
set -u

build=$(cd "${1:-build}" 2>/dev/null && pwd) || { echo "No build folder '${1:-build}'." >&2; exit 1; }
runs=${RUNS:-10}
settle=${SETTLE_MS:-200}
time_target=1.6
rss_target_mb=32
tune_time_target=3.5
tune_rss_target_mb=45

launchtime="$build/bench/launchtime"
barewindow="$build/bench/barewindow"
makekeytable="$build/tests/makekeytable"
program_source="$build/ombrix"

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

Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1920x1080x24 \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; echo "Xvfb did not start." >&2; exit 1; }
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
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

# Targets for the keys that show their target's icon: the desktop entries of this system and
# some of its programs, taken in turn.
target_files() {
    find /usr/share/applications -maxdepth 1 -name '*.desktop' 2>/dev/null | sort | head -n 40
    find /usr/bin -maxdepth 1 -type f -perm -u+x 2>/dev/null | sort | head -n 40
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

# The cases take turns, so a change in the machine's load falls on all of them alike. The
# first round only warms the caches and is not counted.
measure_all() {
    local round name
    for round in $(seq 0 "$runs"); do
        for name in bare icons targets tune; do
            [ "$round" = 1 ] && : >"$work/$name.runs"
            case $name in
            bare) launch bare "$barewindow" ;;
            tune)
                launch tune --windows 2 env XDG_CONFIG_HOME="$work/tune.config" "$work/tune/tune"
                ;;
            *) launch "$name" env XDG_CONFIG_HOME="$work/$name.config" "$work/$name/ombrix" ;;
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
    printf '%-38s %8s %8s   %8s %8s\n' "$1" $t $r
}

echo "Preparing the cases (128 keys each, bar saved open at 1920 x 1080)..."
prepare_bar icons icons
mapfile -t targets < <(target_files)
prepare_bar targets targets "${targets[@]}"
prepare_bar tune icons

echo "Launching each case $runs times in turn on display $DISPLAY (after one unmeasured round)..."
measure_all

echo
printf '%-38s %17s   %17s\n' "" "launch to map, ms" "peak RSS, MB"
printf '%-38s %8s %8s   %8s %8s\n' "case" median max median max
report_row "(a) bare masked Qt window" bare
report_row "(b) bar, 128 keys with icon files" icons
report_row "(c) bar, 128 keys showing target icons" targets
report_row "(d) tune, 128 keys with icon files" tune

read -r bare_time _ <<<"$(stats "$work/bare.runs" 1 1)"
read -r icons_time _ <<<"$(stats "$work/icons.runs" 1 1)"
read -r targets_time _ <<<"$(stats "$work/targets.runs" 1 1)"
read -r tune_time _ <<<"$(stats "$work/tune.runs" 1 1)"
read -r _ icons_rss_max <<<"$(stats "$work/icons.runs" 2 0.0009765625)"
read -r _ targets_rss_max <<<"$(stats "$work/targets.runs" 2 0.0009765625)"
read -r _ tune_rss_max <<<"$(stats "$work/tune.runs" 2 0.0009765625)"

verdict() { # value limit: "met" when value <= limit (time) or < limit (memory, strict=1)
    awk -v v="$1" -v l="$2" -v strict="${3:-0}" \
        'BEGIN { ok = strict ? v < l : v <= l; print ok ? "met" : "MISSED" }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo
icons_ratio=$(ratio "$icons_time" "$bare_time")
targets_ratio=$(ratio "$targets_time" "$bare_time")
tune_ratio=$(ratio "$tune_time" "$bare_time")
echo "(b) bar/bare median launch time: $icons_ratio (target <= $time_target): $(verdict "$icons_ratio" "$time_target")"
echo "(b) bar peak RSS, max of runs: $icons_rss_max MB (target < $rss_target_mb MB): $(verdict "$icons_rss_max" "$rss_target_mb" 1)"
echo "(c) bar/bare median launch time: $targets_ratio (target <= $time_target): $(verdict "$targets_ratio" "$time_target")"
echo "(c) bar peak RSS, max of runs: $targets_rss_max MB (target < $rss_target_mb MB): $(verdict "$targets_rss_max" "$rss_target_mb" 1)"
echo "(d) tune/bare median launch time: $tune_ratio (target <= $tune_time_target): $(verdict "$tune_ratio" "$tune_time_target")"
echo "(d) tune peak RSS, max of runs: $tune_rss_max MB (target < $tune_rss_target_mb MB): $(verdict "$tune_rss_max" "$tune_rss_target_mb" 1)"
echo
echo "tune is timed until both its windows are mapped. Peak RSS is read ${settle} ms after the"
echo "last map, once the first frame is painted. Load average at the end:"
echo "$(cut -d' ' -f1-3 /proc/loadavg) (on a busy machine every launch is slower)."
