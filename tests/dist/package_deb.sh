#!/usr/bin/env bash
# Builds the Debian package as a packager would, from a Release build of its own with the tests
# off; checks it with lintian and dpkg-deb, unpacks it into a scratch root and goes through the
# unpacked program's windows with desktop_session.sh. Exits 77 (skipped) when a tool is missing.
#
#   package_deb.sh SOURCE PACKAGE_BUILD SCREENSHOT_FOLDER GENERATOR APP_ID
set -euo pipefail

source=$1
build=$2
shots=$3
generator=$4
app_id=$5
for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
    command -v "$tool" >/dev/null || { echo "SKIP: no $tool (dpkg-dev, lintian)"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs a command with its output shown only when it fails.
quietly() {
    "$@" >"$work/log" 2>&1 || { cat "$work/log"; echo "FAIL: $*"; exit 1; }
}
quietly cmake -S "$source" -B "$build" -G "$generator" -DQB_BUILD_TESTS=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_BUILD_TYPE=Release
quietly cmake --build "$build" -j2
rm -f "$build"/*.deb
quietly cpack -G DEB --config "$build/CPackConfig.cmake" -B "$build"
deb=$(echo "$build"/quantorelle-brindel_*_*.deb)
[ -f "$deb" ] || { echo "cpack made no package"; exit 1; }
ls -l "$deb"

lintian --fail-on error "$deb" || { echo "lintian found errors"; exit 1; }

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
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
((failures == 0)) || exit 1

dpkg-deb -x "$deb" "$work/root"
bash "$(dirname "$0")/desktop_session.sh" "$work/root" "$shots"
