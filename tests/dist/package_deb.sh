#!/usr/bin/env bash
# package_deb.sh PACKAGE_BUILD NAME SCREENSHOT_FOLDER APP_ID: the Debian package NAME_ARCH.deb
# that the build made as a packager makes it, checked with lintian and dpkg-deb and its program
# driven by desktop_session.sh. Exits 77 (skipped) without lintian.
set -euo pipefail

build=$1 name=$2 shots=$3 app_id=$4
command -v lintian >/dev/null || { echo "SKIP: lintian is not installed" && exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" && exit 1; }

deb=$(echo "$build/${name}_"*.deb)
[ -f "$deb" ] || fail "the build made no package $build/${name}_*.deb"
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
