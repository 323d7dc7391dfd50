#pragma once

#include "received/ReceivedInvoice.h"

#include <string>
#include <vector>

// What the check of a received invoice found: every sum recomputed from its parts and every
// mandatory field looked for.
struct ReceivedCheck {
    // One German line per sum that differs by more than one cent and per missing mandatory
    // field, in the order a reader checks an invoice; empty when everything agrees.
    std::vector<std::u16string> problems;
    // How many of the problems are sums of the document that differ (totals and VAT
    // breakdown), lines whose net amount is not quantity × price less allowances plus
    // charges, and missing fields. A line's net amount may include other taxes, so a line
    // that does not compute is worth a look but does not make the sums wrong.
    int differences = 0;
    int lineDifferences = 0;
    int missing = 0;

    bool Agrees() const { return problems.empty(); }
    // The document's sums agree (lines and missing fields aside).
    bool SumsAgree() const { return differences == 0; }
    // The heading above the list: "Summen geprüft: stimmen." when nothing was found,
    // "Summen geprüft: 2 Abweichungen." for sums that differ, with "1 Position weicht von
    // Menge × Preis ab." and "1 Pflichtangabe fehlt." (or their plurals) added.
    std::u16string Heading() const;
};

ReceivedCheck CheckReceivedInvoice(const ReceivedInvoice& invoice);
