#!/usr/bin/env bash
# Faults the game survives: every picture damaged each way in turn, and a lost display.
GAME=$1
source "$(dirname "$0")/lib.sh"

# Writes bytes (printf escapes) into the file $f at an offset.
poke() { printf "$2" | dd of="$f" bs=1 seek="$1" conv=notrunc status=none; }
damage() {
    case $1 in
    missing) rm "$f" ;;
    empty) : >"$f" ;;
    truncated_header) truncate -s 20 "$f" ;;
    truncated_pixels) truncate -s $((($(wc -c <"$f") + $(od -An -tu4 -j10 -N4 "$f")) / 2)) "$f" ;;
    wrong_magic) poke 0 XX ;;
    absurd_size) poke 18 '\x40\x42\x0f\x00\x40\x42\x0f\x00' ;; # a million pixels each way
    seven_bits) poke 28 '\x07\x00' ;;
    directory) rm "$f" && mkdir "$f" ;;
    esac
}

# With the pictures like a pattern damaged: options, a match with rapid fire, Escape, quit.
round() {
    dir=$(mktemp -d "$work/copy-XXXX") && mkdir -p "$dir/Orbitane.app/Contents"
    cp -r "$RESOURCES" "$dir/Orbitane.app/Contents/"
    while IFS= read -r -d '' f; do damage "$1"; done < <(find "$dir" -type f -name "$2" -print0)
    start_game "$dir"
    wait_for_window 512x512
    press Down Return Left Return Return
    $3
    press Return
    wait_for_window 800x600
    xdotool keydown space; sleep 1; xdotool keyup space
    press Escape
    wait_for_window 512x512
    press Left Return
    expect_exit 0
    # Nothing on standard error but reports of pictures matching $4, one of them $5.
    ! grep -vE "^Couldn't (load|display) $4: " "$work/stderr" || fail "$1: more than reports"
    grep -qF "Couldn't load $5: " "$work/stderr" || fail "$1: no report of $5"
}

start_x
for kind in missing empty truncated_header truncated_pixels wrong_magic absurd_size seven_bits \
    directory; do
    round "$kind" '*' : '(images|fonts)/[^:]*\.bmp' images/TitleScreen.bmp
done
# With only the pages laid over the title picture missing, the title shows.
round missing 'Title_*' 'expect_screen play_page images/TitleScreen.bmp 0.02' \
    'images/Title_(Options|Play)\.bmp' images/Title_Play.bmp

# When the X server goes away under the game, the game ends within moments.
start_game
wait_for_window 512x512
kill "$xvfb_pid"
retry 100 0.1 gone || fail "the game still runs 10 s after losing its display"
echo "faults: ok"
