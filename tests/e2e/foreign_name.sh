#!/usr/bin/env bash
# foreign_name.sh PROGRAM EXPECTED_FILE SCREENSHOT_FOLDER: a data file whose name is not UTF-8,
# given on the command line, opens; "Salva" refuses that name with a message and writes nothing,
# and "Salva col nome..." writes the same bytes under a new name.
set -euo pipefail

program=$1 expected=$2 shots=$3
source "$(dirname "$0")/x_session.sh"
need Xvfb xdotool import compare
start_x
export HOME=$xs_work/home LC_ALL=C.UTF-8 LANG=C.UTF-8 && mkdir -p "$HOME" "$xs_work/data"
latin=$xs_work/data/$'latin\xe9.rgs'
cp "$expected" "$latin"
start_program "$program" "$latin"

key shift+F12 # Salva
message=$(wait_for_window "$title" "$window")
shot refused "$message"; key Return; wait_gone "$message"
[ "$(ls "$xs_work/data")" = $'latin\xe9.rgs' ] || fail "Salva wrote another file"
cmp "$expected" "$latin" || fail "Salva changed the file"

focus "$window"
key alt+f Down Down Down Return # Salva col nome...
answer_dialog "$xs_work/copia.rgs" && wait_for_file "$xs_work/copia.rgs"
diff "$expected" "$xs_work/copia.rgs" || fail "the file saved under a new name differs"
