#!/usr/bin/env bash
# package_deb.sh SOURCE PACKAGE_BUILD SCREENSHOT_FOLDER GENERATOR APP_ID: the Debian package as
# a packager builds it, without the tests and what they need, checked with lintian and dpkg-deb
# and its program driven by desktop_session.sh. Exits 77 (skipped) without dpkg-dev or lintian.
set -euo pipefail

source=$1 build=$2 shots=$3 generator=$4 app_id=$5
for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed" && exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" && exit 1; }
# Runs a command with its output shown only when it fails.
quietly() { "$@" >"$work/log" 2>&1 || { cat "$work/log" && fail "$*"; }; }

quietly cmake -S "$source" -B "$build" -G "$generator" -DBUILD_TESTING=OFF \
    -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON \
    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_BUILD_TYPE=Release
quietly cmake --build "$build" -j2
rm -f "$build"/*.deb
quietly cpack -G DEB --config "$build/CPackConfig.cmake" -B "$build"
deb=$(echo "$build"/quantorelle-brindel_*_*.deb)
lintian --fail-on error "$deb" || fail "lintian found errors in $deb"

dpkg-deb -c "$deb" | awk '{ print $6 }' >"$work/contents"
# Patterns, one per file: the executable's folder is under the multiarch library folder.
for path in usr/bin/quantorelle-brindel "usr/lib/[^/]*/quantorelle-brindel/quantorelle-brindel" \
    "usr/share/applications/$app_id.desktop" "usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
    "usr/share/mime/packages/$app_id.xml" usr/share/man/man1/quantorelle-brindel.1.gz \
    usr/share/doc/quantorelle-brindel/{copyright,changelog.Debian.gz}; do
    grep -qx "\./$path" "$work/contents" || fail "the package lacks $path"
done
# The libraries come from dpkg-shlibdeps, the rest from the packaging's own list.
dpkg-deb -f "$deb" Depends | tr ',' '\n' | awk '{ print $1 }' >"$work/depends"
for package in libc6 libqt6widgets6 libqt6printsupport6 libqt6svg6 qt6-translations-l10n \
    fonts-liberation; do
    grep -qx "$package" "$work/depends" || fail "Depends lacks $package"
done

dpkg-deb -x "$deb" "$work/root"
# As dpkg counts: each file rounded up to a KiB, each folder and link one.
size=$(find "$work/root" -type f -printf '%s\n' -o -printf '1\n' | awk '{ k += int(($1 + 1023) / 1024) } END { print k }')
[ "$(dpkg-deb -f "$deb" Installed-Size)" = "$size" ] || fail "Installed-Size is not $size"
bash "$(dirname "$0")/desktop_session.sh" "$work/root" "$shots"
