#!/usr/bin/env bash
# A player's session with real key presses: the play page, a one-player
# match left with Escape, the sun switched off, a match without it left by
# closing the window, and the quit entry.
GAME=$1 CLOSE_WINDOW=$2
source "$(dirname "$0")/lib.sh"

# Brightness (0 to 1) of one pixel of a screenshot.
brightness() {
    convert "$1" -crop "1x1+$2+$3" -colorspace gray -format '%[fx:p{0,0}]' info:
}

start_x
start_game
wait_for_window 512x512

press Return
expect_screen play_page images/Title_Play.bmp 0.02

press Return
wait_for_window 800x600
hold space 0.6
press Right Up
expect_screen match images/SpaceSun.bmp 0.10
check_shot "$screen" 800x600
awk -v b="$(brightness "$screen" 395 295)" 'BEGIN { exit !(b > 0.6) }' || fail "no sun in the match"

press Escape
wait_for_window 512x512
grep -q '^FINAL SCORE: ' "$work/stdout" || fail "no final score after Escape"
expect_screen title_again images/TitleScreen.bmp 0.02

press Down Return Return
expect_screen options_sun_off images/Title_Options.bmp 0.03

press Left Return Return Return
wait_for_window 800x600
sunless=$(drawn_shot match_without_sun)
check_shot "$sunless" 800x600
awk -v b="$(brightness "$sunless" 395 295)" 'BEGIN { exit !(b < 0.3) }' || fail "the sun is still there"

close_window
wait_for_window 512x512
[ "$(grep -c '^FINAL SCORE: ' "$work/stdout")" = 2 ] || fail "closing the window did not end the match"
kill -0 "$game_pid" || fail "closing the match window ended the program"

press Up Return
expect_exit 0
echo "play session: ok"
