#!/usr/bin/env bash
# Measures the processor share of the paced game in a real window under Xvfb:
# ten seconds on the title screen, then ten seconds of a one-player match.
# Usage: bash tools/cpu-share.sh [build-dir]   (needs xvfb and xdotool)
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
seconds=10
ticks=$(getconf CLK_TCK)

exec 3>/tmp/orbitane-cpu-display.$$
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $game $xvfb 2>/dev/null; rm -f /tmp/orbitane-cpu-display.$$' EXIT
sleep 1
export DISPLAY=":$(head -1 /tmp/orbitane-cpu-display.$$)"
(cd "$build" && exec ./orbitane) >/dev/null 2>&1 &
game=$!
sleep 2

# Processor time of the game so far, in clock ticks (user + system).
used() { awk '{ print $14 + $15 }' "/proc/$game/stat"; }

share() {
    local before after
    before=$(used)
    sleep "$seconds"
    after=$(used)
    awk -v t=$((after - before)) -v hz="$ticks" -v s="$seconds" \
        'BEGIN { printf "%.1f%% of one core\n", 100 * t / hz / s }'
}

echo "title screen: $(share)"
window=$(xdotool search --name '^Orbitane$' | head -1)
xdotool windowfocus "$window" 2>/dev/null || true
xdotool key Return
sleep 0.3
xdotool key Return
sleep 1
echo "match:        $(share)"
