#!/usr/bin/env bash
# The open bar as a screen of a fractional or double scale shows it (QT_SCALE_FACTOR), under a
# virtual X server with a window manager: in a screenshot, along a line through the keys of the
# first row, every key is equally wide in device pixels and the gaps between them differ by at
# most one pixel, and the rows' edge line is solid (no half-tone pixel beside it).
#
# Usage: scale_e2e.sh <program folder> <makekeytable>
# Exit codes: 0 all checks passed, 1 a check failed, 77 a needed tool is missing (skipped).
set -u

program_source=${1:?program folder}
make_key_table=${2:?makekeytable}

test_title="the end-to-end test of the bar's pixels at several scales"
# shellcheck source=common.sh source-path=SCRIPTDIR
source "$(dirname "$0")/common.sh"
require_tools Xvfb xdotool xwininfo xprop import convert openbox dbus-run-session
require_files "$program_source/ombrix" "$make_key_table"
make_work ombrix-scale-e2e

make_user_world "$program_source"
mkdir -p "$XDG_CONFIG_HOME/Ombrix"
start_xvfb 1920x1080
start_window_manager
"$make_key_table" "$program" "$XDG_CONFIG_HOME/Ombrix/keycount.stm" 40 icons ||
    { echo "FAIL: the key table could not be written" >&2; exit 1; }

row_background=E6E2D8
row_edge=8A8478

# The colours of one line of the screenshot, one a line, as RRGGBB.
pixels() { # shot x y width height
    convert "$1" -crop "$4x$5+$2+$3" -depth 8 txt:- | sed -n 's/.*#\([0-9A-F]\{6\}\).*/\1/p'
}

# "widths gaps": the distinct lengths of the keys (runs that are not the row background) and
# of the gaps between them along the line, the first and last run left out as they may be cut.
runs() { # shot x y width
    pixels "$1" "$2" "$3" "$4" 1 | awk -v bg="$row_background" '
        { key = $1 != bg
          if (NR > 1 && key != last) { n++; kind[n] = last; len[n] = count; count = 0 }
          last = key; count++ }
        END {
            for (i = 2; i <= n; i++) if (kind[i]) w[len[i]] = 1; else g[len[i]] = 1
            for (v in w) ws = ws (ws ? "," : "") v
            for (v in g) gs = gs (gs ? "," : "") v
            print ws, gs
        }'
}

spread() { # comma-separated numbers: largest minus smallest
    tr ',' '\n' <<<"$1" | sort -n | awk 'NR == 1 { a = $1 } { b = $1 } END { print b - a }'
}

edge_solid() { [[ "$1" =~ ^($row_edge\ )+($row_background\ )+$ ]]; } # column

row_drawn_evenly() { # shot: a screenshot taken now shows the first row's keys as the checks want
    local widths gaps
    import -window root "$1" || return 1
    read -r widths gaps <<<"$(runs "$1" "$x" "$y" $((end - x)))"
    [ -n "$widths" ] && [ -n "$gaps" ] && [ "$widths" = "${widths%%,*}" ] &&
        [ "$(spread "$gaps")" -le 1 ] && edge_solid "$(pixels "$1" $((x + 1)) 0 1 4 | tr '\n' ' ')"
}

for scale in 1.25 1.5 2; do
    printf '[posizione]\nleft=0\ntop=0\nlarghezza=28800\n' >"$XDG_CONFIG_HOME/Ombrix/Ombrix.conf"
    QT_SCALE_FACTOR=$scale "$program/ombrix" >"$work/bar-$scale.log" 2>&1 &
    bar_pid=$!
    if ! window=$(wait_for_window "$bar_pid"); then
        fail "scale $scale: the bar shows no window"
        continue
    fi
    wait_for_still "$window" || fail "scale $scale: the bar kept moving: $(geometry "$window")"
    xdotool mousemove 1900 1060

    # A line three device pixels below the top of the first row's keys (Top 60 twips), from
    # just before the first key (Left 1670) into the last one (Left 1670 + 39 x 365).
    y=$(awk -v s="$scale" 'BEGIN { printf "%d", 60 / 15 * s + 0.5 + 3 }')
    x=$(awk -v s="$scale" 'BEGIN { printf "%d", 1670 / 15 * s - 2 }')
    end=$(awk -v s="$scale" 'BEGIN { printf "%d", (1670 + 39 * 365 + 100) / 15 * s }')
    shot="$work/shot-$scale.png"
    # The bar may paint after it is placed: screenshots are taken until one shows every check
    # holding, and the checks below are made on the last one.
    wait_until 10 row_drawn_evenly "$shot"
    kill "$bar_pid"
    wait "$bar_pid" 2>/dev/null
    read -r widths gaps <<<"$(runs "$shot" "$x" "$y" $((end - x)))"
    if [ -z "$widths" ] || [ -z "$gaps" ]; then
        fail "scale $scale: no keys found along the first row"
        continue
    fi
    expect_eq "scale $scale: every key of the first row is as wide as the others (px)" \
        "$widths" "${widths%%,*}"
    if [ "$(spread "$gaps")" -le 1 ]; then
        pass "scale $scale: the gaps between keys ($gaps px) differ by at most one pixel"
    else
        fail "scale $scale: the gaps between keys are $gaps px"
    fi
    # Down the rows' top edge, beside the keys: edge pixels, then the background at once.
    column=$(pixels "$shot" $((x + 1)) 0 1 4 | tr '\n' ' ')
    if edge_solid "$column"; then
        pass "scale $scale: the rows' edge line is solid"
    else
        fail "scale $scale: the rows' edge line reads $column"
    fi
done

report
