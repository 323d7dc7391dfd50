#pragma once

#include "received/ReceivedInvoice.h"

#include <optional>
#include <string>

// What reading a received e-invoice gives: the invoice, or a German message that names the
// problem and, where there is one, the element ("Im Element „ram:LineTotalAmount“ ...").
struct ReceivedReadResult {
    std::optional<ReceivedInvoice> invoice;
    std::u16string error;

    static ReceivedReadResult Failure(std::u16string message)
    {
        ReceivedReadResult result;
        result.error = std::move(message);
        return result;
    }
};
