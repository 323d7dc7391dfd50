#pragma once

#include "received/ReceivedInvoice.h"

// Millionths from a decimal written as whole and millionths: M(12.5) is 12'500'000.
constexpr Micros M(long double value)
{
    return Micros(value * 1'000'000 + (value < 0 ? -0.5L : 0.5L));
}

// A complete invoice whose sums all agree: four lines in three VAT groups (19 %, 7 % and
// exempt), a line allowance, a document allowance and charge, a partial payment and a
// rounding amount, SEPA transfer with an IBAN.
ReceivedInvoice AgreeingInvoice();

// The same invoice with every block the page shows filled: payee, tax representative,
// delivery, references, line details and attributes, notes and attachments.
ReceivedInvoice FullInvoice();
