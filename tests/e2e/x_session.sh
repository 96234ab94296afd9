# Sourced by the end-to-end scripts: a private X server that ends with the script, and the steps
# that drive the program through xdotool. The caller sets $shots, the screenshot folder.
title="Quantorelle Brindel"
xs_work=$(mktemp -d)
xs_pids=()
xs_stop() { kill "${xs_pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$xs_work"; }
trap xs_stop EXIT
skip() { echo "SKIP: $*" && exit 77; }
fail() { tail -n 30 "$xs_work"/*.log 2>/dev/null || true; echo "FAIL: $*" >&2; exit 1; }
need() { for t; do command -v "$t" >/dev/null || skip "$t is not installed"; done; }

# Waits up to $1 seconds for the command in the remaining arguments to succeed; on a timeout,
# shows what was on the screen.
wait_for() {
    local end=$((SECONDS + $1))
    until "${@:2}" >/dev/null 2>&1; do
        ((SECONDS < end)) && sleep 0.1 && continue
        echo "timed out waiting for: ${*:2}" >&2
        for w in $(xdotool search --onlyvisible --name .); do xdotool getwindowname "$w"; done
        import -window root "$shots/timeout.png"
        return 1
    done
}

# A private X server on a free display, with the window manager $1 unless it is "none".
start_x() {
    mkdir -p "$shots"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$xs_work/display" 2>/dev/null &
    xs_pids+=($!)
    wait_for 20 test -s "$xs_work/display" || fail "Xvfb did not start"
    export DISPLAY=":$(head -n 1 "$xs_work/display")"
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY
    [ "${1:-none}" = none ] || { "$1" & xs_pids+=($!) && sleep 1; }
}

# The first visible window named $1 other than the windows listed after it.
other_window() {
    xdotool search --onlyvisible --name "^$1\$" | grep -vxF "$(printf '%s\n' "${@:2}")" |
        awk 'NR == 1 { print } END { exit NR == 0 }'
}
new_window() { wait_for 20 other_window "$@" && other_window "$@"; }
gone() { ! xdotool search --onlyvisible --name . | grep -x "$1" >/dev/null; }
key() { xdotool key --delay 30 "$@"; }
type_text() { xdotool type --delay 30 "$1"; }
# Types each text into the focused field and presses Return after it.
enter() { for t; do type_text "$t" && key Return; done; }
focus() { xdotool windowfocus --sync "$1" && sleep 0.3; }
# A file dialog: any other window; the name typed into it.
file_dialog() { xdotool search --onlyvisible --name . | grep -vxF "$window"; }
answer_dialog() { wait_for 10 file_dialog && sleep 0.3 && type_text "$1" && key Return; }
shot() { sleep 0.3 && import -window "${2:-root}" "$shots/$1.png"; }

# Starts the program (the arguments) and passes its splash with a key; $window is then the main
# window, with the keyboard.
start_program() {
    "$@" >"$xs_work/program.log" 2>&1 &
    program_pid=$! && xs_pids+=($!)
    local splash
    splash=$(new_window "$title")
    focus "$splash"; shot splash "$splash"; key space
    window=$(new_window "$title" "$splash")
    wait_for 10 gone "$splash" || fail "the splash stayed on screen"
    focus "$window"
}
