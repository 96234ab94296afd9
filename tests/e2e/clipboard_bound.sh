#!/usr/bin/env bash
# clipboard_bound.sh PROGRAM SCREENSHOT_FOLDER: "Incolla coppie" refuses a 50 MB clipboard without
# transferring it. The owner, xclip, logs every transfer it completes: after the refusal it has
# logged none.
set -euo pipefail

program=$1 shots=$2
source "$(dirname "$0")/x_session.sh"
need Xvfb xdotool import xclip openbox
start_x openbox
export HOME=$xs_work/home && mkdir -p "$HOME"
start_program "$program"

owner_log=$xs_work/owner.log
head -c 50000000 /dev/zero | tr '\0' 1 | xclip -verbose -selection clipboard 2>"$owner_log" &
xs_pids+=($!)
wait_until "xclip to take the clipboard" grep -q "request number 1" "$owner_log"
key ctrl+shift+v
refusal=$(wait_for_window "$title" "$window")
shot refusal
! grep -q "request number 2" "$owner_log" || fail "the whole clipboard was transferred"
focus "$refusal"; key Return
wait_gone "$refusal"
