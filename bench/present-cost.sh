#!/usr/bin/env bash
# What presenting frames costs in a real window under Xvfb, which like a virtual
# machine or a remote desktop has no graphics card. In one X server, side by
# side: the floor program (an 800 x 600 16-bit frame presented 60 times a
# second, nothing else), the title screen and a one-player match, each on the
# game's default path and with the player's override SDL_RENDER_DRIVER=opengl.
# For each, the medians of three runs: the processor share of the program's
# own process (all its threads, user + system), frames a second and the 95th
# percentile of the interval between frames.
# Usage: bash bench/present-cost.sh [build-dir]   (needs xvfb and xdotool)
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
seconds=10
ticks=$(getconf CLK_TCK)
work=$(mktemp -d /tmp/orbitane-present-XXXXXX)
pid=""

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill -KILL $pid 2>/dev/null || true; kill $xvfb; rm -rf "$work"' EXIT
until [ -s "$work/display" ]; do sleep 0.1; done
DISPLAY=":$(head -1 "$work/display")"
export DISPLAY
unset SDL_RENDER_DRIVER SDL_FRAMEBUFFER_ACCELERATION SDL12COMPAT_SYNC_TO_VBLANK \
    SDL12COMPAT_WINDOW_SCALING SDL_VIDEODRIVER

used() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }

# One run of one program on one path, as "program path share frames-a-second p95".
measure() {
    local what=$1 path=$2 program=$build/orbitane title='^Orbitane$' before after window
    [ "$what" = floor ] && program=$build/bench/present_floor title='^Present floor$'
    local settings=()
    [ "$path" = opengl ] && settings=(SDL_RENDER_DRIVER=opengl)
    (cd "$build" && exec env "${settings[@]}" LD_PRELOAD="$build/bench/libframe_times.so" \
        FRAME_TIMES="$work/frames" "$program") >/dev/null 2>&1 &
    pid=$!
    window=$(timeout 60 xdotool search --sync --name "$title" | head -1) ||
        { echo "no window from $program" >&2; exit 1; }
    [ "$what" = match ] && xdotool windowfocus "$window" key Return sleep 0.3 key Return
    sleep 2  # past the first frames of a new window
    : >"$work/frames"
    before=$(used)
    sleep "$seconds"
    after=$(used)
    [ "$what" != match ] || xdotool getwindowgeometry "$window" | grep -q 800x600 ||
        echo "the match ended before it was measured" >&2
    kill -KILL "$pid"  # a terminate request only ends a match
    wait "$pid" 2>/dev/null || true
    echo "$what $path $(awk -v t=$((after - before)) -v hz="$ticks" -v s="$seconds" \
        'BEGIN { printf "%.1f", 100 * t / hz / s }')" \
        "$(awk 'NR > 1 { print $1 - last } { last = $1 }' "$work/frames" | sort -n |
            awk '{ gap[NR] = $1; sum += $1 } END { printf "%.1f %.1f", 1000 * NR / sum, gap[int(0.95 * NR + 0.5)] }')"
}

for _ in 1 2 3; do
    for what in floor title match; do
        for path in default opengl; do measure "$what" "$path"; done
    done
done >"$work/runs"

median() {
    awk -v w="$1" -v p="$2" -v c="$3" '$1 == w && $2 == p { print $c }' "$work/runs" | sort -n | sed -n 2p
}
against() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo "| | default path | × floor | SDL_RENDER_DRIVER=opengl | × floor | frames a second | p95 frame interval |"
echo "|---|---|---|---|---|---|---|"
for what in floor title match; do
    d=$(median "$what" default 3) o=$(median "$what" opengl 3)
    echo "| $what | $d % | $(against "$d" "$(median floor default 3)") | $o % |" \
        "$(against "$o" "$(median floor opengl 3)") | $(median "$what" default 4) / $(median "$what" opengl 4) |" \
        "$(median "$what" default 5) / $(median "$what" opengl 5) ms |"
done
