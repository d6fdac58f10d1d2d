# Shared steps of the end-to-end tests: a private X server, the game in a
# real window, key presses, screenshots and checks on them.
# Needs: GAME (the built binary) and CLOSE_WINDOW (the close helper).
set -euo pipefail

work=$(mktemp -d /tmp/orbitane-e2e-XXXXXX)
game_pid=""
xvfb_pid=""

cleanup() {
    local status=$?
    # A step that fails outside the checks still leaves a word behind.
    [ "$status" = 0 ] || [ -n "${failed:-}" ] || echo "FAIL: stopped with status $status" >&2
    # A terminate request only ends a match, as closing the window does, so
    # a game left over from a failed check is killed outright.
    [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    if [ "${KEEP_E2E:-}" = "" ]; then rm -rf "$work"; fi
}
trap cleanup EXIT

fail() {
    failed=1
    echo "FAIL: $*" >&2
    echo "--- game stdout"; cat "$work/stdout" 2>/dev/null || true
    echo "--- game stderr"; head -20 "$work/stderr" 2>/dev/null || true
    exit 1
}

start_x() {
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.05
    done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(head -1 "$work/display")"
    unset SDL_VIDEODRIVER
}

# Starts the game from the build folder, as a player would.
start_game() {
    (cd "$(dirname "$GAME")" && exec "$GAME") >"$work/stdout" 2>"$work/stderr" &
    game_pid=$!
}

# The game's window once it has the given size (WIDTHxHEIGHT).
wait_for_window() {
    local size=$1 id geometry
    # Generous: a sanitizer build on a busy machine starts slowly.
    for _ in $(seq 600); do
        for id in $(xdotool search --name '^Orbitane$' 2>/dev/null); do
            # A window may be gone again by the time it is asked about.
            geometry=$(xwininfo -id "$id" 2>/dev/null | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}') ||
                continue
            if [ "$geometry" = "$size" ] && xwininfo -id "$id" 2>/dev/null | grep -q IsViewable; then
                window=$id
                return 0
            fi
        done
        sleep 0.05
    done
    fail "no $size window named Orbitane"
}

# Presses keys in the game's window, one at a time, KEY_PAUSE seconds apart.
press() {
    xdotool windowfocus "$window" 2>/dev/null || true
    local key
    for key in "$@"; do
        xdotool key --window "$window" --clearmodifiers "$key" 2>/dev/null || xdotool key "$key"
        sleep "${KEY_PAUSE:-0.25}"
    done
}

hold() {
    xdotool windowfocus "$window" 2>/dev/null || true
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
    sleep 0.2
}

# A screenshot of the game's window.
shot() {
    sleep 0.3
    import -window "$window" "$work/$1.png"
    echo "$work/$1.png"
}

# A screenshot of a screen that has something on it. A window can show
# before its first frame is drawn, so a blank one is taken again for a while.
drawn_shot() {
    local png
    for _ in $(seq 20); do
        png=$(shot "$1")
        [ "$(spread "$png")" = blank ] || break
    done
    echo "$png"
}

spread() {
    convert "$1" -colorspace gray -format '%[fx:standard_deviation > 0.01 ? 1 : 0]' info: |
        sed 's/^0$/blank/'
}

# Fails unless the picture has the given size and is not one flat colour.
check_shot() {
    local png=$1 size=$2
    [ "$(identify -format '%wx%h' "$png")" = "$size" ] || fail "$png is not $size"
    [ "$(spread "$png")" != blank ] || fail "$png is blank"
}

# Share of pixels (0 to 1) that differ noticeably between a screenshot and a picture.
difference() {
    local diff
    diff=$(compare -metric AE -fuzz 12% "$1" "$2" null: 2>&1 || true)
    local pixels
    pixels=$(identify -format '%[fx:w*h]' "$1")
    awk -v d="$diff" -v p="$pixels" 'BEGIN { printf "%.4f\n", d / p }'
}

expect_similar() {
    local share
    share=$(difference "$1" "$2")
    awk -v s="$share" -v m="$3" 'BEGIN { exit !(s <= m) }' ||
        fail "$1 differs from $2 in $share of its pixels (at most $3 allowed)"
}

close_window() {
    "$CLOSE_WINDOW" "$window"
}

# Waits for the game to end and checks its exit status.
expect_exit() {
    local expected=$1 status=0
    for _ in $(seq 400); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.05
    done
    kill -0 "$game_pid" 2>/dev/null && fail "the game did not end"
    wait "$game_pid" || status=$?
    game_pid=""
    [ "$status" = "$expected" ] || fail "exit status $status, expected $expected"
}

picture() {
    local png="$work/$(basename "$1" .bmp).png"
    convert "$(dirname "$GAME")/Orbitane.app/Contents/Resources/$1" "$png"
    echo "$png"
}
