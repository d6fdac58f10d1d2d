# Shared steps of the end-to-end tests, given GAME: the game in a real window of a private X server.
set -euo pipefail
work=$(mktemp -d /tmp/orbitane-e2e-XXXXXX) game_pid="" xvfb_pid=""
RESOURCES=${RESOURCES:-$(dirname "$GAME")/Orbitane.app/Contents/Resources}

cleanup() {
    local status=$?
    [ "$status" = 0 ] || [ -n "${failed:-}" ] || echo "FAIL: stopped with status $status" >&2
    # Killed outright: a terminate request, like a window close, only ends a match.
    { kill -KILL $game_pid; kill $xvfb_pid; } 2>/dev/null || true
    [ -n "${KEEP_E2E:-}" ] || rm -rf "$work"
}
trap cleanup EXIT

fail() {
    failed=1
    echo "FAIL: $*" >&2
    tail -n 20 "$work/stdout" "$work/stderr" 2>/dev/null || true
    [ -n "$game_pid" ] && ps -o pid,stat,etime,time,wchan:24 -p "$game_pid" || echo "(no game)"
    exit 1
}

# Runs a command until it succeeds, at most N times, PAUSE seconds apart.
retry() {
    for _ in $(seq "$1"); do "${@:3}" && return 0; sleep "$2"; done
    return 1
}

# Our own X server, one at a time, not reset when a client leaves: the game may still connect.
start_x() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
    xvfb_pid=$!
    retry 100 0.05 test -s "$work/display" || fail "Xvfb did not start"
    export DISPLAY=":$(head -1 "$work/display")" && unset SDL_VIDEODRIVER
}

# Starts the game in a folder, by default its own, as a player would.
start_game() {
    (cd "${1:-$(dirname "$GAME")}" && exec "$GAME") >"$work/stdout" 2>"$work/stderr" &
    game_pid=$!
}
gone() { ! kill -0 "$game_pid" 2>/dev/null; }

# Sets $window to the game's window once shown at WIDTHxHEIGHT (slowly under sanitizers).
wait_for_window() { retry 600 0.05 find_window "$1" || fail "no $1 window named Orbitane"; }
find_window() {
    ! gone || fail "the game ended before its $1 window showed"
    window=$(xdotool search --onlyvisible --name '^Orbitane$' getwindowgeometry %@ 2>/dev/null |
        awk -v size="$1" '/^Window/ { id = $2 } $2 == size { print id; exit }') &&
        [ -n "$window" ] && xdotool windowfocus "$window" 2>/dev/null
}

# Presses keys a quarter of a second apart.
press() { xdotool key --clearmodifiers --delay 250 "$@"; sleep 0.2; }

# Waits for a screenshot NAME.png ($shot) like a picture but for a share of its pixels.
expect_screen() { retry 40 0.3 looks_like "$@" || fail "$shot: $share of it unlike $2"; }
looks_like() {
    shot=$work/$1.png
    import -window "$window" "$shot"
    share=$(compare -metric AE -fuzz 12% "$shot" "$RESOURCES/$2" null: 2>&1 || true)
    share=$(awk -v d="$share" -v p="$(identify -format '%[fx:w*h]' "$shot")" -v most="$3" \
        'BEGIN { s = d ~ /^[0-9.e+]+$/ ? d / p : 1; print s; exit !(s <= most) }')
}

expect_exit() {
    retry 200 0.1 gone || fail "the game did not end"
    wait "$game_pid" && status=0 || status=$?
    game_pid=""
    [ "$status" = "$1" ] || fail "exit status $status, expected $1"
}
