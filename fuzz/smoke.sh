#!/usr/bin/env bash
# Builds the tree with clang and the libFuzzer targets in BUILD-DIR, seeds
# them with a few of the pictures and glyphs the art generator draws and
# with the inputs under fuzz/regressions that once found a fault, and fuzzes
# each for a short while. Fails if any target crashes, leaks or asks for more
# memory than any picture needs; the input that did it is kept under
# BUILD-DIR/fuzz-crashes.
#
# A run is repeatable: the same seed and number of inputs explore the same
# inputs, so a check that passed keeps passing on the same code. Set
# FUZZ_SEED to explore elsewhere and FUZZ_RUNS to go further; FUZZ_SECONDS
# bounds the time per target whatever the count.
# Usage: bash fuzz/smoke.sh BUILD-DIR
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:?usage: bash fuzz/smoke.sh BUILD-DIR}
fuzz_seed=${FUZZ_SEED:-1}
runs=${FUZZ_RUNS:-25000}
seconds=${FUZZ_SECONDS:-90}
# The game refuses pictures beyond 2048 x 2048 pixels and files beyond
# 64 MiB; nothing it does with one needs a single allocation near this.
malloc_limit_mb=256
jobs=$(nproc 2>/dev/null || echo 2)
targets=(picture_fuzzer object_fuzzer font_fuzzer)

cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DORBITANE_FUZZ=ON \
    -DORBITANE_TESTS=OFF -DORBITANE_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j "$jobs"
build=$(cd "$build" && pwd)

# Small pictures of every kind the game has: an interface picture, sprites
# and glyphs. They are fresh from this build's generator on every run.
resources="$build/Orbitane.app/Contents/Resources"
seeds="$build/fuzz-seeds"
rm -rf "$seeds"
mkdir -p "$seeds" "$build/fuzz-crashes" "$build/fuzz-logs"
for seed in images/select1.bmp images/toggle0.bmp images/asteroid1.bmp images/Sun.bmp \
    images/Score.bmp fonts/L.bmp fonts/1.bmp fonts/_colon.bmp; do
    cp "$resources/$seed" "$seeds/${seed//\//-}"
done
cp "$here"/fuzz/regressions/* "$seeds/"

# The closing line of a run: runs, speed, coverage and corpus from its last
# status line.
summary() {
    awk '/^#[0-9]+\t(DONE|pulse|NEW|REDUCE|INITED)/ { last = $0 }
        END {
            if (!match(last, /^#[0-9]+/)) { print "no runs"; exit }
            runs = substr(last, 2, RLENGTH - 1)
            cov = last; sub(/.*cov: /, "", cov); sub(/ .*/, "", cov)
            ft = last; sub(/.*ft: /, "", ft); sub(/ .*/, "", ft)
            corp = last; sub(/.*corp: /, "", corp); sub(/ .*/, "", corp)
            speed = last; sub(/.*exec\/s: /, "", speed); sub(/ .*/, "", speed)
            printf "%s runs (%s/s), coverage %s edges %s features, corpus %s\n", runs, speed, cov, ft, corp
        }' "$1"
}

# Each run starts from the seeds alone, so that it is repeatable.
failed=0
for target in "${targets[@]}"; do
    corpus="$build/fuzz-corpus/$target"
    log="$build/fuzz-logs/$target.log"
    rm -rf "$corpus"
    mkdir -p "$corpus"
    status=0
    "$build/fuzz/$target" -seed="$fuzz_seed" -runs="$runs" -max_total_time="$seconds" \
        -rss_limit_mb=2048 -malloc_limit_mb="$malloc_limit_mb" \
        -artifact_prefix="$build/fuzz-crashes/$target-" "$corpus" "$seeds" >"$log" 2>&1 || status=$?
    if [ "$status" = 0 ]; then
        echo "$target: ok, $(summary "$log")"
    else
        failed=1
        echo "--- $target"
        grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$log" | head -20 || true
        echo "$target: FAILED with status $status, log in $log"
    fi
done
exit "$failed"
