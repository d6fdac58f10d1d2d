#!/usr/bin/env bash
# Test code against the rest of the code, in non-blank lines of the tracked
# .cpp .h .sh .js .py files: tests/ and fuzz/ against everything else.
# The project keeps it between 0.25 and 0.35; `--check` fails outside that.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

files=$(git ls-files | grep -E '\.(cpp|h|sh|js|py)$')
count() { xargs -r cat | grep -c -v '^[[:space:]]*$' || true; }
tests=$(grep -E '^(tests|fuzz)/' <<<"$files" | count)
rest=$(grep -v -E '^(tests|fuzz)/' <<<"$files" | count)
ratio=$(awk -v t="$tests" -v r="$rest" 'BEGIN { printf "%.3f", t / r }')
echo "test code: $tests lines against $rest of the rest: $ratio (kept between 0.25 and 0.35)"
if [ "${1:-}" = --check ]; then
    awk -v r="$ratio" 'BEGIN { exit !(r >= 0.25 && r <= 0.35) }'
fi
