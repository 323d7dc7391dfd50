#pragma once

#include "received/ReceivedInvoice.h"
#include "received/ReceivedInvoiceCheck.h"
#include "received/ReceivedPageWriter.h"

#include <cstdint>
#include <string>

// What the parts of the readable page are built from: the invoice, its check, the writer on
// the canvas, and the left and right edge of the text on the page.
struct ReceivedBlockContext {
    const ReceivedInvoice& invoice;
    const ReceivedCheck& check;
    ReceivedPageWriter& writer;
    int32_t left = 0;
    int32_t right = 0;

    int32_t Width() const { return right - left; }
    // The currency as amounts show it: "€" for EUR, the code otherwise.
    std::u16string CurrencySign() const { return invoice.currency == u"EUR" ? u"€" : invoice.currency; }
};
