#!/usr/bin/env bash
# Test code against the rest of the code, in non-blank lines of the .cpp .h
# .sh .js .py files: tests/ and fuzz/ against everything else. The project
# keeps it between a quarter and 0.36; `--check` fails outside that range.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

files=$(bash tools/sources.sh cpp h sh js py)
count() { xargs -r cat | grep -c -v '^[[:space:]]*$' || true; }
tests=$(grep -E '^(tests|fuzz)/' <<<"$files" | count)
rest=$(grep -v -E '^(tests|fuzz)/' <<<"$files" | count)
ratio=$(awk -v t="$tests" -v r="$rest" 'BEGIN { printf "%.3f", t / r }')
echo "test code: $tests lines against $rest of the rest: $ratio (kept between 0.25 and 0.36)"
if [ "${1:-}" = --check ]; then
    awk -v t="$tests" -v r="$rest" 'BEGIN { exit !(100 * t >= 25 * r && 100 * t <= 36 * r) }' ||
        { echo "test code weighs $ratio of the rest, outside 0.25 to 0.36" >&2; exit 1; }
fi
