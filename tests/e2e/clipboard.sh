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
