#!/usr/bin/env bash
# Installs what the project needs on Debian 12 (only what is missing), builds it, then starts
# the program ("run") or runs the whole test suite ("test"), then the same suite under
# sanitizers and the fuzzers.
set -euo pipefail

mode=${1:-run}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-svg-dev qt6-translations-l10n fonts-liberation
    desktop-file-utils appstream shared-mime-info imagemagick dpkg-dev file lintian
    libgtest-dev libbenchmark-dev libgmp-dev
    clang libclang-rt-14-dev
    cups printer-driver-cups-pdf poppler-utils xvfb xdotool openbox x11-xkb-utils locales
    libxcb1-dev
)

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

# The end-to-end tests run the program in Italian too.
if ! locale -a 2>/dev/null | grep -qx 'it_IT.utf8'; then
    $sudo localedef -i it_IT -f UTF-8 it_IT.UTF-8
fi

werror=OFF
[ "${CI:-}" = true ] && werror=ON
cmake -S "$root" -B "$build" -G Ninja -DQB_WARNINGS_AS_ERRORS="$werror" >/dev/null
cmake --build "$build"

case "$mode" in
run)
    exec "$build/quantorelle-brindel"
    ;;
test)
    bash "$root/scripts/check_layers.sh"
    (cd "$build" && ctest --output-on-failure)
    exec bash "$root/scripts/sanitize.sh"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
