#!/usr/bin/env bash
# clipboard.sh PROGRAM SCREENSHOT_FOLDER: the real clipboard of an X session, under openbox in
# Italian: pairs copied by another program (xclip) go in with "Incolla coppie", and "Copia
# risultati" gives another program the figures as the statistics page shows them.
set -euo pipefail

program=$1 shots=$2
source "$(dirname "$0")/x_session.sh"
need Xvfb xdotool import xclip openbox
LC_ALL=it_IT.UTF-8 locale 2>&1 | grep -q "Cannot set" && skip "no locale it_IT.UTF-8"
start_x openbox
export HOME=$xs_work/home LC_ALL=it_IT.UTF-8 LANG=it_IT.UTF-8 && mkdir -p "$HOME"
start_program "$program"

# As a spreadsheet copies two columns: a header, tabs, decimal commas.
printf 'Tempo\tAltezza\n1,0\t2\n2\t3,0\n3\t5\n4\t6\n' | xclip -selection clipboard
key ctrl+shift+v
# The fields keep Ctrl+Tab, so the statistics tab is clicked.
xdotool mousemove --window "$window" 190 38 click 1
sleep 0.5 && shot statistics
key ctrl+shift+c; sleep 0.5
xclip -selection clipboard -o >"$xs_work/copied.txt"
head -n 1 "$xs_work/copied.txt" | grep -qxP 'Media di X\t2,50000' || fail "copied: $(head -c 300 "$xs_work/copied.txt")"
grep -qxP 'Coefficiente di correlazione r\t0,98994949' "$xs_work/copied.txt" || fail "r not copied"

# Points that may group thousands: the preview asks. Esc keeps the grid; the second reading
# (a decimal point) chosen with the keyboard fills it.
printf '1.234\t2.500\n3\t4\n5\t6\n' | xclip -selection clipboard
key ctrl+shift+v
preview=$(new_window "Incolla coppie")
focus "$preview"; shot preview; key Escape
wait_for 10 gone "$preview" || fail "Annulla left the preview open"
focus "$window"; key ctrl+shift+v
preview=$(new_window "Incolla coppie")
focus "$preview"; key Down; shot preview-point; key Return
wait_for 10 gone "$preview" || fail "OK left the preview open"
focus "$window"
xdotool mousemove --window "$window" 190 38 click 1
sleep 0.5 && key ctrl+shift+c; sleep 0.5
xclip -selection clipboard -o | grep -qxP 'Media di X\t3,07800' || fail "the chosen reading did not fill the grid"

# A spreadsheet's HTML alone (Gnumeric under it_IT: "1.234" and "2,5" cells) is read from its table.
xclip -selection clipboard -t text/html "$(dirname "$0")/../core/files/gnumeric_it.html"
key ctrl+shift+v
xdotool mousemove --window "$window" 190 38 click 1
sleep 0.5 && key ctrl+shift+c; sleep 0.5
xclip -selection clipboard -o | grep -qxP 'Media di X\t618,50000' || fail "the HTML table was not pasted"
