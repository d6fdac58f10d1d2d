#!/usr/bin/env bash
# The game survives damaged pictures and glyphs. For each kind of damage,
# every picture and font file of a copy of the resources is damaged the same
# way, and a player's session (title, options, back, a one-player match with
# rapid fire, Escape, the quit entry) still ends with status 0. Standard
# error holds only the game's own reports of the pictures it could not load
# or show, and nothing that a crash or a sanitizer would print.
GAME=$1 CLOSE_WINDOW=$2
source "$(dirname "$0")/lib.sh"

built_resources="$(dirname "$GAME")/Orbitane.app/Contents/Resources"
built_game=$GAME

# Short pauses keep ten sessions well inside the test's time limit.
tap() {
    KEY_PAUSE=0.15 press "$@"
}

# Writes bytes given as \x escapes into a file at an offset, keeping its length.
poke() {
    printf "$3" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

# Where the pixels of a BMP file start, from its header.
pixel_offset() {
    od -An -tu4 -j10 -N4 "$1" | tr -d ' '
}

damage_file() {
    local kind=$1 file=$2
    case $kind in
        missing) rm "$file" ;;
        empty) : >"$file" ;;
        truncated_header) truncate -s 20 "$file" ;;
        truncated_pixels)
            local start size
            start=$(pixel_offset "$file")
            size=$(stat -c %s "$file")
            truncate -s $((start + (size - start) / 2)) "$file" ;;
        wrong_magic) poke "$file" 0 'XX' ;;
        # A million pixels across and down.
        absurd_size) poke "$file" 18 '\x40\x42\x0f\x00\x40\x42\x0f\x00' ;;
        # The most negative height there is.
        absurd_negative_height) poke "$file" 22 '\x00\x00\x00\x80' ;;
        seven_bits) poke "$file" 28 '\x07\x00' ;;
        directory) rm "$file" && mkdir "$file" ;;
        *) fail "unknown damage $kind" ;;
    esac
}

# A folder with a link to the game and a copy of its resources next to it,
# the files matching the pattern (relative to the resources) damaged.
damaged_copy() {
    local kind=$1 pattern=$2 dir="$work/$1-$3"
    local root="$dir/Orbitane.app/Contents/Resources"
    mkdir -p "$dir/Orbitane.app/Contents"
    cp -r "$built_resources" "$root"
    ln -s "$built_game" "$dir/orbitane"
    local file
    while IFS= read -r -d '' file; do
        damage_file "$kind" "$file"
    done < <(find "$root/images" "$root/fonts" -type f -path "$root/$pattern" -print0)
    echo "$dir"
}

# Title, options, back, the play page and a one-player match with rapid
# fire, left with Escape; then the quit entry. Screenshots of the title and
# the play page are kept as title.png and play_page.png.
play_round() {
    GAME="$1/orbitane" start_game
    wait_for_window 512x512
    tap Down Return
    tap Left Return
    shot title >/dev/null
    tap Return
    shot play_page >/dev/null
    tap Return
    wait_for_window 800x600
    hold space 1.0
    tap Escape
    wait_for_window 512x512
    grep -q '^FINAL SCORE: ' "$work/stdout" || fail "no final score after Escape"
    tap Left Return
    expect_exit 0
    # Kept with the round's resources for a look afterwards (KEEP_E2E=1).
    cp "$work/stdout" "$work/stderr" "$1/"
}

# Fails unless every line on standard error is one of the game's reports.
expect_only_reports() {
    if grep -qE 'Sanitizer|runtime error|Segmentation|Aborted|terminate called' "$work/stderr"; then
        fail "a crash or sanitizer report on standard error"
    fi
    local other
    other=$(grep -vE "^Couldn't (load|display) (images|fonts)/[^:]*\\.bmp: .+" "$work/stderr" | head -3 || true)
    [ -z "$other" ] || fail "unexpected on standard error: $other"
}

expect_reported() {
    local what=$1 file
    shift
    for file in "$@"; do
        grep -qF "Couldn't $what $file: " "$work/stderr" || fail "no \"Couldn't $what $file\" on standard error"
    done
}

start_x

kinds=(missing empty truncated_header truncated_pixels wrong_magic absurd_size
    absurd_negative_height seven_bits directory)
for kind in "${kinds[@]}"; do
    play_round "$(damaged_copy "$kind" '*' all)"
    expect_only_reports
    expect_reported load images/TitleScreen.bmp images/Title_Options.bmp images/Title_Play.bmp \
        images/SpaceSun.bmp images/Score.bmp
    expect_reported display images/select1.bmp images/toggle1.bmp images/ship_sprite/photon.bmp
    grep -qE "^Couldn't display images/ship_sprite/Ship-2_[NESW]\\.bmp: " "$work/stderr" ||
        fail "no report of the ships"
    grep -qE "^Couldn't display images/asteroid[1-5]\\.bmp: " "$work/stderr" ||
        fail "no report of the asteroids"
    if grep -qE '^(LIVES|Score): ' "$work/stdout"; then
        expect_reported load images/ship_sprite/Explosion.bmp
    fi
    echo "$kind: ok"
done

# Only the pages laid over the title picture are missing: the title picture
# still shows under them, and nothing else is reported.
play_round "$(damaged_copy missing 'images/Title_*' overlays)"
expect_only_reports
expect_reported load images/Title_Options.bmp images/Title_Play.bmp
[ "$(grep -cvE "^Couldn't load images/Title_(Options|Play)\\.bmp: " "$work/stderr")" = 0 ] ||
    fail "pictures other than the pages were reported"
title=$(picture images/TitleScreen.bmp)
expect_similar "$work/title.png" "$title" 0.02
expect_similar "$work/play_page.png" "$title" 0.02
echo "missing pages: ok"

echo "bad resources: ok"
