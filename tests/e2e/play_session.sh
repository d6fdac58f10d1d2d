#!/usr/bin/env bash
# A player's session: a match left with Escape, the sun off, a two-player match closed, quit.
GAME=$1 CLOSE_WINDOW=$2
source "$(dirname "$0")/lib.sh"

# Whether the sun's place, in a new screenshot, has a brightness that passes a test.
sun() { (($(import -window "$window" -crop 1x1+395+295 -format "%[fx:intensity $1]" info:))); }

# Deaths in the match now being played, of either ship: the game says "LIVES:" or "Score:".
deaths() { awk '/^FINAL/ { n = 0 } /^(LIVES|Score):/ { ++n } END { print n + 0 }' "$work/stdout"; }

# Whether the pixels the missiles' glow covers, $w x $h in a new screenshot, pass a test.
glow() { read -r w h < <(import -window "$window" png:- |
    convert - +opaque '#103C4A' -trim -format '%w %h\n' info: 2>/dev/null) && (($1)); }
# Turns and holds fire until the glow passes the test, for ten seconds at most, however slow frames.
volley() {
    xdotool key "$1" keydown space && retry 40 0.25 glow "$2" && xdotool keyup space ||
        { xdotool keyup space; false; }
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

# The sun off, and a two-player match where the first player fires east, then south, at rest at
# (50, 50) as every match starts. With the sun off and the second ship idle only an asteroid can
# kill a ship; a volley that fails in a match where a ship died is taken again in a fresh match.
press Down Return Return Left Return Return Down Return
wait_for_window 800x600
expect_screen match_without_sun images/Space.bmp 0.10
retry 10 0.3 sun '< 0.3' || fail "the sun is still there"
row='w > 60 && w > 2 * h' column='h > 60 && h > 2 * w' matches=2
for attempt in 1 2 3 4 5 6; do
    [ "$attempt" != 6 ] || fail "no $what of missiles in five matches, each with a death: $w x $h"
    what=row && volley Right "$row" && what=column && volley Down "$column" && break
    [ "$(deaths)" != 0 ] || fail "no $what of missiles: $w x $h pixels"
    press Escape && wait_for_window 512x512 && press Return Down Return && wait_for_window 800x600
    matches=$((matches + 1))
done
"$CLOSE_WINDOW" "$window"
wait_for_window 512x512
[ "$(grep -c '^FINAL SCORE: ' "$work/stdout")" = "$matches" ] ||
    fail "closing did not end the match"
press Up Return
expect_exit 0
echo "play session: ok"
