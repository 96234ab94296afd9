#!/usr/bin/env bash
# Fails when a source file includes a folder that is not below its own: the core's folders in
# the order listed, the views above the whole core, main above everything.
set -euo pipefail
cd "$(dirname "$0")/../src"

layers=(core/numbers core/engine core/model core/report core/platform core/chart core/files
        core/session core/system ui app)

rank_of() {
    local i
    for i in "${!layers[@]}"; do
        [[ $1 == "${layers[$i]}" || $1 == "${layers[$i]}"/* ]] && { echo "$i"; return; }
    done
    echo -1
}

status=0
while IFS= read -r file; do
    own=$(rank_of "$file")
    while IFS= read -r included; do
        for root in core ui; do
            [ -e "$root/$included" ] || continue
            target=$(rank_of "$root/$included")
            if ((target > own)) || { ((target == own)) && [[ $root == core ]] &&
                [[ $(dirname "$file") != "$root/$(dirname "$included")" ]]; }; then
                echo "$file includes $root/$included, which is not below it" >&2
                status=1
            fi
        done
    done < <(sed -n 's/^#include "\([^"]*\/[^"]*\)"/\1/p' "$file")
done < <(find core ui app -name '*.h' -o -name '*.cpp' -o -name '*.h.in')
exit "$status"
