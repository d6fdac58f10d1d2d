#!/usr/bin/env bash
# The game opens a 512 x 512 window showing the title picture, and closing
# the window ends it with status 0.
GAME=$1 CLOSE_WINDOW=$2
source "$(dirname "$0")/lib.sh"

start_x
start_game
wait_for_window 512x512
expect_screen title images/TitleScreen.bmp 0.02
check_shot "$screen" 512x512
close_window
expect_exit 0
echo "title window: ok"
