#pragma once

#include "invoices/TRechnungSettings.h"

#include <cstdint>
#include <string>
#include <string_view>

struct TRechnungRec;

// The number of a new invoice. In sequential mode: the prefix followed by the counter in
// decimal, after which the counter moves on by one. In the other modes the number is empty
// and the counter stays. Nothing else ever moves the counter.
std::u16string TakeRechNr(TRechnungSettings& settings);

// The date number "jjjjmmtthhmm" of a date-time: year (at least four digits), month, day,
// hour and minute (at least two digits each). Empty for a value that is not a date.
std::u16string DateNumber(double datum);

// The number written after the document title, by the mode in force when the document is
// laid out: the date number, the invoice's own number, or nothing.
std::u16string DocumentNumber(const TRechnungSettings& settings, const TRechnungRec& rechnung);

// The counter as its spin edit shows it (and the store file keeps it): plain decimal.
std::u16string CounterText(int64_t counter);

// Reads a counter text back; false (and the counter unchanged) when it is not a whole number.
bool ReadCounterText(std::u16string_view text, int64_t& counter);
