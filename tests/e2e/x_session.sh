# Sourced by the end-to-end scripts: a private X server that ends with the script, and the steps
# that drive the program through xdotool, each waiting for what a person would wait for (a window,
# a file, the screen's picture, the clipboard) rather than for a time. The caller sets $shots, the
# screenshot folder.
title="Quantorelle Brindel"
xs_work=$(mktemp -d)
xs_pids=()
xs_patience=90 # seconds for any one wait, generous for a busy 2-core machine
# The program keeps its recovery copies and recent files under the HOME each test gives it.
unset XDG_STATE_HOME XDG_DATA_HOME XDG_CONFIG_HOME
xs_stop() { kill "${xs_pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$xs_work"; }
trap xs_stop EXIT
skip() { echo "SKIP: $*" && exit 77; }
fail() { { tail -n 30 "$xs_work"/*.log 2>/dev/null || true; echo "FAIL: $*"; } >&2 && exit 1; }
need() { for t; do command -v "$t" >/dev/null || skip "$t is not installed"; done; }

# Waits until the command in the remaining arguments succeeds and passes on its output, or fails
# naming $1, what it waited for, with the windows on the screen and a screenshot of it.
wait_until() {
    local end=$((SECONDS + xs_patience)) output
    until output=$("${@:2}" 2>/dev/null); do
        ((SECONDS < end)) && sleep 0.1 && continue
        for w in $(xdotool search --onlyvisible --name .); do xdotool getwindowname "$w" >&2; done
        import -window root "$shots/timeout.png" || true
        fail "waited $xs_patience s for $1"
    done
    [ -z "$output" ] || echo "$output"
}

# A private X server on a free display, with the window manager $1 unless it is "none".
start_x() {
    mkdir -p "$shots"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$xs_work/display" 2>/dev/null &
    xs_pids+=($!)
    wait_until "Xvfb to start" test -s "$xs_work/display"
    export DISPLAY=":$(head -n 1 "$xs_work/display")"
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY
    [ "${1:-none}" = none ] && return
    "$1" & xs_pids+=($!)
    wait_until "$1 to manage the screen" xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null
}

# The first visible window whose name matches $1 other than the windows listed after it.
other_window() {
    xdotool search --onlyvisible --name "$1" | grep -vxF "$(printf '%s\n' "${@:2}")" |
        awk 'NR == 1 { print } END { exit NR == 0 }'
}
# The window named $1 other than those listed after it, once it shows.
wait_for_window() { wait_until "a${2:+nother} window \"$1\"" other_window "^$1\$" "${@:2}"; }
gone() { ! xdotool search --onlyvisible --name . | grep -qx "$1"; }
wait_gone() { wait_until "\"$(xdotool getwindowname "$1" 2>/dev/null)\" ($1) to close" gone "$1"; }
wait_for_file() { wait_until "$1 to be written" test -s "$1"; }
has_focus() { [ "$(xdotool getwindowfocus)" = "$1" ]; }
focus() { xdotool windowfocus --sync "$1"; }
key() { xdotool key --delay 30 "$@"; }
type_text() { xdotool type --delay 30 "$1"; }
# Types each text into the focused field and presses Return after it.
enter() { for t; do type_text "$t" && key Return; done; }
# A file dialog: any other window, once it has the keyboard; the name typed over the one shown.
answer_dialog() {
    local dialog
    dialog=$(wait_until "a file dialog" other_window . "$window") || exit # also under &&
    wait_until "the file dialog to take the keyboard" has_focus "$dialog"
    key ctrl+a && type_text "$1" && key Return && wait_gone "$dialog"
}

# The screen's pixels; two pictures differ by more than a text cursor's blink (12 pixels) and
# as much as a check mark (47).
capture() { import -window root "ppm:$xs_work/$1.ppm"; }
differ() {
    compare -metric AE "$xs_work/$1.ppm" "$xs_work/$2.ppm" null: 2>"$xs_work/pixels" || true
    awk '{ exit !($1 > 25) }' "$xs_work/pixels"
}
changed() { capture now && differ before now; }
still() { mv -f "$xs_work/now.ppm" "$xs_work/last.ppm" && capture now && ! differ last now; }
# Presses the keys and waits until the screen shows their effect.
press() { capture before && key "$@" && wait_until "the screen to change after $*" changed; }
# A screenshot of window $2 (the screen by default), once two pictures in a row agree.
shot() {
    capture now && wait_until "the screen to settle for $1.png" still
    import -window "${2:-root}" "$shots/$1.png"
}

# Starts the program (the arguments) and passes its splash (660 x 280) with a key; $window is then
# the main window, with the keyboard. The splash also leaves by itself, after a time that a busy
# machine may spend before it shows.
start_program() {
    "$@" >"$xs_work/program.log" 2>&1 &
    program_pid=$! && xs_pids+=($!)
    local splash geometry
    window=$(wait_for_window "$title")
    geometry=$(xdotool getwindowgeometry "$window" 2>&1) || true # fails once the splash is gone
    if [[ $geometry != *Geometry:* || $geometry == *660x280* ]]; then
        splash=$window
        focus "$splash" && shot splash "$splash" && key space ||
            echo "the splash left by itself" >&2
        window=$(wait_for_window "$title" "$splash")
        wait_gone "$splash"
    fi
    focus "$window"
}
