#!/usr/bin/env bash
# When the X server goes away under the game, the game ends within moments
# instead of hanging in its shutdown.
GAME=$1 CLOSE_WINDOW=$2
source "$(dirname "$0")/lib.sh"

start_x
start_game
wait_for_window 512x512
kill "$xvfb_pid"
xvfb_pid=""
for _ in $(seq 100); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$game_pid" 2>/dev/null && fail "the game still runs 10 s after losing its display"
echo "lost display: ok"
