#!/usr/bin/env bash
# "Stampa" in the real program, end to end: a private CUPS server whose default printer is a
# cups-pdf virtual printer, the program in a real X window, the shortcut typed through XTEST,
# and the PDF that comes out of the printer read back. Exits 77 (skipped) where this cannot be
# set up: not root, or a package missing.
set -u

program=${1:?usage: print_e2e.sh PROGRAM}
title="Quantorelle Brindel"

skip() {
    echo "SKIPPED: $*"
    exit 77
}
fail() {
    echo "FAILED: $*"
    dump_logs
    exit 1
}

[ "$(id -u)" -eq 0 ] || skip "needs root: cupsd runs the cups-pdf backend as root"
packages="cups, printer-driver-cups-pdf, xvfb, xdotool, poppler-utils"
for tool in cupsd lpadmin lpstat Xvfb xdotool pdftotext pdfinfo pdffonts getent; do
    command -v "$tool" >/dev/null || skip "$tool not found (packages $packages)"
done
backend=/usr/lib/cups/backend/cups-pdf
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -x "$backend" ] && [ -r "$ppd" ] || skip "cups-pdf not installed (packages $packages)"
[ -x "$program" ] || fail "program $program not found"

work=$(mktemp -d)
chmod 755 "$work" # the filters run as lp and need to reach the spool
pids=()
output=""
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null
    done
    wait 2>/dev/null
    [ -n "$output" ] && new_documents | xargs -r rm -f
    rm -rf "$work"
}
trap cleanup EXIT

dump_logs() {
    for log in "$work"/log/error_log "$work"/program.log; do
        [ -f "$log" ] && { echo "--- $(basename "$log")"; tail -n 30 "$log"; }
    done
}

# Polls a command every 0.2 s for at most $1 seconds.
wait_for() {
    local limit=$(($1 * 5))
    shift
    for ((i = 0; i < limit; i++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.2
    done
    return 1
}

start_cups() {
    mkdir -p "$work"/etc/ppd "$work"/spool/tmp "$work"/cache "$work"/state "$work"/log
    cat >"$work/etc/cupsd.conf" <<CONF
Listen $work/cups.sock
LogLevel info
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF
    cat >"$work/etc/cups-files.conf" <<CONF
ServerRoot $work/etc
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
Printcap $work/printcap
User lp
Group lp
SystemGroup root
Sandboxing Relaxed
CONF
    cupsd -f -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" \
        >"$work/log/cupsd.out" 2>&1 &
    pids+=($!)
    export CUPS_SERVER="$work/cups.sock"
    wait_for 20 scheduler_running ||
        skip "cupsd could not be started: $(cat "$work/log/cupsd.out")"
    # pdftocairo keeps the text of the document readable through the PostScript stage that
    # cups-pdf takes (Ghostscript's default renderer turns the glyphs into Type 3 pictures).
    lpadmin -p QuantorelleTest -E -v cups-pdf:/ -P "$ppd" -o pdftops-renderer-default=pdftocairo \
        2>/dev/null && lpadmin -d QuantorelleTest || fail "the cups-pdf printer could not be set up"
}
scheduler_running() { lpstat -r | grep -q "is running"; }

# Where cups-pdf puts the documents of the user printing: its Out setting, ${HOME}/PDF unless
# configured otherwise, with HOME read from the password database as the backend does.
output_directory() {
    local home out
    home=$(getent passwd "$(id -un)" | cut -d: -f6)
    out=$(sed -n 's/^[[:space:]]*Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null |
        tail -n 1)
    out=${out:-'${HOME}/PDF'}
    echo "${out//'${HOME}'/$home}"
}

start_display() {
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        3>"$work/display" 2>"$work/log/xvfb.out" &
    pids+=($!)
    wait_for 20 test -s "$work/display" || skip "Xvfb could not be started"
    export DISPLAY=":$(head -n 1 "$work/display")"
}

start_program() {
    mkdir -p "$work/home"
    # An empty home: no lpoptions of the user override the server's default printer.
    env -u PRINTER -u LPDEST HOME="$work/home" QT_QPA_PLATFORM=xcb "$program" \
        >"$work/program.log" 2>&1 &
    pids+=($!)
}

main_window() { xdotool search --onlyvisible --name "^$title\$" | head -n 1; }
main_window_shown() { [ -n "$(main_window)" ]; }
new_documents() { find "$output" -maxdepth 1 -name '*.pdf' -newer "$work/start" 2>/dev/null; }
# The job has left the queue and the document reads as a PDF.
document_complete() {
    [ -z "$(lpstat -o)" ] || return 1
    local doc
    doc=$(new_documents | head -n 1)
    [ -n "$doc" ] && pdfinfo "$doc"
}

# Ctrl+Shift+F12 through XTEST into the focused main window. The splash window bears the same
# title and gives way to the main window by itself within three seconds, so the keys wait for
# it to go; should a key still land on the splash (which closes it), the shortcut is repeated.
press_stampa() {
    wait_for 30 main_window_shown || fail "no visible window titled \"$title\""
    sleep 5
    for attempt in 1 2 3; do
        local window
        wait_for 30 main_window_shown || fail "no visible window titled \"$title\""
        window=$(main_window)
        timeout 10 xdotool windowfocus --sync "$window" || fail "the main window took no focus"
        xdotool key --clearmodifiers ctrl+shift+F12
        wait_for 20 document_complete && return 0
        echo "no document after attempt $attempt"
    done
    fail "no PDF from the printer in $output"
}

check_document() {
    local doc=$1 text
    pdfinfo "$doc" | grep -Eq '^Page size:.*\(A4\)' ||
        fail "not A4: $(pdfinfo "$doc" | grep 'Page size')"
    local fonts
    fonts=$(pdffonts "$doc")
    grep -q 'LiberationSans-Bold ' <<<"$fonts" && grep -q 'LiberationSans ' <<<"$fonts" ||
        fail "Liberation Sans not embedded: $fonts"
    text=$(pdftotext -layout "$doc" -)
    echo "$text"
    local previous=0 line
    for heading in "ANALISI STATISTICA" "1. DATI INSERITI (X / Y)"; do
        line=$(grep -nF "$heading" <<<"$text" | head -n 1 | cut -d: -f1)
        [ -n "$line" ] && [ "$line" -gt "$previous" ] || fail "\"$heading\" missing or out of order"
        previous=$line
    done
    for k in 01 02 03 04 05 06 07 08 09 10; do
        local middle=$((10#$k + 10)) right=$((10#$k + 20))
        local cells="^[[:space:]]*$k =[[:space:]]+$middle =[[:space:]]+$right =[[:space:]]*$"
        grep -Eq "$cells" <<<"$text" ||
            fail "data line $k is not \"$k = / $middle = / $right = \" in three columns"
    done
    ! grep -qF "2. DATI STATISTICI" <<<"$text" || fail "statistics printed for fresh data"
}

start_cups
output=$(output_directory)
start_display
touch "$work/start"
sleep 1 # documents written from now on are newer than the mark
start_program
press_stampa
check_document "$(new_documents | head -n 1)"
echo "PASSED: the default printer received the report"
