#!/usr/bin/env bash
# recovery.sh PROGRAM SCREENSHOT_FOLDER: under openbox in Italian, work typed and never saved
# survives a SIGKILL and a close, comes back on "Sì" and saves as typed; "No" removes it. With
# the recovery folder on a full file system, typing goes on and the work still saves.
set -euo pipefail

program=$1 shots=$2
source "$(dirname "$0")/x_session.sh"
need Xvfb xdotool import compare openbox
LC_ALL=it_IT.UTF-8 locale 2>&1 | grep -q "Cannot set" && skip "no locale it_IT.UTF-8"
start_x openbox
export HOME=$xs_work/home LC_ALL=it_IT.UTF-8 LANG=it_IT.UTF-8
state=$HOME/.local/state/quantorelle-brindel
mkdir -p "$state"

copy() { ls "$state"/*-*[0-9].rgs 2>/dev/null | head -n 1; }
copy_holds() { local c && c=$(copy) && grep -q "$1" "$c"; }
# The question comes with the main window: it is the active one of the two.
answer_question() {
    wait_until "the question" sh -c "xdotool search --onlyvisible --name '^$title\$' | wc -l |
        grep -qx 2"
    local box && box=$(xdotool getactivewindow)
    [ "$box" != "$window" ] || window=$(other_window "^$title\$" "$box")
    shot "$2" && key "$1" && wait_gone "$box" && focus "$window"
}
save_as() {
    key alt+f Down Down Down Return && answer_dialog "$1" && wait_for_file "$1"
    local message && message=$(wait_for_window "$title" "$window")
    key Return && wait_gone "$message" && focus "$window"
}
ended() { ! kill -0 "$program_pid" 2>/dev/null; }

# Three rows typed and a prediction made, then the program killed once the copy holds it.
start_program "$program"
key shift+Tab shift+Tab alt+Down Down Return
enter 1 2 3 5 4 7,5
key ctrl+Tab ctrl+Tab ctrl+Tab && enter 10
wait_until "the copy to hold the prediction" copy_holds '^Items=1'
kept=$(copy) && kill -KILL "$program_pid" && wait_until "the kill" ended
sed '/^\[Recovery\]/,$d' "$kept" | head -c -2 >"$xs_work/typed.rgs"
grep -q $'^3=4\r$' "$xs_work/typed.rgs" && grep -q $'^3=7.5\r$' "$xs_work/typed.rgs" ||
    fail "the copy does not hold the rows typed"

# Sì: the work comes back unsaved; closed without saving, it is offered again.
start_program "$program"
answer_question Return recovery-question
shot restored
[ "$(copy)" ] || fail "the restored work has no copy of its own"
key ctrl+x && wait_until "Esci to end the program" ended
start_program "$program"
answer_question Return recovery-question-again
save_as "$xs_work/restored.rgs"
diff "$xs_work/typed.rgs" "$xs_work/restored.rgs" || fail "the restored work saves otherwise"
wait_until "the saved work's copy to go" sh -c "! ls '$state'/*.rgs"

# No: the copy goes.
key ctrl+n && enter 6
wait_until "a copy of the new work" copy
key ctrl+x && wait_until "Esci to end the program" ended
start_program "$program"
answer_question Escape recovery-declined
[ -z "$(copy)" ] || fail "the declined copy is still there"
key ctrl+x && wait_until "Esci to end the program" ended

# A full file system under the copies: the keys still reach the fields and the work saves.
if [ "$(id -u)" = 0 ] && mount -t tmpfs -o size=64k tmpfs "$state" 2>/dev/null; then
    trap 'umount -l "$state"; xs_stop' EXIT
    head -c 1M /dev/zero >"$state/filler" 2>/dev/null || true
    start_program "$program"
    key shift+Tab shift+Tab alt+Down Down Return
    enter 1 2 3 5 4 7,5
    sleep 3 # past the copy's delay: a failed write must not disturb what follows
    enter 8
    save_as "$xs_work/full.rgs"
    grep -q $'^1=8\r$' "$xs_work/full.rgs" && grep -q $'^3=7.5\r$' "$xs_work/full.rgs" ||
        fail "typing onto a full file system lost keys"
fi
echo "recovered as typed; screenshots in $shots"
