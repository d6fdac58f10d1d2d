#!/usr/bin/env bash
# What presenting frames costs in a real window under Xvfb, which like a virtual
# machine or a remote desktop has no graphics card. In one X server, side by
# side and running at the same time: the floor program (an 800 x 600 16-bit
# frame presented 60 times a second, nothing else), the title screen and a
# one-player match, on the game's default path and then with the player's
# override SDL_RENDER_DRIVER=opengl.
# For each, the medians of three runs: the processor share of the program's
# own process (all its threads, user + system, as top shows it), that share
# against the floor's in the same run, frames a second and the 95th
# percentile of the interval between frames.
# Usage: bash bench/present-cost.sh [build-dir]   (needs xvfb and xdotool)
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
seconds=15
ticks=$(getconf CLK_TCK)
work=$(mktemp -d /tmp/orbitane-present-XXXXXX)
pids=""

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill -KILL $pids 2>/dev/null || true; kill $xvfb; rm -rf "$work"' EXIT
until [ -s "$work/display" ]; do sleep 0.1; done
DISPLAY=":$(head -1 "$work/display")"
export DISPLAY
unset SDL_RENDER_DRIVER SDL_FRAMEBUFFER_ACCELERATION SDL12COMPAT_SYNC_TO_VBLANK \
    SDL12COMPAT_WINDOW_SCALING SDL_VIDEODRIVER

used() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# One run on one path: the three programs side by side, measured over the same
# seconds, so that whatever else the machine does weighs on all three alike.
# Gives a line "run path program share frames-a-second p95" for each.
run() {
    local round=$1 path=$2 what settings=() window match
    [ "$path" = opengl ] && settings=(SDL_RENDER_DRIVER=opengl)
    declare -A pid before after
    # The match first: its keys go to the only window there is.
    for what in match floor title; do
        local program=$build/orbitane title='^Orbitane$'
        [ "$what" = floor ] && program=$build/bench/present_floor title='^Present floor$'
        (cd "$build" && exec env "${settings[@]}" LD_PRELOAD="$build/bench/libframe_times.so" \
            FRAME_TIMES="$work/$what" "$program") >/dev/null 2>&1 &
        pid[$what]=$!
        pids+=" $!"
        window=$(timeout 60 xdotool search --sync --onlyvisible --pid "$!" --name "$title" |
            head -1) ||
            { echo "no window from $program" >&2; exit 1; }
        [ "$what" = match ] && match=$window &&
            xdotool sleep 0.5 windowfocus "$window" key Return sleep 0.3 key Return
    done
    sleep 2  # past the first frames of a new window
    for what in floor title match; do : >"$work/$what"; before[$what]=$(used "${pid[$what]}"); done
    sleep "$seconds"
    for what in floor title match; do after[$what]=$(used "${pid[$what]}"); done
    xdotool getwindowgeometry "$match" | grep -q 800x600 ||
        echo "the match ended before it was measured" >&2
    kill -KILL $pids  # a terminate request only ends a match
    wait $pids 2>/dev/null || true
    pids=""
    for what in floor title match; do
        echo "$round $path $what $(awk -v t=$((after[$what] - before[$what])) -v hz="$ticks" \
            -v s="$seconds" 'BEGIN { printf "%.1f", 100 * t / hz / s }')" \
            "$(awk 'NR > 1 { print $1 - last } { last = $1 }' "$work/$what" | sort -n |
                awk '{ gap[NR] = $1; sum += $1 } END { printf "%.1f %.1f", 1000 * NR / sum, gap[int(0.95 * NR + 0.5)] }')"
    done
}

for round in 1 2 3; do
    for path in default opengl; do run "$round" "$path"; done
done >"$work/runs"
# Each program's share against the floor's in the same run, as a seventh column.
awk 'NR == FNR { if ($3 == "floor") floor[$1 FS $2] = $4; next }
    { printf "%s %.2f\n", $0, $4 / floor[$1 FS $2] }' "$work/runs" "$work/runs" >"$work/table"

median() {
    awk -v w="$1" -v p="$2" -v c="$3" '$3 == w && $2 == p { print $c }' "$work/table" |
        sort -n | sed -n 2p
}

echo "| | default path | × floor | SDL_RENDER_DRIVER=opengl | × floor | frames a second" \
    "(default / opengl) | p95 frame interval (default / opengl) |"
echo "|---|---|---|---|---|---|---|"
for what in floor title match; do
    echo "| $what | $(median "$what" default 4) % | $(median "$what" default 7) |" \
        "$(median "$what" opengl 4) % | $(median "$what" opengl 7) |" \
        "$(median "$what" default 5) / $(median "$what" opengl 5) |" \
        "$(median "$what" default 6) / $(median "$what" opengl 6) ms |"
done
echo
echo "Every run (run, path, program, share %, frames a second, p95 ms, × floor):"
cat "$work/table"
