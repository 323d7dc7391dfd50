#!/bin/sh
# Prints the values of a CII e-invoice that read-cii-xml.js prints, in the same listing, but read
# with XPath through xmllint, for the files factur-x-kit refuses (older profile names, fields it
# does not know):
#   sh read-cii-xpath.sh FILE.xml
set -eu
file="$1"
e() { printf "*[local-name()='%s']" "$1"; }
get() { xmllint --xpath "string($1)" "$file" 2>/dev/null || true; }
num() { v=$(get "$1"); if [ -n "$v" ]; then awk -v v="$v" 'BEGIN { printf "%.6f", v }'; fi; }
doc="/$(e CrossIndustryInvoice)/$(e ExchangedDocument)"
tx="/$(e CrossIndustryInvoice)/$(e SupplyChainTradeTransaction)"
settle="$tx/$(e ApplicableHeaderTradeSettlement)"
sums="$settle/$(e SpecifiedTradeSettlementHeaderMonetarySummation)"
currency="$settle/$(e InvoiceCurrencyCode)"
printf 'number\t%s\n' "$(get "$doc/$(e ID)")"
printf 'issueDate\t%s\n' "$(get "$doc/$(e IssueDateTime)/$(e DateTimeString)")"
printf 'dueDate\t%s\n' "$(get "($settle/$(e SpecifiedTradePaymentTerms)/$(e DueDateDateTime)/$(e DateTimeString))[1]")"
printf 'deliveryDate\t%s\n' "$(get "$tx/$(e ApplicableHeaderTradeDelivery)/$(e ActualDeliverySupplyChainEvent)/$(e OccurrenceDateTime)/$(e DateTimeString)")"
printf 'lineTotal\t%s\n' "$(num "$sums/$(e LineTotalAmount)")"
printf 'allowanceTotal\t%s\n' "$(num "$sums/$(e AllowanceTotalAmount)")"
printf 'chargeTotal\t%s\n' "$(num "$sums/$(e ChargeTotalAmount)")"
printf 'taxBasisTotal\t%s\n' "$(num "$sums/$(e TaxBasisTotalAmount)")"
printf 'taxTotal\t%s\n' "$(num "($sums/$(e TaxTotalAmount)[not(@currencyID) or @currencyID=$currency])[1]")"
printf 'taxTotalAccounting\t%s\n' "$(num "$sums/$(e TaxTotalAmount)[@currencyID and @currencyID!=$currency]")"
printf 'grandTotal\t%s\n' "$(num "$sums/$(e GrandTotalAmount)")"
printf 'prepaid\t%s\n' "$(num "$sums/$(e TotalPrepaidAmount)")"
printf 'rounding\t%s\n' "$(num "$sums/$(e RoundingAmount)")"
printf 'duePayable\t%s\n' "$(num "$sums/$(e DuePayableAmount)")"
item="$tx/$(e IncludedSupplyChainTradeLineItem)"
count=$(get "count($item)")
printf 'lineCount\t%s\n' "$count"
i=1
while [ "$i" -le "$count" ]; do
  id=$(get "$item[$i]/$(e AssociatedDocumentLineDocument)/$(e LineID)")
  amount=$(num "$item[$i]/$(e SpecifiedLineTradeSettlement)/$(e SpecifiedTradeSettlementLineMonetarySummation)/$(e LineTotalAmount)")
  printf 'line\t%s|%s\n' "$id" "$amount"
  i=$((i + 1))
done
