#!/usr/bin/env bash
# Installs what the project needs on Debian 12 (only what is missing), builds it, then starts
# the program ("run": only what building and running it needs) or checks the formatting and runs
# the whole test suite, then the same suite under sanitizers and the fuzzers ("test").
set -euo pipefail

mode=${1:-run}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

packages=(
    cmake ninja-build g++ pkg-config libgmp-dev libflint-arb-dev libxcb1-dev libglib2.0-dev
    qt6-base-dev qt6-svg-dev qt6-translations-l10n fonts-liberation
)
options=(-DBUILD_TESTING=OFF -DQB_BUILD_BENCHMARKS=OFF)
case "$mode" in
run) ;;
test)
    packages+=(
        libgtest-dev libbenchmark-dev clang libclang-rt-14-dev clang-format
        desktop-file-utils appstream shared-mime-info imagemagick dpkg-dev file lintian
        cups printer-driver-cups-pdf poppler-utils xvfb xdotool xclip openbox x11-xkb-utils x11-utils
        locales
    )
    options=(-DBUILD_TESTING=ON -DQB_BUILD_BENCHMARKS=ON)
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
if ((${#missing[@]})); then
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if [ "$mode" = run ]; then
    cmake -S "$root" -B "$build" -G Ninja "${options[@]}" >/dev/null
    cmake --build "$build"
    exec "$build/quantorelle-brindel"
fi

# The end-to-end tests run the program in Italian too.
if ! locale -a 2>/dev/null | grep -qx 'it_IT.utf8'; then
    $sudo localedef -i it_IT -f UTF-8 it_IT.UTF-8
fi
bash "$root/scripts/check_format.sh"
bash "$root/scripts/check_layers.sh"
werror=OFF
[ "${CI:-}" = true ] && werror=ON
cmake -S "$root" -B "$build" -G Ninja "${options[@]}" -DQB_WARNINGS_AS_ERRORS="$werror" >/dev/null
cmake --build "$build"
(cd "$build" && ctest --output-on-failure)
exec bash "$root/scripts/sanitize.sh"
