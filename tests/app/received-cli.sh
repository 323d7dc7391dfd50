#!/bin/sh
# The options for received e-invoices, run as a user runs them:
#   received-cli.sh REKOLON SAMPLES DATA WORKDIR
# SAMPLES holds cii/ and ubl/ e-invoices, DATA the test fixtures (the hostile ones and a book
# whose invoice 1 goes out as a hybrid PDF). Prints "received cli ok" at the end.
set -u
rekolon=$1 samples=$2 data=$3 dir=$4
fail() { echo "FAIL: $*"; exit 1; }
rm -rf "$dir"; mkdir -p "$dir/book"
run() { "$rekolon" "$@" >"$dir/out" 2>"$dir/err"; echo $?; }

# A readable PDF: exit 0, a sound PDF (qpdf), and the number and amount due in its text.
readable() {
  src=$1 pdf=$2 number=$3 due=$4
  [ "$(run --einvoice-to-pdf "$src" --output "$pdf")" = 0 ] || fail "$src: $(cat "$dir/err")"
  # Nothing on standard error but what Qt may say about the test's own home.
  grep -v "^QStandardPaths" "$dir/err" | grep -q . && fail "$src printed: $(cat "$dir/err")"
  qpdf --check "$pdf" >"$dir/qpdf" 2>&1 || fail "qpdf $pdf: $(cat "$dir/qpdf")"
  pdftotext -layout "$pdf" "$dir/text" || fail "pdftotext $pdf"
  grep -qF -- "$number" "$dir/text" || fail "$pdf lacks the number $number"
  grep -qF -- "$due" "$dir/text" || fail "$pdf lacks the amount due $due"
}
readable "$samples/cii/CII_example1.xml" "$dir/cii.pdf" 12115118 "250,33"
readable "$samples/ubl/ubl-tc434-example2.xml" "$dir/ubl.pdf" TOSL108 "801,78"
readable "$samples/ubl/ubl-tc434-creditnote1.xml" "$dir/gutschrift.pdf" "018304 / 28865" "100,11"

# A hybrid PDF written by the program itself is read through its embedded XML.
cp "$data/savedat-valid-einvoice.dat" "$dir/book/save.dat"
[ "$(run --data-dir "$dir/book" --export-pdf 1 --zugferd --output "$dir/hybrid.pdf")" = 0 ] || fail "hybrid: $(cat "$dir/err")"
number=$("$rekolon" --data-dir "$dir/book" --list | head -n 1 | cut -f 2)
[ -n "$number" ] || fail "no number listed"
[ "$(run --einvoice-to-pdf "$dir/hybrid.pdf" --output "$dir/hybrid-lesbar.pdf")" = 0 ] || fail "hybrid read: $(cat "$dir/err")"
pdftotext "$dir/hybrid-lesbar.pdf" - | grep -qF -- "$number" || fail "hybrid's readable PDF lacks $number"

# Bad input: exit 1, the German message on standard error, no file (not even a half one).
refused() {
  src=$1 message=$2
  [ "$(run --einvoice-to-pdf "$src" --output "$dir/nie.pdf")" = 1 ] || fail "$src not refused"
  grep -qF -- "$message" "$dir/err" || fail "$src: $(cat "$dir/err")"
  [ -e "$dir/nie.pdf" ] && fail "$src wrote a file"
  ls "$dir" | grep -q "nie.pdf" && fail "$src left a temporary file"
  [ "$(run --show-einvoice "$src")" = 1 ] || fail "$src opened a window"
  grep -qF -- "$message" "$dir/err" || fail "$src window: $(cat "$dir/err")"
}
refused "$data/einvoice-doctype-with-entity-bomb.xml" "Die Datei enthält eine Dokumenttypdefinition"
refused "$data/einvoice-xhtml-page-instead-of-invoice.xml" "Die Datei ist keine E-Rechnung (erwartet: XRechnung/ZUGFeRD als CII oder UBL)."
refused "$data/savedat-valid-einvoice.dat" "Die Datei ist keine E-Rechnung"
refused "$dir/fehlt.xml" "kann nicht gelesen werden"
# A PDF without an e-invoice inside (the readable PDF just written).
[ "$(run --einvoice-to-pdf "$dir/cii.pdf" --output "$dir/nie.pdf")" = 1 ] || fail "plain PDF not refused"
[ -s "$dir/err" ] || fail "plain PDF without message"
[ -e "$dir/nie.pdf" ] && fail "plain PDF wrote a file"
# A folder that does not exist is not made.
[ "$(run --einvoice-to-pdf "$samples/cii/CII_example1.xml" --output "$dir/fehlt/x.pdf")" = 1 ] || fail "missing folder"
[ -e "$dir/fehlt" ] && fail "missing folder made"

# Usage errors: 2.
[ "$(run --einvoice-to-pdf "$samples/cii/CII_example1.xml")" = 2 ] || fail "no --output"
grep -qF -- "--einvoice-to-pdf braucht --output DATEI" "$dir/err" || fail "no --output text: $(cat "$dir/err")"
[ "$(run --einvoice-to-pdf)" = 2 ] || fail "no file"
[ "$(run --einvoice-to-pdf "$samples/cii/CII_example1.xml" --output "$dir/k.pdf" --kind 0)" = 2 ] || fail "--kind taken"
[ "$(run --show-einvoice "$samples/cii/CII_example1.xml" --output "$dir/k.pdf")" = 2 ] || fail "--output with window"
[ "$(run --show-einvoice "$samples/cii/CII_example1.xml" --list)" = 2 ] || fail "--list with window"
[ -e "$dir/k.pdf" ] && fail "usage error wrote a file"

# The window alone: it opens and ends through the desktop session with 0.
"$rekolon" --show-einvoice "$samples/ubl/ubl-tc434-example2.xml" >"$dir/out" 2>"$dir/err" & pid=$!
sh "$(dirname "$0")/kill-when-ready.sh" $pid
wait $pid; status=$?
[ $status = 0 ] || fail "window exit $status: $(cat "$dir/err")"
echo "received cli ok"
