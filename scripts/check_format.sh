#!/usr/bin/env bash
# Fails on a C++ file that clang-format, with the repository's .clang-format, would change, and
# names each such file; "clang-format -i FILE" fixes it.
set -euo pipefail
cd "$(dirname "$0")/.."

unformatted=0
while IFS= read -r -d '' file; do
    if ! clang-format --dry-run --Werror "$file" 2>/dev/null; then
        echo "not formatted: $file"
        unformatted=$((unformatted + 1))
    fi
done < <(find src tests fuzz bench \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
((unformatted == 0)) || { echo "$unformatted file(s) not formatted as .clang-format says"; exit 1; }
