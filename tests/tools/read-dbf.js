// Dumps a dBase table as read by the npm package dbffile (Windows-1252 unless an encoding that
// dbffile knows is given as the second argument, e.g. cp437, cp850, cp852, win1250), in the line format
// that the Rekolon tests compare:
//   FIELD <tab> name <tab> type <tab> length
//   RECORD <tab> value <tab> value ...      (live records in file order)
//   DELETED <tab> count
// Values escape backslash, tab, CR and LF as \\, \t, \r and \n. Output is UTF-8. Numbers are
// written with the column's decimals, dates as YYYYMMDD, logical values as T or F.
'use strict';
const { DBFFile, DELETED } = require('dbffile');

function text(field, value) {
  if (value === null || value === undefined) return '';
  if (field.type === 'N' || field.type === 'F') return value.toFixed(field.decimalPlaces);
  if (field.type === 'D') return value.toISOString().slice(0, 10).replace(/-/g, '');
  if (field.type === 'L') return value ? 'T' : 'F';
  return value;
}

function escape(value) {
  if (value === null || value === undefined) return '';
  return String(value).replace(/\\/g, '\\\\').replace(/\t/g, '\\t').replace(/\r/g, '\\r').replace(/\n/g, '\\n');
}

async function main() {
  const path = process.argv[2];
  const encoding = process.argv[3] || 'win1252';
  const dbf = await DBFFile.open(path, { encoding, includeDeletedRecords: true });
  const lines = [];
  for (const field of dbf.fields) lines.push(['FIELD', field.name, field.type, field.size].join('\t'));
  const records = await dbf.readRecords(dbf.recordCount);
  let deleted = 0;
  for (const record of records) {
    if (record[DELETED]) { deleted++; continue; }
    lines.push(['RECORD', ...dbf.fields.map((f) => escape(text(f, record[f.name])))].join('\t'));
  }
  lines.push(['DELETED', deleted].join('\t'));
  process.stdout.write(lines.join('\n') + '\n');
}

main().catch((error) => {
  process.stderr.write(String(error && error.stack ? error.stack : error) + '\n');
  process.exit(1);
});
