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
    // How many of the problems are sums that differ, and how many are missing fields.
    int differences = 0;
    int missing = 0;

    bool Agrees() const { return problems.empty(); }
    // The heading above the list: "Summen geprüft: stimmen." when nothing was found,
    // "Summen geprüft: 2 Abweichungen." for sums that differ, with "1 Pflichtangabe fehlt."
    // or "3 Pflichtangaben fehlen." added for missing fields.
    std::u16string Heading() const;
};

ReceivedCheck CheckReceivedInvoice(const ReceivedInvoice& invoice);
