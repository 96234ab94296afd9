#!/usr/bin/env bash
# clipboard.sh PROGRAM SCREENSHOT_FOLDER: the real clipboard of an X session, under openbox in
# Italian: pairs copied by another program (xclip) go in with "Incolla coppie", and "Copia
# risultati" gives another program the figures as the statistics page shows them.
set -euo pipefail

program=$1 shots=$2
source "$(dirname "$0")/x_session.sh"
need Xvfb xdotool import compare xclip openbox
LC_ALL=it_IT.UTF-8 locale 2>&1 | grep -q "Cannot set" && skip "no locale it_IT.UTF-8"
start_x openbox
export HOME=$xs_work/home LC_ALL=it_IT.UTF-8 LANG=it_IT.UTF-8 && mkdir -p "$HOME"
start_program "$program"
offer() { xclip -selection clipboard "$@"; } # the data on its input, or a file
# The statistics page's figures as "Copia risultati" leaves them, once the program holds the
# clipboard (xclip offers no TIMESTAMP).
holds_clipboard() { [[ $(xclip -selection clipboard -o -t TARGETS) == *TIMESTAMP* ]]; }
copy_results() {
    press ctrl+Tab && shot "$1" && key ctrl+shift+c
    wait_until "the program to take the clipboard" holds_clipboard
    xclip -selection clipboard -o >"$xs_work/copied.txt"
}
# A line (among the first $3) of the copy matches $1, or the test fails saying $2.
copied() {
    grep -qxP "$1" <(head -n "${3:-50}" "$xs_work/copied.txt") ||
        fail "$2: $(head -c 300 "$xs_work/copied.txt")"
}

# As a spreadsheet copies two columns: a header, tabs, decimal commas.
printf 'Tempo\tAltezza\n1,0\t2\n2\t3,0\n3\t5\n4\t6\n' | offer
key ctrl+shift+v && copy_results statistics
copied 'Media di X\t2,50000' "not the figures first" 1
copied 'Coefficiente di correlazione r\t0,98994949' "r not copied"

# Points that may group thousands: the preview asks. Esc keeps the grid; the second reading
# (a decimal point) chosen with the keyboard fills it.
printf '1.234\t2.500\n3\t4\n5\t6\n' | offer
key ctrl+shift+v
preview=$(wait_for_window "Incolla coppie")
focus "$preview" && shot preview && key Escape && wait_gone "$preview"
focus "$window" && key ctrl+shift+v
preview=$(wait_for_window "Incolla coppie")
focus "$preview" && press Down && shot preview-point && key Return && wait_gone "$preview"
focus "$window" && copy_results statistics-point
copied 'Media di X\t3,07800' "the chosen reading did not fill the grid"

# A spreadsheet's HTML alone (Gnumeric under it_IT: "1.234" and "2,5" cells) is read from its table.
offer -t text/html "$(dirname "$0")/../core/files/gnumeric_it.html"
key ctrl+shift+v && copy_results statistics-html
copied 'Media di X\t618,50000' "the HTML table was not pasted"
