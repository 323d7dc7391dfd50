#include "invoices/Numbering.h"

#include "invoices/DateTime.h"
#include "invoices/NumberText.h"
#include "invoices/TRechnungRec.h"
#include "invoices/TextBuf.h"

#include <charconv>
#include <limits>
#include <string>

namespace {

std::u16string Digits(int64_t value, int minDigits)
{
    const uint64_t magnitude = value < 0 ? uint64_t(0) - uint64_t(value) : uint64_t(value);
    std::string s = std::to_string(magnitude);
    if (s.size() < size_t(minDigits))
        s.insert(0, size_t(minDigits) - s.size(), '0');
    if (value < 0)
        s.insert(s.begin(), '-');
    return std::u16string(s.begin(), s.end());
}

}

std::u16string CounterText(int64_t counter)
{
    return Digits(counter, 1);
}

bool ReadCounterText(std::u16string_view typed, int64_t& counter)
{
    const std::u16string_view text = TrimBlanks(typed);
    std::string ascii;
    for (const char16_t c : text) {
        if (c > 0x7F)
            return false;
        ascii += static_cast<char>(c);
    }
    if (!ascii.empty() && ascii[0] == '+')
        ascii.erase(ascii.begin());
    int64_t value = 0;
    const auto [ptr, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ascii.empty() || ec != std::errc() || ptr != ascii.data() + ascii.size())
        return false;
    counter = value;
    return true;
}

std::u16string TakeRechNr(TRechnungSettings& settings)
{
    if (settings.RegNrMode != TRegNrMode::CountRegNr)
        return {};
    std::u16string number = settings.RechNrVorherEd + CounterText(settings.ARegNrEd);
    if (settings.ARegNrEd < std::numeric_limits<int64_t>::max())
        ++settings.ARegNrEd;
    return number;
}

std::u16string DateNumber(double datum)
{
    TDateTimeParts parts;
    if (!DecodeDateTime(datum, parts))
        return {};
    return Digits(parts.year, 4) + Digits(parts.month, 2) + Digits(parts.day, 2) + Digits(parts.hour, 2) +
           Digits(parts.minute, 2);
}

std::u16string DocumentNumber(const TRechnungSettings& settings, const TRechnungRec& rechnung)
{
    switch (settings.RegNrMode) {
    case TRegNrMode::rechnrdatecheck:
        return DateNumber(rechnung.datum);
    case TRegNrMode::CountRegNr:
        return std::u16string(TextOf(rechnung.rechnr));
    case TRegNrMode::NoRegNr:
        break;
    }
    return {};
}
