#!/bin/sh
# --data-dir with folder names that are not UTF-8, given to the program as bytes on its
# command line: the list is read from the named folder, and a window started there writes its
# book back there; no folder of a similar name appears.
# Arguments: the program, a fixture save.dat, a work folder (emptied first).
set -u
program=$1
fixture=$2
work=$3
rm -rf "$work"
mkdir -p "$work/plain"
cp "$fixture" "$work/plain/save.dat"
expected=$("$program" --data-dir "$work/plain" --list) || { echo "list of the plain folder failed"; exit 1; }
[ -n "$expected" ] || { echo "the fixture lists no invoice"; exit 1; }

for name in "$(printf '\377\376')" "$(printf 'M\374ller')"; do
    rm -rf "$work/named"
    mkdir -p "$work/named/$name"
    cp "$fixture" "$work/named/$name/save.dat"
    listed=$("$program" --data-dir "$work/named/$name" --list) || { echo "list failed"; exit 1; }
    [ "$listed" = "$expected" ] || { echo "list differs: $listed"; exit 1; }

    # The window: started in that folder and ended through the desktop session.
    rm -f "$work/named/$name/save.dat"
    cp "$fixture" "$work/named/$name/save.dat"
    touch -d '2001-01-01' "$work/named/$name/save.dat"
    "$program" --data-dir "$work/named/$name" & pid=$!
    # The start writes the book back once it is read; then the session ends the program.
    waited=0
    while [ ! "$work/named/$name/save.dat" -nt "$work/plain/save.dat" ] && [ $waited -lt 300 ]; do
        sleep 0.1
        waited=$((waited + 1))
    done
    sleep 0.5
    kill -TERM $pid
    wait $pid || { echo "window run failed"; exit 1; }
    [ "$work/named/$name/save.dat" -nt "$work/plain/save.dat" ] || { echo "save.dat not written back"; exit 1; }
    [ -f "$work/named/$name/customers.dbf" ] || { echo "customer table not in the folder"; exit 1; }
    relisted=$("$program" --data-dir "$work/named/$name" --list)
    [ "$relisted" = "$expected" ] || { echo "list after the window differs: $relisted"; exit 1; }
    count=$(ls -A "$work/named" | wc -l)
    [ "$count" -eq 1 ] || { echo "other folders appeared:"; ls -A "$work/named" | od -c; exit 1; }
done
echo "data-dir bytes ok"
