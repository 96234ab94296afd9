#!/usr/bin/env bash
# desktop_session.sh ROOT SCREENSHOT_FOLDER: the program installed in ROOT (a build tree is
# installed into a scratch root first) as a person meets it under Xvfb: the splash, two rows
# typed, F1's help found beside the real executable, the About window; a screenshot of each.
set -euo pipefail

root=$1 shots=$2
source "$(dirname "$0")/../e2e/x_session.sh"
need Xvfb xdotool import compare xprop
if [ -f "$root/CMakeCache.txt" ]; then
    DESTDIR="$xs_work/root" cmake --install "$root" --prefix /usr >/dev/null
    root=$xs_work/root
fi
mkdir -p "$shots" && rm -f "$shots"/*.png
export HOME=$xs_work/home && mkdir -p "$HOME" # the rows typed leave a recovery copy there
start_x
start_program "$root/usr/bin/quantorelle-brindel"
class=$(sed -n 's/^StartupWMClass=//p' "$root"/usr/share/applications/*.desktop) # for taskbars
xprop -id "$window" WM_CLASS | grep -q ", \"$class\"$" || fail "WM_CLASS is not \"$class\""
enter 1 2 3 5
shot main "$window"

key F1
help=$(wait_for_window "Guida di $title")
shot help "$help"
xdotool windowunmap "$help"

# File, then across "Modifica" to "?", down to its second entry.
focus "$window"
key alt+f Right Right Down Return
about=$(wait_for_window "$title" "$window")
shot about "$about"; shot screen-with-about
focus "$about" && key space && wait_gone "$about" # OK
echo "passed: splash, main window, help and About window in $shots"
