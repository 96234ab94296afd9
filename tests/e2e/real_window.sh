#!/usr/bin/env bash
# real_window.sh PROGRAM EXPECTED_FILE SCREENSHOT_FOLDER [WINDOW_MANAGER [LOCALE]]: the real
# program under Xvfb, driven through xdotool: rows typed under the key filter's rules with a menu,
# a message box and the About window opened mid-edit, the wheel over the row count, every page,
# two predictions, saving through the file dialog, "Nuovo", "Apri...", "Salva", "Stampa" and
# Ctrl+X. The saved file must equal the expected bytes (figures with the locale's separator).
set -euo pipefail

program=$1 expected=$2 shots=$3 window_manager=${4:-none} locale=${5:-C.UTF-8}
source "$(dirname "$0")/x_session.sh"
need Xvfb xdotool import compare setxkbmap xkbcomp $([ "$window_manager" = none ] || echo "$window_manager")
LC_ALL=$locale locale 2>&1 | grep -q "Cannot set" && skip "no locale $locale"
start_x "$window_manager"

# Under a locale with the decimal comma: an Italian keyboard whose keypad types the comma, and
# figures and history saved with the comma.
keypad_separator=KP_Decimal
if [ "$(LC_ALL=$locale locale decimal_point)" = , ]; then
    setxkbmap -layout it -option kpdl:comma
    keypad_separator=KP_Separator
    sed '/^\[Statistics\]/,$ s/\([0-9]\)\.\([0-9]\)/\1,\2/g' "$expected" >"$xs_work/expected.rgs"
    expected=$xs_work/expected.rgs
fi
export HOME=$xs_work/home LC_ALL=$locale LANG=$locale
mkdir -p "$HOME"
# A copy without the help file beside it, so that F1 answers with a message box.
cp "$program" "$xs_work/quantorelle-brindel"
start_program "$xs_work/quantorelle-brindel"

# Asked for another size, the window keeps its own (checked once the program answers F1).
size=$(xdotool getwindowgeometry "$window" | grep Geometry)
xdotool windowsize "$window" 1000 800

# A message box or the About window is a second window of the program's caption. Without a window
# manager the keyboard leaves with it; given back, it returns to the field that had it.
second_window() { wait_for_window "$title" "$window"; }
close_with() { key "${@:2}" && wait_gone "$1" && focus "$window"; }
saved=$xs_work/analisi.rgs

# Four rows, picked from the list of the row-count box, before the first row's check box and X
# field; the first X field then has the focus again.
key shift+Tab shift+Tab alt+Down Down Down Return
enter 0,5 1 # the comma types the decimal point; leaving the field writes ".5"
type_text 1
key "$keypad_separator" # the keypad's separator, whatever the layout makes it type
enter 5 3
type_text 2. # a text not in its normal form: opening and closing a menu is no edit
press alt+f; shot menu-file; key Escape Escape
enter 5
type_text 5 # F1 finds no help file: the message box and its OK are no edit either
key F1
message=$(second_window)
[ "$(xdotool getwindowgeometry "$window" | grep Geometry)" = "$size" ] || fail "the window resized"
shot message-help; close_with "$message" Return
enter .0
type_text 3.
key alt+f Right Right Down Return # "?" > "Informazioni su...", past "Modifica"
about=$(second_window)
shot about
# Ctrl+Alt+F1 on OK reveals "Sistema...", which finds no system information here. The server
# would take the chord as a console switch: without that action it reaches the program.
xkbcomp "$DISPLAY" - 2>/dev/null | sed '/SwitchScreen/d' | xkbcomp - "$DISPLAY" 2>/dev/null
key ctrl+alt+F1 shift+Tab space
message=$(wait_for_window Quantorelle)
shot message-sysinfo; key Return; wait_gone "$message"; focus "$about"
close_with "$about" Tab space # OK gives the focus back to the field, still holding "3."
enter 5 8 # then back to the first X field
# The wheel over the row count, which has not the focus, changes nothing.
xdotool mousemove --window "$window" 292 99 click 4 click 4
press shift+Tab space; shot page-1-row-unchecked # the first row's check box, unchecked
press space; shot page-1-data # checked again

press ctrl+Tab; shot page-2-statistics
press ctrl+Tab; shot page-3-chart
key ctrl+Tab
enter 1
key BackSpace # the field keeps the last X typed
type_text 10; press Return; shot page-4-predictions
press ctrl+Tab; shot page-5-uncertainty

key alt+f Down Down Down Return # File > Salva col nome...
answer_dialog "$saved" && wait_for_file "$saved"
message=$(second_window)
shot message-saved; close_with "$message" Return
diff "$expected" "$saved" || fail "the saved file differs from the expected bytes"

key ctrl+n # Nuovo on the last page: what is typed next does not go to the hidden grid
type_text 77
press ctrl+Tab; shot after-new # round to the first page
key shift+F12 # "Salva" of the new analysis asks for a name
answer_dialog "$xs_work/new.rgs" && wait_for_file "$xs_work/new.rgs"
message=$(second_window)
close_with "$message" Return
[ "$(sed -n '/^\[Data X\]/{n;p;q}' "$xs_work/new.rgs")" = $'1=\r' ] ||
    fail "keys typed after Nuovo reached the hidden grid"

key ctrl+F12 # Apri...
answer_dialog "$saved" && focus "$window"; shot page-1-reopened
rm "$saved"
key shift+F12 # Salva: silently into the reopened file
wait_for_file "$saved"
diff "$expected" "$saved" || fail "the file saved after reopening differs"

# Stampa shows no dialog and no message, which would keep Esci (Ctrl+X) from ending the program.
key ctrl+shift+F12 ctrl+x
ended() { ! kill -0 "$program_pid"; }
wait_until "Esci to end the program" ended
echo "saved file as expected; screenshots in $shots"
