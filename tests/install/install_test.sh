#!/usr/bin/env bash
# Installs the build under a prefix, plays it, uninstalls it, and checks the Debian package.
build=$1 CLOSE_WINDOW=$2 RESOURCES=$1/Orbitane.app/Contents/Resources
source "$(dirname "$0")/../e2e/lib.sh"
prefix=$work/prefix GAME=$work/prefix/bin/orbitane

# The game's files and nothing else, with a manifest of the component's own.
cmake --install "$build" --prefix "$prefix" --component game || fail "cmake --install failed"
installed=$(cd "$prefix" && find . ! -type d | cut -c3- | sort)
diff -r "$RESOURCES" "$prefix/share/orbitane" || fail "the installed data differ from the build's"
outside=$(printf '%s\n' bin/orbitane libexec/orbitane/orbitane share/man/man6/orbitane.6.gz \
    share/applications/io.github.orbitane.Orbitane.desktop \
    share/metainfo/io.github.orbitane.Orbitane.metainfo.xml \
    share/icons/hicolor/{64x64,128x128}/apps/orbitane.png | sort)
[ "$(grep -v '^share/orbitane/' <<<"$installed")" = "$outside" ] || fail "installed: $installed"

# The launcher runs from anywhere, here from the test's own folder.
start_x
start_game "$work"
wait_for_window 512x512
expect_screen title images/TitleScreen.bmp 0.02
"$CLOSE_WINDOW" "$window"
expect_exit 0
! grep "Couldn't" "$work/stderr" || fail "a picture is missing"
desktop-file-validate "$prefix/share/applications/io.github.orbitane.Orbitane.desktop" ||
    fail "bad desktop entry"

# Uninstalling (what the uninstall target runs) takes every file and the game's folders.
sh "$(dirname "$0")/../../packaging/uninstall.sh" "$build/install_manifest_game.txt" >/dev/null
left=$(cd "$prefix" && find . ! -type d -o -path ./share/orbitane -o -path ./libexec/orbitane)
[ -z "$left" ] || fail "left after uninstalling: $left"

# The Debian package: the same files under /usr (the launcher in games/); libc and either SDL.
cpack -G DEB -B "$work/deb" --config "$build/CPackConfig.cmake" || fail "cpack failed"
deb=$(echo "$work"/deb/orbitane_*_*.deb)
packed=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ && $6 !~ /share\/(doc|lintian)\// {
    sub(/^\.\/usr\/(games\/)?/, "", $6); print ($6 == "orbitane" ? "bin/" : "") $6 }' | sort)
[ "$packed" = "$installed" ] || fail "the package holds other files: $packed"
depends=$(dpkg-deb -f "$deb" Depends)
for dep in 'libc6 \(' 'libsdl1\.2debian \([^,]*\| libsdl1\.2-compat-shim(,|$)'; do
    grep -Eq "$dep" <<<"$depends" || fail "Depends lacks $dep: $depends"
done
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package is not in section games"
# lintian finds nothing but the overrides, each with its reason; the AppStream data validate.
lintian --show-overrides "$deb" >"$work/lintian.log" 2>&1 && ! grep -q '^[EW]:' "$work/lintian.log" ||
    fail "lintian: $(grep -v '^N:' "$work/lintian.log")"
overrides=$(awk '/^O:/ { print (/wildcard-character|initial-upload-closes-no-bugs/ &&
    last ~ /^N: ./) ? "ok" : $0 } { last = $0 }' "$work/lintian.log" | sort -u)
[ "$overrides" = ok ] || fail "overrides unexpected or without a reason: $overrides"
appstreamcli validate --no-net "$(dirname "$0")/../../packaging/io.github.orbitane.Orbitane.metainfo.xml" ||
    fail "the AppStream metadata is not valid"
echo "install: ok"
