#!/usr/bin/env bash
# Checks the layers. Configuring the project fails on a core library that links what its line in
# src/core/CMakeLists.txt does not let it use; then every include is checked against the same
# lines: no relative paths; a core file includes its own folder, the core libraries its folder
# may use and of Qt only Qt Core; the views include no part of main.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(mktemp -d)
trap 'rm -rf "$build"' EXIT

if ! cmake -S "$root" -B "$build" -G Ninja -DBUILD_TESTING=OFF -DQB_BUILD_BENCHMARKS=OFF \
    >"$build/configure.log" 2>&1; then
    sed -n '/^CMake Error/,/^$/p' "$build/configure.log" >&2
    echo "the configure failed: see the errors above" >&2
    exit 1
fi
declare -A uses # folder -> the core libraries it may use, space-separated
while read -r folder reach; do
    uses[$folder]=" $reach "
done <"$build/core-layers.txt"

cd "$root/src"
status=0
fail() {
    echo "$*" >&2
    status=1
}

# One include: the file's path, its line, the include's brackets and what it names.
check() {
    local file=$1 line=$2 bracket=$3 name=$4 where="$1:$2"
    if [[ $bracket == '"' && ( $name == /* || /$name/ == */./* || /$name/ == */../* ) ]]; then
        fail "$where: \"$name\" is a relative path; name it from src/core or src/ui"
        return
    fi
    case $file in
    core/*)
        local folder=${file#core/}
        folder=${folder%%/*}
        if [[ -z ${uses[$folder]+set} ]]; then
            fail "$where: core/$folder has no qb_core_folder line in src/core/CMakeLists.txt"
        elif [[ $bracket == '<' ]]; then
            if [[ /$name =~ /Qt([A-Za-z]+)/ && ${BASH_REMATCH[1]} != Core ]]; then
                fail "$where: <$name> is from Qt ${BASH_REMATCH[1]}; the core uses Qt Core only"
            fi
        elif [[ $name != */* ]]; then
            [[ -e $(dirname "$file")/$name ]] ||
                fail "$where: \"$name\" is not in core/$folder; name it with its folder"
        elif [[ ! -e core/$name ]]; then
            fail "$where: \"$name\" is no core file; the core includes nothing above it"
        elif [[ ${name%%/*} != "$folder" && ${uses[$folder]} != *" ${name%%/*} "* ]]; then
            fail "$where: \"$name\" is in core/${name%%/*}, which core/$folder may not use" \
                "(it may use:${uses[$folder]% })"
        fi
        ;;
    ui/*)
        [[ $name != app/* ]] || fail "$where: \"$name\" is part of main, above the views"
        ;;
    esac
}

while IFS= read -r hit; do
    file=${hit%%:*}
    rest=${hit#*:}
    line=${rest%%:*}
    if [[ ${rest#*:} =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*([\"\<])([^\">]+) ]]; then
        check "$file" "$line" "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}"
    fi
done < <(find core ui app \( -name '*.h' -o -name '*.cpp' -o -name '*.h.in' \) -print0 |
    xargs -0 grep -nE '^[[:space:]]*#[[:space:]]*include' /dev/null)
exit "$status"
