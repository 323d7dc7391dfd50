#include "invoices/Amounts.h"

#include "invoices/NumberText.h"

#include <cmath>

std::optional<double> ReadRate(std::u16string_view text, char16_t separator)
{
    const std::optional<double> rate = ParseNumber(text, separator);
    if (!rate || *rate + 100 == 0)
        return std::nullopt;
    return rate;
}

std::optional<double> NettoPreis(double brutto, double rate)
{
    if (rate + 100 == 0)
        return std::nullopt;
    const double netto = brutto * 100 / (rate + 100);
    if (!std::isfinite(netto))
        return std::nullopt;
    return netto;
}

double BruttoPreis(double netto, double rate)
{
    return (rate + 100) * netto / 100;
}

double RabattPreis(double preis, double rabatt)
{
    return (100 - rabatt) * preis / 100;
}

std::u16string RabattText(double rabatt, char16_t separator)
{
    return u" Rabatt " + FormatGeneral(rabatt, separator) + u"%";
}
