// Reads a hybrid e-invoice (PDF with its Factur-X XML) with the npm package factur-x-kit and
// prints what it found, one "key<TAB>value" line each, amounts with fixed decimals, so that a
// test can compare them with what the program meant to write:
//   node read-facturx.js FILE.pdf
// Exit 1 with the kit's message when it cannot read the file.
'use strict';
const fs = require('fs');
const { FacturX } = require('factur-x-kit');

const money = (v) => (v === undefined ? '' : Number(v).toFixed(2));
const decimal = (v) => (v === undefined ? '' : Number(v).toFixed(6));
const date = (d) => (d ? String(d.year).padStart(4, '0') + String(d.month).padStart(2, '0') + String(d.day).padStart(2, '0') : '');
const text = (v) => (v === undefined ? '' : String(v).replace(/[\t\n\r]/g, ' '));

(async () => {
  const facturX = await FacturX.fromPDF(new Uint8Array(fs.readFileSync(process.argv[2])));
  const o = facturX.object;
  const out = [];
  const put = (key, value) => out.push(key + '\t' + value);
  put('profile', o.profile);
  put('number', text(o.document.id));
  put('type', text(o.document.type));
  put('issueDate', date(o.document.dateOfIssue));
  put('currency', text(o.document.currency));
  put('sellerName', text(o.seller.name));
  put('sellerVatId', text(o.seller.taxIdentification && o.seller.taxIdentification.vatId));
  put('buyerName', text(o.buyer.name));
  put('buyerVatId', text(o.buyer.taxIdentification && o.buyer.taxIdentification.vatId));
  const delivery = o.delivery || {};
  put('deliveryDate', date(delivery.deliveryDate));
  const terms = (o.paymentInformation && o.paymentInformation.paymentTerms) || {};
  put('dueDate', date(terms.dueDate));
  for (const line of o.invoiceLines || []) {
    const tax = line.settlement.tax;
    put('line', [
      text(line.generalLineData.lineId),
      text(line.productDescription.name),
      decimal(line.delivery.itemQuantity.quantity),
      text(line.delivery.itemQuantity.unit),
      decimal(line.productPriceAgreement.productNetPricing.netPricePerItem),
      money(line.settlement.lineTotals.netTotal),
      text(tax.categoryCode),
      decimal(tax.rateApplicablePercent || 0),
    ].join('|'));
  }
  const t = o.totals;
  for (const b of t.taxBreakdown || [])
    put('tax', [text(b.categoryCode), decimal(b.rateApplicablePercent || 0), money(b.basisAmount), money(b.calculatedAmount)].join('|'));
  put('lineTotal', money(t.sumWithoutAllowancesAndCharges));
  put('taxBasisTotal', money(t.netTotal));
  put('taxTotal', money((t.taxTotal || []).reduce((s, x) => s + Number(x.amount), 0)));
  put('grandTotal', money(t.grossTotal));
  put('rounding', money(t.roundingAmount || 0));
  put('duePayable', money(t.openAmount));
  process.stdout.write(out.join('\n') + '\n');
})().catch((e) => {
  process.stderr.write('factur-x-kit: ' + e.message + '\n');
  process.exit(1);
});
