#!/bin/sh
# Writes tests/data/dbf-libreoffice-number-date-logical.dbf (and .dbt): a customer table with
# number, date, logical and memo columns as LibreOffice Calc saves it in dBase form (dBase III
# with memo, Windows-1252), for tests/dbase/DbfIndependentReadersTest.cpp. Only needed to make
# the fixture again; it needs the Debian packages libreoffice-calc-nogui and
# libreoffice-base-drivers. The header cells give each column's dBase type, as Calc expects.
set -eu
data="$(cd "$(dirname "$0")/../data" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
printf '%s\n' \
  'FIRMA,C,30;UMSATZ,N,10,2;SEIT,D;AKTIV,L;MEHR,M;NUMMER,N,6,0' \
  'Müller & Söhne;1234,5;31.01.2020;WAHR;"Erste Zeile' \
  'zweite Zeile";42' \
  'Schmidt;-7,25;31.12.1999;FALSCH;;0' \
  'Ohne;0;29.02.2024;WAHR;x;999999' > "$work/lo.csv"
# CSV: separator ";" (59), quote '"' (34), UTF-8 (76), from line 1, German locale (1031).
HOME="$work" soffice --headless --infilter='CSV:59,34,76,1,,1031' --convert-to 'dbf:dBase:ANSI' \
  --outdir "$work" "$work/lo.csv" >/dev/null
cp "$work/lo.dbf" "$data/dbf-libreoffice-number-date-logical.dbf"
cp "$work/lo.dbt" "$data/dbf-libreoffice-number-date-logical.dbt"
