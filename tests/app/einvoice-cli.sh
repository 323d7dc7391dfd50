#!/bin/sh
# The e-invoice options of the command line, run as a user runs them:
#   einvoice-cli.sh REKOLON FIXTURE WORKDIR XSD
# FIXTURE is a book whose invoice 1 has everything XRechnung asks for and whose invoice 2 lacks
# its Leitweg-ID and has a country no one knows. XSD, when readable and xmllint is there,
# checks the written file against the CII schema. Prints "einvoice cli ok" at the end.
set -u
rekolon=$1 fixture=$2 dir=$3 xsd=$4
fail() { echo "FAIL: $*"; exit 1; }
rm -rf "$dir"; mkdir -p "$dir/data"
cp "$fixture" "$dir/data/save.dat"
run() { "$rekolon" --data-dir "$dir/data" "$@" >"$dir/out" 2>"$dir/err"; echo $?; }

[ "$(run --check-einvoice 1)" = 0 ] || fail "check 1: $(cat "$dir/out" "$dir/err")"
[ -s "$dir/out" ] && fail "check 1 printed: $(cat "$dir/out")"
[ "$(run --check-einvoice 2)" = 1 ] || fail "check 2 exit"
grep -q "^Käuferreferenz (Leitweg-ID) fehlt – Pflicht bei XRechnung. Reiter E-Rechnung der Rechnung.$" "$dir/out" || fail "check 2 gaps: $(cat "$dir/out")"
grep -q "^Land des Käufers „Atlantis“ nicht erkannt" "$dir/out" || fail "check 2 country"
# EN 16931 asks for no Leitweg-ID.
[ "$(run --check-einvoice 2 --profile en16931)" = 1 ] || fail "check 2 en16931 exit"
grep -q "Leitweg" "$dir/out" && fail "en16931 asks for a Leitweg-ID"

[ "$(run --export-einvoice 1 --output "$dir/r1.xml")" = 0 ] || fail "export 1: $(cat "$dir/err")"
head -c 5 "$dir/r1.xml" | grep -q "<?xml" || fail "export 1 wrote no XML"
grep -q "<ram:TypeCode>380</ram:TypeCode>" "$dir/r1.xml" || fail "export 1 type"
if [ -r "$xsd" ] && command -v xmllint >/dev/null; then
  xmllint --noout --nonet --schema "$xsd" "$dir/r1.xml" 2>"$dir/xsd" || fail "schema: $(cat "$dir/xsd")"
fi
[ "$(run --export-einvoice 1 --kind Gutschrift --output "$dir/g1.xml")" = 0 ] || fail "credit note"
grep -q "<ram:TypeCode>381</ram:TypeCode>" "$dir/g1.xml" || fail "credit note type"

[ "$(run --export-einvoice 2 --output "$dir/r2.xml")" = 1 ] || fail "export 2 exit"
[ -e "$dir/r2.xml" ] && fail "export 2 wrote a file"
grep -q "^Käuferreferenz (Leitweg-ID) fehlt" "$dir/err" || fail "export 2 gaps on stderr: $(cat "$dir/err")"
[ "$(run --export-einvoice 1 --kind Lieferschein --output "$dir/l1.xml")" = 1 ] || fail "delivery note exit"
[ -e "$dir/l1.xml" ] && fail "delivery note written"
grep -q "^Ein Lieferschein ist keine Rechnung" "$dir/err" || fail "delivery note text"
[ "$(run --export-einvoice 9 --output "$dir/n.xml")" = 1 ] || fail "no invoice 9"
[ "$(run --export-einvoice 1 --output "$dir/fehlt/r.xml")" = 1 ] || fail "missing folder"
[ -e "$dir/fehlt" ] && fail "missing folder made"

[ "$(run --export-einvoice 1)" = 2 ] || fail "no --output"
[ "$(run --export-einvoice 1 --output x --profile zugferd)" = 2 ] || fail "bad profile"
grep -q "xrechnung oder en16931" "$dir/err" || fail "bad profile text"
[ "$(run --list --profile xrechnung)" = 2 ] || fail "--profile without e-invoice"
[ "$(run --check-einvoice 1 --output x)" = 2 ] || fail "check with output"

# The hybrid PDF: the page with the XML inside, under the settings' profile or the one asked for.
[ "$(run --export-pdf 1 --zugferd --output "$dir/h1.pdf")" = 0 ] || fail "hybrid 1: $(cat "$dir/err")"
[ "$(run --export-pdf 1 --zugferd --profile en16931 --output "$dir/h2.pdf")" = 0 ] || fail "hybrid en16931"
if command -v pdfdetach >/dev/null; then
  pdfdetach -list "$dir/h1.pdf" | grep -q "^1: xrechnung.xml$" || fail "hybrid 1 attachment: $(pdfdetach -list "$dir/h1.pdf")"
  pdfdetach -list "$dir/h2.pdf" | grep -q "^1: factur-x.xml$" || fail "hybrid en16931 attachment"
fi
[ "$(run --export-pdf 2 --zugferd --output "$dir/h3.pdf")" = 1 ] || fail "hybrid with gaps exit"
[ -e "$dir/h3.pdf" ] && fail "hybrid with gaps written"
grep -q "^Käuferreferenz (Leitweg-ID) fehlt" "$dir/err" || fail "hybrid gaps on stderr: $(cat "$dir/err")"
[ "$(run --export-pdf 1 --zugferd --kind Lieferschein --output "$dir/h4.pdf")" = 1 ] || fail "hybrid delivery note"
[ -e "$dir/h4.pdf" ] && fail "hybrid delivery note written"
grep -q "^Ein Lieferschein ist keine Rechnung" "$dir/err" || fail "hybrid delivery note text"
[ "$(run --export-pdf 1 --kind Lieferschein --output "$dir/l1.pdf")" = 0 ] || fail "ordinary delivery note"
[ "$(run --export-einvoice 1 --zugferd --output "$dir/x.xml")" = 2 ] || fail "--zugferd without --export-pdf"
[ "$(run --export-pdf 1 --profile en16931 --output "$dir/x.pdf")" = 2 ] || fail "--profile without --zugferd"

cmp -s "$fixture" "$dir/data/save.dat" || fail "save.dat changed"
echo "einvoice cli ok"
