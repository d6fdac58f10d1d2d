#!/usr/bin/env bash
# Installs the build under a temporary prefix, plays the installed game from elsewhere,
# checks the desktop entry, the uninstall and the Debian package. Args: BUILD_DIR CLOSE_WINDOW
build=$1 CLOSE_WINDOW=$2 RESOURCES=$1/Orbitane.app/Contents/Resources
source "$(dirname "$0")/../e2e/lib.sh"
prefix=$work/prefix GAME=$work/prefix/bin/orbitane

# The game's files, and nothing else. A component install writes a manifest of its
# own and leaves the build's install_manifest.txt to the player's install.
cmake --install "$build" --prefix "$prefix" --component game || fail "cmake --install failed"
installed=$(cd "$prefix" && find . ! -type d | cut -c3- | sort)
diff -r "$RESOURCES" "$prefix/share/orbitane" || fail "the installed data differ from the build's"
outside=$(printf '%s\n' bin/orbitane libexec/orbitane/orbitane share/applications/orbitane.desktop \
    share/icons/hicolor/{64x64,128x128}/apps/orbitane.png share/man/man6/orbitane.6.gz | sort)
[ "$(grep -v '^share/orbitane/' <<<"$installed")" = "$outside" ] || fail "installed: $installed"

# The launcher runs from anywhere, here from the test's own folder.
start_x
start_game "$work"
wait_for_window 512x512
expect_screen title images/TitleScreen.bmp 0.02
"$CLOSE_WINDOW" "$window"
expect_exit 0
! grep "Couldn't" "$work/stderr" || fail "a picture is missing"
desktop-file-validate "$prefix/share/applications/orbitane.desktop" || fail "bad desktop entry"

# Uninstalling (what the uninstall target runs) takes every file and the game's folders.
sh "$(dirname "$0")/../../packaging/uninstall.sh" "$build/install_manifest_game.txt" >/dev/null
left=$(cd "$prefix" && find . ! -type d -o -path ./share/orbitane -o -path ./libexec/orbitane)
[ -z "$left" ] || fail "left after uninstalling: $left"

# The Debian package holds the same files under /usr and needs SDL 1.2.
cpack -G DEB -B "$work/deb" --config "$build/CPackConfig.cmake" || fail "cpack failed"
deb=$(echo "$work"/deb/orbitane_*_*.deb)
packed=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print substr($6, 7) }' | sort) || fail "no $deb"
[ "$packed" = "$installed" ] || fail "the package holds other files: $packed"
dpkg-deb -f "$deb" Depends | grep -q 'libsdl1\.2debian' || fail "the package needs no SDL 1.2"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package is not in section games"
echo "install: ok"
