#!/usr/bin/env bash
# A player's session: a match left with Escape, the sun off, a two-player match closed, quit.
GAME=$1 CLOSE_WINDOW=$2
source "$(dirname "$0")/lib.sh"

# Whether the sun's place, in a new screenshot, has a brightness that passes a test.
sun() { (($(import -window "$window" -crop 1x1+395+295 -format "%[fx:intensity $1]" info:))); }

# Turns, fires, and tests the w x h pixels the missiles' glow covers; a drifting ship's row
# slants, and one fired at a near edge soon leaves, so the other way is tried too.
fired() {
    xdotool key "$2"; xdotool keydown space; sleep 0.5; xdotool keyup space
    read -r w h < <(import -window "$window" png:- |
        convert - +opaque '#103C4A' -trim -format '%w %h\n' info:)
    (($1))
}

start_x
start_game
wait_for_window 512x512
expect_screen title images/TitleScreen.bmp 0.02
press Return
expect_screen play_page images/Title_Play.bmp 0.02
press Return
wait_for_window 800x600
expect_screen match images/SpaceSun.bmp 0.10
retry 10 0.3 sun '> 0.6' || fail "no sun in the match"
press Escape
wait_for_window 512x512
grep -q '^FINAL SCORE: ' "$work/stdout" || fail "no final score after Escape"

# The sun off, and a two-player match where only players fire: east, then south.
press Down Return Return Left Return Return Down Return
wait_for_window 800x600
expect_screen match_without_sun images/Space.bmp 0.10
retry 10 0.3 sun '< 0.3' || fail "the sun is still there"
row='w > 60 && w > 2 * h' column='h > 60 && h > 2 * w'
retry 6 0 fired "$row" Right || retry 6 0 fired "$row" Left ||
    fail "no row of missiles: $w x $h pixels"
retry 6 0 fired "$column" Down || retry 6 0 fired "$column" Up ||
    fail "no column of missiles: $w x $h pixels"
"$CLOSE_WINDOW" "$window"
wait_for_window 512x512
[ "$(grep -c '^FINAL SCORE: ' "$work/stdout")" = 2 ] || fail "closing did not end the match"
press Up Return
expect_exit 0
echo "play session: ok"
