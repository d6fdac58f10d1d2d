#!/usr/bin/env bash
# Installs the build under a temporary prefix and plays the installed game
# as a user would: the launcher, started from elsewhere, opens the title
# window with every picture, and closing the window ends it with status 0.
# Then checks the desktop entry, the uninstall, and the Debian package.
# Usage: install_test.sh BUILD_DIR CLOSE_WINDOW
build=$1
CLOSE_WINDOW=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../e2e/lib.sh"

prefix="$work/prefix"
GAME="$prefix/bin/orbitane"

# Every file of an install, relative to its root, one a line.
files_under() {
    (cd "$1" && find . -type f -o -type l | sed 's|^\./||' | sort)
}

# Fails unless every path is one the game owns.
expect_only_game_files() {
    local stray
    stray=$(grep -Ev '^(bin/orbitane|libexec/orbitane/orbitane|share/orbitane/(images|fonts)/.+|share/applications/orbitane\.desktop|share/icons/hicolor/(64x64|128x128)/apps/orbitane\.png|share/man/man6/orbitane\.6\.gz)$' || true)
    [ -z "$stray" ] || fail "installed files that are not the game's: $stray"
}

expect_file() {
    grep -qx "$1" <<<"$2" || fail "$1 is not installed"
}

# A component install writes install_manifest_game.txt and leaves the
# build's own install_manifest.txt to the player's install.
cmake --install "$build" --prefix "$prefix" --component game >"$work/install.log" ||
    fail "cmake --install failed: $(cat "$work/install.log")"
installed=$(files_under "$prefix")
for path in bin/orbitane libexec/orbitane/orbitane share/orbitane/images/TitleScreen.bmp \
    share/applications/orbitane.desktop share/icons/hicolor/64x64/apps/orbitane.png \
    share/icons/hicolor/128x128/apps/orbitane.png share/man/man6/orbitane.6.gz; do
    expect_file "$path" "$installed"
done
grep -q '^share/orbitane/fonts/' <<<"$installed" || fail "no font is installed"
expect_only_game_files <<<"$installed"
[ -x "$GAME" ] || fail "the launcher is not executable"
diff -r "$build/Orbitane.app/Contents/Resources" "$prefix/share/orbitane" >/dev/null ||
    fail "the installed data differ from the build's resource folder"

# The launcher runs from anywhere, here from an empty folder.
mkdir "$work/elsewhere"
start_x
(cd "$work/elsewhere" && exec "$GAME") >"$work/stdout" 2>"$work/stderr" &
game_pid=$!
wait_for_window 512x512
title=$(drawn_shot title)
check_shot "$title" 512x512
convert "$prefix/share/orbitane/images/TitleScreen.bmp" "$work/TitleScreen.png"
expect_similar "$title" "$work/TitleScreen.png" 0.02
close_window
expect_exit 0
if grep -E "Couldn't (load|display)" "$work/stderr"; then fail "a picture is missing"; fi

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/orbitane.desktop" ||
        fail "the desktop entry is not valid"
fi

# Uninstalling takes away every file and the game's own folders.
sh "$here/../../packaging/uninstall.sh" "$build/install_manifest_game.txt" >/dev/null
[ -z "$(files_under "$prefix")" ] || fail "left after uninstalling: $(files_under "$prefix")"
if [ -e "$prefix/share/orbitane" ] || [ -e "$prefix/libexec/orbitane" ]; then
    fail "the game's folders are left after uninstalling"
fi

# The Debian package holds the same tree under /usr and needs SDL 1.2.
if command -v cpack >/dev/null && command -v dpkg-deb >/dev/null; then
    cpack -G DEB -B "$work/deb" --config "$build/CPackConfig.cmake" >"$work/cpack.log" ||
        fail "cpack failed: $(cat "$work/cpack.log")"
    debs=("$work"/deb/orbitane_*_*.deb)
    deb=${debs[0]}
    [ -f "$deb" ] || fail "cpack made no orbitane_<version>_<arch>.deb"
    contents=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\/usr\//, "", $6); print $6 }' | sort)
    [ "$contents" = "$installed" ] ||
        fail "the package holds other files than the install: $(diff <(echo "$contents") <(echo "$installed"))"
    depends=$(dpkg-deb -f "$deb" Depends)
    grep -q 'libsdl1\.2debian' <<<"$depends" || fail "the package does not depend on SDL 1.2: $depends"
    [ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package is not in section games"
fi
echo "install: ok"
