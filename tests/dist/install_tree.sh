#!/usr/bin/env bash
# install_tree.sh BUILD SOURCE APP_ID: installs the build into a scratch root and checks what a
# desktop finds there with the desktop's own validators. Exits 77 (skipped) when one is missing
# (desktop-file-utils, appstream, shared-mime-info).
set -euo pipefail

build=$1 source=$2 app_id=$3
for tool in desktop-file-validate appstreamcli update-mime-database; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed" && exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
DESTDIR="$work/root" cmake --install "$build" --prefix /usr >/dev/null
usr=$work/root/usr share=$work/root/usr/share
failures=0
check() { "${@:2}" >"$work/log" 2>&1 || { cat "$work/log" && echo "FAIL: $1" && ((++failures)); }; }

link=$usr/bin/quantorelle-brindel
program=$(readlink -f "$link")
check "bin/quantorelle-brindel is not a link" test -L "$link"
check "the link in bin is absolute, so the tree cannot move" test "$(readlink "$link" | cut -c1)" != /
check "the link in bin leads to no executable" test -x "$program"
private=$(dirname "$program")
check "the executable is not in its own folder" test "$(basename "$private")" = quantorelle-brindel
check "the help file is not beside the executable" \
    cmp "$private/QUANTORELLEBRINDEL.HLP" "$source/dist/QUANTORELLEBRINDEL.HLP"
for file in applications/$app_id.desktop icons/hicolor/scalable/apps/$app_id.svg \
    mime/packages/$app_id.xml metainfo/$app_id.metainfo.xml; do
    check "missing share/$file" test -f "$share/$file"
done

desktop=$share/applications/$app_id.desktop
check "desktop entry invalid" desktop-file-validate "$desktop"
check "desktop entry's icon" grep -qx "Icon=$app_id" "$desktop"
check "desktop entry does not open data files" grep -q "^MimeType=.*application/x-quantorelle-rgs;" "$desktop"
check "desktop entry does not pass the file" grep -qx "Exec=quantorelle-brindel %f" "$desktop"
# The metainfo on its own and against the tree: launchable desktop entry, icon, binary.
check "metainfo invalid" appstreamcli validate-tree --no-net "$work/root"

# The file type as the desktop compiles it, without warnings: matched by name and first line.
compile_mime() { XDG_DATA_DIRS=$share update-mime-database "$share/mime" 2>&1 >/dev/null | (! grep .); }
check "file type rejected or warned about" compile_mime
check "*.rgs is not matched by name" grep -q "application/x-quantorelle-rgs:\*\.rgs" "$share/mime/globs2"
check "the first line is not matched" grep -aq "\[Program ID\]" "$share/mime/magic"
check "the file type does not say what the file is, in English and in Italian" grep -zq \
    "<comment>Linear regression data file</comment>.*>File dati di regressione lineare<" "$share/mime/application/x-quantorelle-rgs.xml"
for side in 16 24 32 48 64 128 256; do # for desktops that show no SVG
    check "no ${side}x$side PNG icon" grep -q "PNG image data, $side x $side," \
        <(file "$share/icons/hicolor/${side}x$side/apps/$app_id.png")
done
((failures == 0)) || { echo "$failures check(s) failed" && exit 1; }
echo "passed: installed tree in $usr"
