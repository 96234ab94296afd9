#!/usr/bin/env bash
# print_e2e.sh PROGRAM: "Stampa" typed in the real program under Xvfb, with a private CUPS
# server's cups-pdf printer as the default; the PDF it writes is read back. Exits 77 (skipped)
# when not root or a package is missing (cups, printer-driver-cups-pdf, poppler-utils).
set -euo pipefail

program=$1
source "$(dirname "$0")/x_session.sh"
shots=$xs_work/shots
[ "$(id -u)" -eq 0 ] || skip "needs root: cupsd runs the cups-pdf backend as root"
need cupsd lpadmin lpstat Xvfb xdotool import compare pdftotext pdfinfo pdffonts getent
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -x /usr/lib/cups/backend/cups-pdf ] && [ -r "$ppd" ] || skip "cups-pdf is not installed"
cups=$xs_work/cups

# Where cups-pdf writes the documents of the user printing: its Out setting, ${HOME}/PDF by
# default, with HOME read from the password database as the backend does.
out=$(sed -n 's/^[[:space:]]*Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -n 1)
out=${out:-'${HOME}/PDF'} && out=${out//'${HOME}'/$(getent passwd "$(id -un)" | cut -d: -f6)}
documents() { find "$out" -maxdepth 1 -name '*.pdf' 2>/dev/null | sort; }
documents >"$xs_work/before"
new_documents() { documents | comm -13 "$xs_work/before" -; }
trap 'new_documents | xargs -r rm -f; xs_stop' EXIT

mkdir -p "$cups"/{ppd,spool/tmp,cache,state}
chmod 755 "$xs_work" "$cups" # the filters run as lp and need to reach the spool
printf '%s\n' "Listen $cups/sock" "Browsing No" "WebInterface No" "DefaultAuthType None" \
    "<Location />" "Order allow,deny" "Allow all" "</Location>" >"$cups/cupsd.conf"
printf '%s\n' "ServerRoot $cups" "RequestRoot $cups/spool" "TempDir $cups/spool/tmp" \
    "CacheDir $cups/cache" "StateDir $cups/state" "ErrorLog $xs_work/cups-error.log" \
    "AccessLog $cups/access_log" "PageLog $cups/page_log" "Printcap $cups/printcap" "User lp" \
    "Group lp" "SystemGroup root" "Sandboxing Relaxed" >"$cups/cups-files.conf"
cupsd -f -c "$cups/cupsd.conf" -s "$cups/cups-files.conf" 2>"$cups/cupsd.log" &
xs_pids+=($!)
export CUPS_SERVER=$cups/sock
scheduler_running() { lpstat -r | grep -q "is running"; }
(wait_until "cupsd to run" scheduler_running) ||
    skip "cupsd could not be started: $(cat "$cups/cupsd.log")"
# pdftocairo keeps the text of the document readable through the PostScript stage that cups-pdf
# takes (Ghostscript's default renderer turns the glyphs into Type 3 pictures).
lpadmin -p QuantorelleTest -E -v cups-pdf:/ -P "$ppd" -o pdftops-renderer-default=pdftocairo &&
    lpadmin -d QuantorelleTest || fail "the cups-pdf printer could not be set up"

start_x
# An empty home: no lpoptions of the user override the server's default printer.
mkdir "$xs_work/home"
start_program env -u PRINTER -u LPDEST HOME="$xs_work/home" "$program"
key ctrl+shift+F12
# The job has left the queue and the document reads as a PDF.
document_complete() { [ -z "$(lpstat -o)" ] && pdfinfo "$(new_documents | head -n 1)"; }
wait_until "a PDF from the printer in $out" document_complete >/dev/null

doc=$(new_documents | head -n 1)
pdfinfo "$doc" | grep -Eq '^Page size:.*\(A4\)' || fail "not A4: $(pdfinfo "$doc" | grep 'Page size')"
for font in 'LiberationSans ' 'LiberationSans-Bold '; do
    pdffonts "$doc" | grep -q "$font" || fail "$font not embedded: $(pdffonts "$doc")"
done
text=$(pdftotext -layout "$doc" -)
echo "$text"
previous=0
for heading in "ANALISI STATISTICA" "1. DATI INSERITI (X / Y)"; do
    line=$(grep -nF "$heading" <<<"$text" | head -n 1 | cut -d: -f1)
    [ -n "$line" ] && [ "$line" -gt "$previous" ] || fail "\"$heading\" missing or out of order"
    previous=$line
done
for k in 01 02 03 04 05 06 07 08 09 10; do
    grep -Eq "^\s*$k =\s+$((10#$k + 10)) =\s+$((10#$k + 20)) =\s*$" <<<"$text" ||
        fail "data line $k is not \"$k = / $((10#$k + 10)) = / $((10#$k + 20)) = \" in three columns"
done
! grep -qF "2. DATI STATISTICI" <<<"$text" || fail "statistics printed for fresh data"
echo "PASSED: the default printer received the report"
