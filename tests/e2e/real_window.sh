#!/usr/bin/env bash
# The real program in a real X window, driven only by keyboard and mouse through xdotool: a
# data set typed under the key filter's rules, a check box toggled, every page visited, two
# predictions, "Salva col nome..." through the real file dialog, "Nuovo", "Apri..." of the
# saved file, "Salva" again, "Stampa", and Ctrl+X. The saved file must equal the expected
# bytes; a screenshot of every page is left in the screenshot folder.
#
#   real_window.sh PROGRAM EXPECTED_FILE SCREENSHOT_FOLDER
set -euo pipefail

program=$1
expected=$2
shots=$3
skip=77

for tool in Xvfb xdotool import cmp; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit $skip; }
done

work=$(mktemp -d)
mkdir -p "$shots"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# Waits up to $1 seconds for the command in the remaining arguments to succeed.
wait_for() {
    local limit=$1
    shift
    local deadline=$((SECONDS + limit))
    until "$@" >/dev/null 2>&1; do
        if ((SECONDS >= deadline)); then
            echo "timed out waiting for: $*"
            import -window root "$shots/timeout.png" || true
            for w in $(xdotool search --onlyvisible --name .); do echo "window $w: $(xdotool getwindowname "$w")"; done
            return 1
        fi
        sleep 0.1
    done
}

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp &
pids+=($!)
export DISPLAY=$display
wait_for 10 xdotool getmouselocation

export HOME="$work/home" LC_ALL=C.UTF-8 LANG=C.UTF-8
mkdir -p "$HOME"
"$program" &
program_pid=$!
pids+=($program_pid)

main_window() {
    local w
    w=$(xdotool search --onlyvisible --name '^Quantorelle Brindel$' | head -1)
    [ -n "$w" ] && echo "$w"
}
wait_for 20 main_window
# The first window is the splash, of the same title: a key makes it give way at once.
splash=$(main_window)
xdotool windowfocus --sync "$splash"
sleep 0.3
import -window root "$shots/splash.png"
xdotool key space
past_splash() { [ -n "$(main_window)" ] && [ "$(main_window)" != "$splash" ]; }
wait_for 20 past_splash
sleep 0.3
window=$(main_window)
[ -n "$window" ]
xdotool windowfocus "$window"
sleep 0.3

key() { xdotool key --delay 30 "$@"; }
type_text() { xdotool type --delay 30 "$1"; }
# A point of the window, in its own coordinates.
click_at() { xdotool mousemove --window "$window" "$1" "$2" click 1; }
shot() { import -window root "$shots/$1.png"; }

# The tab bar's tabs, from left to right.
tab() { click_at $((95 + 100 * ($1 - 1))) 38; sleep 0.3; }

# Four rows, picked from the row-count box's list; after the choice the first X field has the
# focus.
click_at 292 99
sleep 0.4
key Down Down Return
sleep 0.3
type_text ',.5'   # the comma is refused, the point in an empty field gives "0."; leaving
                  # the field writes the normal form ".5"
key Return
type_text '1'
key Return
type_text '1,.5'  # refused comma again: "1.5"
key Return
type_text '3'
key Return
type_text '2.5'
key Return
type_text '5'
key Return
type_text '3.5'
key Return
type_text '8'
key Return        # back to the first X field
key shift+Tab space  # the first row's check box, unchecked
shot page-1-row-unchecked
key space            # checked again
shot page-1-data

tab 2
shot page-2-statistics
tab 3
shot page-3-chart
tab 4
type_text '1'
key Return
key BackSpace       # the field keeps the last X typed
type_text '10'
click_at 392 157     # "Calcola"
sleep 0.3
shot page-4-predictions

saved="$work/analisi.rgs"
# File > Salva col nome... by mouse, the name typed into the dialog.
click_at 20 10
sleep 0.6
shot menu-file
click_at 60 88
# The file dialog: the one visible window with a title of its own.
file_dialog() {
    local w
    for w in $(xdotool search --onlyvisible --name '.'); do
        [ "$(xdotool getwindowname "$w")" != "Quantorelle Brindel" ] && return 0
    done
    return 1
}
wait_for 10 file_dialog
sleep 0.3
shot dialog-save
type_text "$saved"
key Return
wait_for 10 test -s "$saved"
sleep 0.5
shot message-saved
key Return           # closes the confirmation
# Without a window manager the focus leaves with the message box: a click gives it back.
click_at 400 572
sleep 0.2
cmp "$saved" "$expected" || { echo "the saved file differs from the expected bytes"; exit 1; }

key ctrl+n
sleep 0.3
shot after-new

key ctrl+F12         # Apri...
wait_for 10 file_dialog
sleep 0.3
type_text "$saved"
key Return
sleep 0.5
click_at 400 572
tab 1
shot page-1-reopened
rm "$saved"
key shift+F12        # Salva: silently into the reopened file
wait_for 10 test -s "$saved"
cmp "$saved" "$expected" || { echo "the file saved after reopening differs"; exit 1; }

key ctrl+shift+F12   # Stampa: no dialog, no message
sleep 0.5
key ctrl+x
wait_for 10 bash -c "! kill -0 $program_pid"
echo "saved file as expected; screenshots in $shots"
