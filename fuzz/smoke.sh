#!/usr/bin/env bash
# Builds the fuzz target with clang in BUILD-DIR and runs it repeatably (FUZZ_SEED, FUZZ_RUNS,
# FUZZ_SECONDS) from generated pictures and fuzz/regressions, each given to every mode. Fails on a
# crash, a leak or an allocation beyond any picture's, keeping the input in BUILD-DIR/fuzz-crashes.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:?usage: bash fuzz/smoke.sh BUILD-DIR}
cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DORBITANE_FUZZ=ON \
    -DORBITANE_TESTS=OFF -DORBITANE_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j 2
cd "$build" && build=$PWD
art=Orbitane.app/Contents/Resources
rm -rf fuzz-seeds fuzz-corpus fuzz-scratch && mkdir -p fuzz-seeds fuzz-corpus fuzz-crashes
cp -r "$art" fuzz-scratch
# Seventy rows of the title, larger than a picture's first read, so that the straight read
# from the file onto the display is fuzzed too.
title=$art/images/TitleScreen.bmp pixels=$(od -An -tu4 -j10 -N4 "$art/images/TitleScreen.bmp")
{ head -c 22 "$title"; printf '\x46\0\0\0'; head -c $((pixels + 70 * 1024)) "$title" | tail -c +27; } >large.bmp
for seed in "$art"/images/{select1,toggle0,asteroid1,Sun,Score}.bmp "$art"/fonts/{L,1,_colon}.bmp \
    large.bmp "$here"/fuzz/regressions/*; do
    for mode in 0 1 2; do { printf "\\$mode"; cat "$seed"; } >"fuzz-seeds/$mode-${seed##*/}"; done
done
# Repeatable: seeds alone, fixed addresses, no corpus rereads. The game's messages are dropped.
if ! (cd fuzz-scratch && setarch "$(uname -m)" -R ../fuzz/orbitane_fuzzer -seed="${FUZZ_SEED:-1}" \
    -runs="${FUZZ_RUNS:-100000}" -max_total_time="${FUZZ_SECONDS:-270}" -malloc_limit_mb=256 \
    -reload=0 -close_fd_mask=3 -artifact_prefix="$build/fuzz-crashes/" ../fuzz-corpus \
    ../fuzz-seeds) >fuzz.log 2>&1; then
    echo "fuzz: FAILED, log in $build/fuzz.log"
    grep -E 'ERROR|SUMMARY|runtime error|Test unit written' fuzz.log | head -20
    exit 1
fi
echo "fuzz: ok, $(grep -E '^#[0-9]+' fuzz.log | tail -1)"
