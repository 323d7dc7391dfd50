// Reads bare CII e-invoices (XML, no PDF around them) with the npm package factur-x-kit and prints
// for each the values a reader must agree on, one "key<TAB>value" line each, numbers with six
// decimals, dates as YYYYMMDD, missing values empty; each listing begins with "file<TAB>NAME",
// and a file the kit cannot read gives "refused<TAB>MESSAGE" instead of a listing:
//   node read-cii-xml.js FILE.xml...
// read-cii-xpath.sh prints the same listing (without the file line) with xmllint.
'use strict';
const fs = require('fs');
const { FacturX } = require('factur-x-kit');

const decimal = (v) => (v === undefined || v === null ? '' : Number(v).toFixed(6));
const date = (d) => (d ? String(d.year).padStart(4, '0') + String(d.month).padStart(2, '0') + String(d.day).padStart(2, '0') : '');
const text = (v) => (v === undefined ? '' : String(v).replace(/[\t\n\r]/g, ' '));
const first = (v) => (Array.isArray(v) ? v[0] : v);

async function listing(file, put) {
  const facturX = await FacturX.fromXML(fs.readFileSync(file, 'utf8'));
  const o = facturX.object;
  put('number', text(o.document.id));
  put('issueDate', date(o.document.dateOfIssue));
  const terms = [].concat((o.paymentInformation && o.paymentInformation.paymentTerms) || []);
  const withDue = terms.find((t) => t && t.dueDate);
  put('dueDate', date(withDue && withDue.dueDate));
  put('deliveryDate', date(o.delivery && o.delivery.deliveryDate));
  const t = o.totals;
  const currency = o.document.currency;
  const taxes = [].concat(t.taxTotal || []);
  const inCurrency = taxes.find((x) => x.currency === currency) || first(taxes);
  const other = taxes.find((x) => x !== inCurrency);
  put('lineTotal', decimal(t.sumWithoutAllowancesAndCharges));
  put('allowanceTotal', decimal(t.allowanceTotalAmount));
  put('chargeTotal', decimal(t.chargeTotalAmount));
  put('taxBasisTotal', decimal(t.netTotal));
  put('taxTotal', decimal(inCurrency && inCurrency.amount));
  put('taxTotalAccounting', decimal(other && other.amount));
  put('grandTotal', decimal(t.grossTotal));
  put('prepaid', decimal(t.prepaidAmount));
  put('rounding', decimal(t.roundingAmount));
  put('duePayable', decimal(t.openAmount));
  const lines = o.invoiceLines || [];
  put('lineCount', String(lines.length));
  for (const line of lines)
    put('line', text(line.generalLineData.lineId) + '|' + decimal(line.settlement.lineTotals.netTotal));
}

(async () => {
  const out = [];
  for (const file of process.argv.slice(2)) {
    out.push('file\t' + file.split('/').pop());
    const lines = [];
    try {
      await listing(file, (key, value) => lines.push(key + '\t' + value));
      out.push(...lines);
    } catch (e) {
      out.push('refused\t' + text(String(e.message).split('\n')[0]));
    }
  }
  process.stdout.write(out.join('\n') + '\n');
})();
