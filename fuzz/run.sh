#!/usr/bin/env bash
# Runs each fuzz target of a checked build for a while, from the project's seeds and the
# corpus the target grew in earlier runs, and prints how many inputs each one tried.
#
#   fuzz/run.sh <checked build folder> [seconds per target, default 60]
#
# A broken property or a sanitizer report fails the run; the input that did it is kept as
# <build>/crash-<target>-* and the target's log as <build>/fuzz-<target>.log.
set -euo pipefail

build=$1
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
status=0
for target in keytable keycount settings desktopentry keypress iconthemecache savejournal; do
    corpus=$build/corpus/$target
    mkdir -p "$corpus"
    args=(-max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/crash-$target-")
    [ -f "$here/$target.dict" ] && args+=(-dict="$here/$target.dict")
    sources=("$corpus")
    [ -d "$here/seeds/$target" ] && sources+=("$here/seeds/$target")
    log=$build/fuzz-$target.log
    if "$build/${target}_fuzz" "${args[@]}" "${sources[@]}" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "fuzz $target: $runs inputs in $seconds s, every property held"
    else
        echo "FAIL: fuzz $target broke a property or a sanitizer check; see $log:"
        grep -E 'property broken|ERROR|runtime error|SUMMARY' "$log" | head -n 5
        status=1
    fi
done
exit "$status"
