#!/usr/bin/env bash
# Installs the build into a scratch root (or takes a root that already holds the program, such as
# an unpacked package), starts the installed link under a virtual X server
# and goes through it as a person would: the splash, a key, the main window with two rows
# typed, F1 for the help, "Informazioni su..." from the menu and OK. Each window is captured as
# a PNG into the screenshot folder. Exits 77 (skipped) when the X tools are missing.
set -euo pipefail

root=$1
shots=$2
for tool in Xvfb xdotool import; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (packages xvfb, xdotool, imagemagick)"
        exit 77
    fi
done

work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Polls until a command succeeds, for at most $1 tenths of a second.
poll() {
    local tenths=$1
    shift
    for ((i = 0; i < tenths; i++)); do
        if "$@" >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# The visible windows of that title, one id a line.
windows_named() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true
}

# Waits for a visible window of that title other than those listed, and prints its id.
new_window_named() {
    local title=$1
    shift
    for ((i = 0; i < 100; i++)); do
        for id in $(windows_named "$title"); do
            if [[ " $* " != *" $id "* ]]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.1
    done
    echo "no window '$title' appeared" >&2
    return 1
}

gone() {
    ! windows_named "$1" | grep -qx "$2"
}

# Gives a window the keyboard, and the toolkit time to take it before keys arrive.
focus() {
    xdotool windowfocus --sync "$1"
    sleep 0.3
}

capture() {
    sleep 0.5 # let the window finish painting
    import -window "$1" "$shots/$2.png"
    echo "screenshot: $shots/$2.png"
}

if [ -f "$root/CMakeCache.txt" ]; then
    DESTDIR="$work/root" cmake --install "$root" --prefix /usr >/dev/null
    root="$work/root"
fi
program="$root/usr/bin/quantorelle-brindel"
mkdir -p "$shots"
rm -f "$shots"/*.png

# The server picks a free display and writes its number.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
poll 100 test -s "$work/display" || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

"$program" >"$work/program.log" 2>&1 &
app_pid=$!

splash=$(new_window_named "Quantorelle Brindel")
capture "$splash" 1-splash

# A key on the splash, then the main window with two pairs typed through the grid.
focus "$splash"
xdotool key space
main=$(new_window_named "Quantorelle Brindel" "$splash")
poll 50 gone "Quantorelle Brindel" "$splash" || { echo "the splash stayed on screen"; exit 1; }
focus "$main"
for keys in 1 2 3 5; do
    xdotool type --delay 50 "$keys"
    xdotool key Return
done
capture "$main" 2-main

# F1: the installed program must find the help file beside its real executable.
xdotool key F1
help=$(new_window_named "Guida di Quantorelle Brindel") || {
    echo "the installed program did not show its help file"
    cat "$work/program.log"
    exit 1
}
capture "$help" 3-help
xdotool windowunmap "$help"

# "Informazioni su..." through the menu bar: File, then across to "?", down to its second entry.
focus "$main"
xdotool key alt+f
sleep 0.3
xdotool key Right Down Return
about=$(new_window_named "Quantorelle Brindel" "$splash" "$main")
capture "$about" 4-about
import -window root "$shots/5-screen-with-about.png"
echo "screenshot: $shots/5-screen-with-about.png"

focus "$about"
xdotool key space
poll 50 gone "Quantorelle Brindel" "$about" || { echo "OK did not close the About window"; exit 1; }
echo "passed: splash, main window, help and About window of the installed program"
