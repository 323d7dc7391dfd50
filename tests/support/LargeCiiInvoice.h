#pragma once

#include "received/ReceivedInvoice.h"

#include <cstddef>
#include <string>

// A Cross Industry Invoice with as many lines as asked for, written as text (for the reader's
// tests and the benchmarks of reading and laying out a large invoice). Line i (counted from 1)
// sells i % 9 + 1 pieces ("H87") at (i % 250) + 0.99 EUR, at 19 % VAT for odd i and 7 % for
// even i. The header names a seller, a buyer, an IBAN and a due date like a real invoice.
struct LargeCiiInvoice {
    std::string xml;
    // The sums the file states, computed in whole cents while writing the lines.
    Micros lineNetTotal = 0;  // BT-106 = BT-109
    Micros netAt19 = 0;       // BT-116 of the 19 % row
    Micros netAt7 = 0;        // BT-116 of the 7 % row
    Micros vatAt19 = 0;       // BT-117 of the 19 % row
    Micros vatAt7 = 0;        // BT-117 of the 7 % row
    Micros vatTotal = 0;      // BT-110
    Micros grossTotal = 0;    // BT-112 = BT-115
};

LargeCiiInvoice MakeLargeCiiInvoice(size_t lineCount);
