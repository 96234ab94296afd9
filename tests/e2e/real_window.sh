#!/usr/bin/env bash
# The real program in a real X window, driven only by keyboard and mouse through xdotool: a
# data set typed under the key filter's rules, with a menu, a message box and the About window
# opened in the middle of edits and the wheel turned over the row count, a check box toggled,
# every page visited, two predictions, "Salva col nome..." through the real file dialog,
# "Nuovo" on the last page, "Apri..." of the saved file, "Salva" again, "Stampa", and Ctrl+X.
# The saved file must equal the expected bytes (figures with the locale's separator); a
# screenshot of every page is left in the screenshot folder.
#
#   real_window.sh PROGRAM EXPECTED_FILE SCREENSHOT_FOLDER [WINDOW_MANAGER [LOCALE]]
#
# WINDOW_MANAGER is "none" (the default) or "openbox"; LOCALE defaults to C.UTF-8.
set -euo pipefail

program=$1
expected=$2
shots=$3
window_manager=${4:-none}
locale=${5:-C.UTF-8}
skip=77

tools=(Xvfb xdotool import diff)
[ "$window_manager" = none ] || tools+=("$window_manager")
for tool in "${tools[@]}"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit $skip; }
done
LC_ALL=$locale locale 2>&1 | grep -q "Cannot set" && { echo "SKIP: no locale $locale"; exit $skip; }

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

# Under a locale with the decimal comma: an Italian keyboard whose keypad types the comma, and
# figures and history saved with the comma.
keypad_separator=KP_Decimal
if [ "$(LC_ALL=$locale locale decimal_point)" = , ]; then
    setxkbmap -layout it -option kpdl:comma 2>/dev/null || true
    keypad_separator=KP_Separator
    sed '/^\[Statistics\]/,$ s/\([0-9]\)\.\([0-9]\)/\1,\2/g' "$expected" >"$work/expected.rgs"
    expected=$work/expected.rgs
fi

export HOME="$work/home" LC_ALL=$locale LANG=$locale
mkdir -p "$HOME"
if [ "$window_manager" != none ]; then
    "$window_manager" &
    pids+=($!)
    sleep 1
fi
# A copy without the help file beside it, so that F1 answers with a message box.
cp "$program" "$work/quantorelle-brindel"
"$work/quantorelle-brindel" &
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

# The size is fixed, whatever the window system lets a client ask for.
size=$(xdotool getwindowgeometry "$window" | grep Geometry)
xdotool windowsize "$window" 1000 800
sleep 0.5
[ "$(xdotool getwindowgeometry "$window" | grep Geometry)" = "$size" ] ||
    { echo "the window took another size"; exit 1; }

# A second window of the program's caption: a message box or the About window.
second_window() { xdotool search --onlyvisible --name '^Quantorelle Brindel$' | grep -vx "$window" | grep -m1 .; }
no_second_window() { ! second_window; }
# Without a window manager the focus leaves with a message box or the About window: a click on
# the page, off any control, gives it back.
give_back_focus() { click_at 400 572; sleep 0.2; }

# The tab bar's tabs, from left to right.
tab() { click_at $((95 + 100 * ($1 - 1))) 38; sleep 0.3; }

# Four rows, picked from the row-count box's list; after the choice the first X field has the
# focus. Turning the wheel over the box afterwards must not change the count.
click_at 292 99
sleep 0.4
key Down Down Return
sleep 0.3
type_text '0,5'   # the comma is the decimal separator; leaving the field writes ".5"
key Return
type_text '1'
key Return
type_text '1'
key "$keypad_separator" # the keypad's separator, whatever the layout makes it type
type_text '5'
key Return
type_text '3'
key Return
type_text '2.'    # a text not in its normal form: opening and closing a menu is no edit
click_at 20 10
sleep 0.5
key Escape
sleep 0.3
key Escape
type_text '5'
key Return
type_text '5'     # F1 finds no help file: the message box and its OK are no edit either
key F1
wait_for 10 second_window
shot message-help
key Return
wait_for 10 no_second_window
give_back_focus
type_text '.0'
key Return
type_text '3.'
click_at 45 10    # "?" > "Informazioni su..."
sleep 0.5
click_at 80 55
wait_for 10 second_window
about=$(second_window)
shot about
# Ctrl+Alt+F1 on OK reveals "Sistema...", which finds no system information here. The server
# would take the chord as a console switch: without that action it reaches the program as the
# console-switch symbol.
xkbcomp "$DISPLAY" - 2>/dev/null | sed '/SwitchScreen/d' | xkbcomp - "$DISPLAY" 2>/dev/null
key ctrl+alt+F1
key shift+Tab space
sysinfo_message() { xdotool search --onlyvisible --name '^Quantorelle$'; }
wait_for 10 sysinfo_message
shot message-sysinfo
key Return
sleep 0.3
xdotool windowfocus --sync "$about"
key Tab space     # OK gives the focus back to the field, still holding "3."
wait_for 10 no_second_window
give_back_focus
type_text '5'
key Return
type_text '8'
key Return        # back to the first X field
xdotool mousemove --window "$window" 292 99 click 4 click 4
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
diff "$expected" "$saved" || { echo "the saved file differs from the expected bytes"; exit 1; }

key ctrl+n           # Nuovo on the last page: what is typed next does not go to the hidden grid
sleep 0.3
type_text '77'
tab 1
shot after-new
key shift+F12        # "Salva" of the new analysis asks for a name
wait_for 10 file_dialog
sleep 0.3
type_text "$work/new.rgs"
key Return
wait_for 10 test -s "$work/new.rgs"
sleep 0.5
key Return
click_at 400 572
[ "$(sed -n '/^\[Data X\]/{n;p;q}' "$work/new.rgs")" = $'1=\r' ] ||
    { echo "keys typed after Nuovo reached the hidden grid"; exit 1; }

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
diff "$expected" "$saved" || { echo "the file saved after reopening differs"; exit 1; }

key ctrl+shift+F12   # Stampa: no dialog, no message
sleep 0.5
key ctrl+x
wait_for 10 bash -c "! kill -0 $program_pid"
echo "saved file as expected; screenshots in $shots"
