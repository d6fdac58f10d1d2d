#!/usr/bin/env bash
# Lists the project's own source files with the given extensions, relative to
# its top folder, in a git checkout or in sources unpacked from a release
# tarball alike: every file but those in build folders, installed npm modules
# and hidden folders. Usage: bash tools/sources.sh cpp h
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

names=()
for extension in "$@"; do names+=(${names[@]:+-o} -name "*.$extension"); done
find . -mindepth 1 -type d \( -name 'build*' -o -name node_modules -o -name '.*' \) -prune -o \
    -type f \( "${names[@]}" \) -print | sed 's|^\./||' | LC_ALL=C sort
