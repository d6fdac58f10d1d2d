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
    describe_game
    exit 1
}

# What the game was doing when a check failed: whether it still runs and
# where, and the windows on the screen.
describe_game() {
    [ -n "$game_pid" ] || return 0
    echo "--- game process"
    if ! kill -0 "$game_pid" 2>/dev/null; then
        local status=0
        wait "$game_pid" 2>/dev/null || status=$?
        echo "ended with status $status"
    else
        ps -o pid,stat,etime,time,wchan:24 -p "$game_pid" 2>/dev/null || true
        if command -v gdb >/dev/null; then
            # The main thread, where the game runs, then the others by name.
            timeout 30 gdb -p "$game_pid" -batch -nx -ex 'bt 25' -ex 'info threads' 2>/dev/null |
                grep -E '^(#|[* ] +[0-9]+ +Thread)' | cut -c1-200 || true
        fi
    fi
    if [ -n "${DISPLAY:-}" ]; then
        echo "--- windows"
        xwininfo -root -tree 2>/dev/null | grep -E '"' | head -20 || true
        echo "--- X server"
        tail -5 "$work/xvfb.log" 2>/dev/null || true
    fi
}

start_x() {
    exec 3>"$work/display"
    # No reset when the last client leaves: the checks come and go as
    # clients while the game may still be connecting.
    Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.05
    done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(head -1 "$work/display")"
    unset SDL_VIDEODRIVER
    # The game starts only once the server answers.
    for _ in $(seq 100); do
        xwininfo -root >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    fail "Xvfb on $DISPLAY does not answer"
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

# Waits for the window to show one of the game's pictures (the resource
# path), within the share of differing pixels allowed, and leaves the last
# screenshot in $screen. A page is drawn a frame or more after the key that
# asks for it, and many frames later while the renderer warms up on a
# machine that has never run it.
expect_screen() {
    local name=$1 expected share
    expected=$(picture "$2")
    for _ in $(seq 40); do
        screen=$(shot "$name")
        share=$(difference "$screen" "$expected")
        awk -v s="$share" -v m="$3" 'BEGIN { exit !(s <= m) }' && return 0
    done
    fail "$screen differs from $expected in $share of its pixels (at most $3 allowed)"
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
