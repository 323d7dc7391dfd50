#!/usr/bin/env python3
"""Writes the damaged dBase fixtures tests/data/dbf-*.dbf (and .dbt) from one valid table built
here byte by byte, independently of the program's own writer. Each fixture is named after its
defect; tests/dbase/DbfDamagedTest.cpp expects a clear error from each. Run it from anywhere:
    python3 tests/tools/make-damaged-dbf.py
"""
import os
import struct

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'data')
FIELDS = [(b'Firma', b'C', 20), (b'Mehr', b'M', 10), (b'Ort', b'C', 12)]


def descriptor(name, kind, length):
    return name.ljust(11, b'\0') + kind + b'\0' * 4 + bytes([length, 0]) + b'\0' * 14


def table(fields=FIELDS, version=0x8B, count=None, header_length=None, record_length=None,
          records=None, terminator=b'\x0D'):
    records = records if records is not None else [
        b' ' + 'Müller AG'.encode('cp1252').ljust(20) + b'         1' + b'Regensburg'.ljust(12),
        b' ' + b'Zweite'.ljust(20) + b' ' * 10 + b'Berlin'.ljust(12)]
    body = b''.join(descriptor(*f) for f in fields) + terminator
    hl = header_length if header_length is not None else 32 + len(body)
    rl = record_length if record_length is not None else 1 + sum(f[2] for f in fields)
    n = count if count is not None else len(records)
    head = struct.pack('<B3BIHH', version, 126, 1, 1, n, hl, rl) + b'\0' * 17 + b'\x57' + b'\0\0'
    return head + body + b''.join(records) + b'\x1A'


def memo(blocks):
    head = struct.pack('<II', len(blocks) + 1, 512) + b'k'.ljust(8, b'\0') + b'\0' * 4
    head += struct.pack('<H', 512)
    out = head.ljust(512, b'\0')
    for block in blocks:
        out += block.ljust(512, b'\0')
    return out


def memo_block(text, length=None):
    data = text.encode('cp1252')
    return b'\xFF\xFF\x08\x00' + struct.pack('<I', length if length is not None else len(data) + 8) + data


GOOD_MEMO = memo([memo_block('Zeile 1\r\nZeile 2')])


def write(name, dbf, dbt=None):
    with open(os.path.join(DATA, name + '.dbf'), 'wb') as f:
        f.write(dbf)
    if dbt is not None:
        with open(os.path.join(DATA, name + '.dbt'), 'wb') as f:
            f.write(dbt)


good = table()
write('dbf-valid-two-records', good, GOOD_MEMO)
write('dbf-cut-inside-header', good[:20])
write('dbf-cut-inside-second-record', good[:32 + 3 * 32 + 1 + 43 + 10], GOOD_MEMO)
write('dbf-record-count-past-end', table(count=0xFFFFFFFF), GOOD_MEMO)
write('dbf-header-length-past-end', table(header_length=0xFFFF), GOOD_MEMO)
write('dbf-header-length-inside-descriptors', table(header_length=70), GOOD_MEMO)
write('dbf-record-length-not-matching-fields', table(record_length=40), GOOD_MEMO)
write('dbf-descriptors-without-terminator', table(terminator=b'', header_length=32 + 96), GOOD_MEMO)
write('dbf-unknown-field-type', table(fields=[(b'Firma', b'X', 20), (b'Mehr', b'M', 10), (b'Ort', b'C', 12)]),
      GOOD_MEMO)
write('dbf-field-without-name', table(fields=[(b'', b'C', 20), (b'Mehr', b'M', 10), (b'Ort', b'C', 12)]),
      GOOD_MEMO)
write('dbf-memo-length-not-ten', table(fields=[(b'Firma', b'C', 20), (b'Mehr', b'M', 9), (b'Ort', b'C', 13)]),
      GOOD_MEMO)
write('dbf-unknown-version', table(version=0x31), GOOD_MEMO)
write('dbf-memo-field-without-memo-version', table(version=0x03), GOOD_MEMO)
write('dbf-memo-file-missing', good)
write('dbf-memo-file-cut-inside-header', good, GOOD_MEMO[:10])
write('dbf-memo-block-size-invalid', good, GOOD_MEMO[:20] + struct.pack('<H', 7) + GOOD_MEMO[22:])
bad_pointer = table(records=[b' ' + b'A'.ljust(20) + b'       999' + b'X'.ljust(12)])
write('dbf-memo-pointer-past-end', bad_pointer, GOOD_MEMO)
not_number = table(records=[b' ' + b'A'.ljust(20) + b'    1x    ' + b'X'.ljust(12)])
write('dbf-memo-pointer-not-a-number', not_number, GOOD_MEMO)
write('dbf-memo-length-past-end', good, memo([memo_block('kurz', length=0x7FFFFFF0)]))
write('dbf-memo-block-not-a-memo-start', good, memo([b'ohne Kennung']))
# Five records with a memo each, the third pointing past the end of the memo file.
five = [b' ' + ('Kunde %d' % n).encode('cp1252').ljust(20) + (b'%10d' % (999 if n == 3 else n))
        + ('Ort %d' % n).encode('cp1252').ljust(12) for n in range(1, 6)]
write('dbf-memo-pointer-past-end-in-record-3-of-5', table(records=five),
      memo([memo_block('Notiz %d über Tabellen' % n) for n in range(1, 6)]))

# 33 customers whose file ends 50 bytes early, inside the last record, as after a copy or
# a write that did not finish: the first 32 records are whole. Memos on records 1, 32 and 33.
CUT_FIELDS = [(b'Firma', b'C', 45), (b'Mehr', b'M', 10), (b'Ort', b'C', 45)]
cut_records = []
for n in range(1, 34):
    pointer = {1: b'         1', 32: b'         2', 33: b'         3'}.get(n, b' ' * 10)
    cut_records.append(b' ' + ('Kunde %02d' % n).encode('cp1252').ljust(45) + pointer
                       + ('Ort %02d' % n).encode('cp1252').ljust(45))
cut = table(fields=CUT_FIELDS, records=cut_records)
write('dbf-last-record-cut-off', cut[:-50],
      memo([memo_block('Memo von Kunde 01'), memo_block('Memo von Kunde 32\r\nzweite Zeile'),
            memo_block('Memo von Kunde 33')]))

# A seed for the fuzz target: table, marker, memo file.
with open(os.path.join(DATA, 'dbf-fuzz-seed-with-memo.bin'), 'wb') as f:
    f.write(good + b'--DBT--\n' + GOOD_MEMO)
