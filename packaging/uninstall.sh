#!/bin/sh
# Removes what `cmake --install` put down, as listed in its manifest, with
# the game's own folders. Shared folders such as bin/ or share/icons/ stay.
# The manifest cannot be trusted for every name: CMake splits a font file
# named ";.bmp" across two lines, so the data folder goes as a whole.
# Usage: uninstall.sh BUILD/install_manifest.txt
set -eu
manifest=${1:?usage: uninstall.sh install_manifest.txt}
[ -f "$manifest" ] || { echo "Nothing to uninstall: no $manifest" >&2; exit 1; }

prefix=""
while IFS= read -r path || [ -n "$path" ]; do
    case $path in
        /*/bin/orbitane) prefix=${path%/bin/orbitane} ;;
    esac
    case $path in
        /*) if [ -f "$path" ] || [ -L "$path" ]; then echo "Removing $path"; rm -f "$path"; fi ;;
    esac
done <"$manifest"

if [ -n "$prefix" ]; then
    for folder in "$prefix/share/orbitane" "$prefix/libexec/orbitane"; do
        if [ -d "$folder" ]; then echo "Removing $folder"; rm -rf "$folder"; fi
    done
fi
