#!/usr/bin/env bash
# Installs the build into a scratch root and checks what a desktop finds there: the executable
# and its help file in their private folder, the link in bin, the desktop entry, icon, file type
# and metainfo, each accepted by the desktop's own validators.
set -euo pipefail

build=$1
source=$2
app_id=$3
for tool in desktop-file-validate appstreamcli update-mime-database; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (packages desktop-file-utils, appstream, shared-mime-info)"
        exit 77
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root="$work/root"
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
usr="$root/usr"
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
expect_file() {
    [ -f "$usr/$1" ] || fail "missing $1"
}

link="$usr/bin/quantorelle-brindel"
[ -L "$link" ] || fail "bin/quantorelle-brindel is not a link"
case $(readlink "$link") in
/*) fail "the link in bin is absolute, so the tree cannot move: $(readlink "$link")" ;;
esac
program=$(readlink -f "$link")
[ -x "$program" ] || fail "the link in bin leads to no executable"
private=$(dirname "$program")
[ "$(basename "$private")" = quantorelle-brindel ] || fail "the executable is not in its own folder"
cmp -s "$private/QUANTORELLEBRINDEL.HLP" "$source/dist/QUANTORELLEBRINDEL.HLP" ||
    fail "the help file is not beside the executable"

expect_file "share/applications/$app_id.desktop"
expect_file "share/icons/hicolor/scalable/apps/$app_id.svg"
expect_file "share/mime/packages/$app_id.xml"
expect_file "share/metainfo/$app_id.metainfo.xml"

desktop-file-validate "$usr/share/applications/$app_id.desktop" || fail "desktop entry invalid"
grep -qx "Icon=$app_id" "$usr/share/applications/$app_id.desktop" || fail "desktop entry's icon"
grep -q "^MimeType=.*application/x-quantorelle-rgs;" "$usr/share/applications/$app_id.desktop" ||
    fail "desktop entry does not open data files"
grep -q "^Exec=quantorelle-brindel %f$" "$usr/share/applications/$app_id.desktop" ||
    fail "desktop entry does not pass the file"

# The metainfo on its own and against the tree: launchable desktop entry, icon, binary.
appstreamcli validate-tree --no-net "$root" || fail "metainfo invalid"

# The file type as the desktop compiles it: matched by name and by the first line.
XDG_DATA_DIRS="$usr/share" update-mime-database "$usr/share/mime" 2>"$work/mime.log" || fail "file type rejected"
if [ -s "$work/mime.log" ]; then
    cat "$work/mime.log"
    fail "file type warnings"
fi
grep -q "application/x-quantorelle-rgs:\*\.rgs" "$usr/share/mime/globs2" ||
    fail "*.rgs is not matched by name"
grep -aq "\[Program ID\]" "$usr/share/mime/magic" || fail "the first line is not matched"
grep -q "File dati" "$usr/share/mime/application/x-quantorelle-rgs.xml" ||
    fail "the file type is not described as 'File dati'"

if ((failures)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "passed: installed tree in $usr"
