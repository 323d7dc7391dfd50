#include "received/ReceivedCodeNames.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace {

using CodeWord = std::pair<std::u16string_view, std::u16string_view>;

// Document types an EN 16931 invoice may carry (UNTDID 1001, the subset in use).
constexpr CodeWord kTypes[] = {
    {u"71", u"Zahlungsanforderung"},
    {u"80", u"Belastungsanzeige für Waren oder Dienstleistungen"},
    {u"82", u"Rechnung über Messdienstleistungen"},
    {u"84", u"Belastungsanzeige für finanzielle Anpassungen"},
    {u"261", u"Gutschrift im Gutschriftverfahren (Storno)"},
    {u"262", u"Sammelgutschrift"},
    {u"326", u"Teilrechnung"},
    {u"380", u"Rechnung"},
    {u"381", u"Gutschrift"},
    {u"383", u"Belastungsanzeige"},
    {u"384", u"Rechnungskorrektur"},
    {u"386", u"Vorauszahlungsrechnung"},
    {u"387", u"Mietrechnung"},
    {u"388", u"Steuerrechnung"},
    {u"389", u"Gutschrift im Gutschriftverfahren"},
    {u"390", u"Delkredere-Rechnung"},
    {u"393", u"Factoring-Rechnung"},
    {u"394", u"Leasingrechnung"},
    {u"395", u"Konsignationsrechnung"},
    {u"396", u"Factoring-Gutschrift"},
    {u"527", u"Belastungsanzeige im Gutschriftverfahren"},
    {u"575", u"Versicherungsrechnung"},
    {u"623", u"Speditionsrechnung"},
    {u"751", u"Rechnungsinformation für Buchungszwecke"},
    {u"780", u"Frachtrechnung"},
    {u"875", u"Abschlagsrechnung für Bauleistungen"},
    {u"876", u"Teilschlussrechnung für Bauleistungen"},
    {u"877", u"Schlussrechnung für Bauleistungen"},
};

// Common units of measure (UN/ECE Recommendation 20 and 21).
constexpr CodeWord kUnits[] = {
    {u"C62", u"Stück"},
    {u"H87", u"Stück"},
    {u"EA", u"Stück"},
    {u"NAR", u"Artikel"},
    {u"SEC", u"Sekunde"},
    {u"MIN", u"Minute"},
    {u"HUR", u"Stunde"},
    {u"DAY", u"Tag"},
    {u"WEE", u"Woche"},
    {u"MON", u"Monat"},
    {u"QAN", u"Quartal"},
    {u"ANN", u"Jahr"},
    {u"GRM", u"Gramm"},
    {u"KGM", u"Kilogramm"},
    {u"TNE", u"Tonne"},
    {u"MMT", u"Millimeter"},
    {u"CMT", u"Zentimeter"},
    {u"MTR", u"Meter"},
    {u"KMT", u"Kilometer"},
    {u"MTK", u"Quadratmeter"},
    {u"HAR", u"Hektar"},
    {u"MTQ", u"Kubikmeter"},
    {u"MLT", u"Milliliter"},
    {u"LTR", u"Liter"},
    {u"KWT", u"Kilowatt"},
    {u"KWH", u"Kilowattstunde"},
    {u"MWH", u"Megawattstunde"},
    {u"SET", u"Satz"},
    {u"PR", u"Paar"},
    {u"LS", u"pauschal"},
    {u"XPP", u"Packung"},
    {u"XPK", u"Packung"},
    {u"XBX", u"Schachtel"},
    {u"XCT", u"Karton"},
    {u"XBG", u"Beutel"},
    {u"XSA", u"Sack"},
    {u"XRO", u"Rolle"},
    {u"XPX", u"Palette"},
    {u"XBO", u"Flasche"},
    {u"P1", u"Prozent"},
    {u"E48", u"Leistungseinheit"},
    {u"DZN", u"Dutzend"},
    {u"A9", u"Rate"},
    {u"D64", u"Block"},
    {u"ZZ", u"gegenseitig bestimmte Einheit"},
    {u"XZZ", u"gegenseitig bestimmte Einheit"},
};

// VAT categories (UNTDID 5305, the subset of EN 16931).
constexpr CodeWord kVatCategories[] = {
    {u"S", u"Umsatzsteuerpflichtig"},
    {u"Z", u"Nullsatz"},
    {u"E", u"Steuerbefreit"},
    {u"AE", u"Steuerschuldnerschaft des Leistungsempfängers"},
    {u"K", u"Innergemeinschaftliche Lieferung"},
    {u"G", u"Ausfuhr außerhalb der EU"},
    {u"O", u"Nicht steuerbar"},
    {u"L", u"IGIC (Kanarische Inseln)"},
    {u"M", u"IPSI (Ceuta und Melilla)"},
};

// Payment means (UNTDID 4461, the ones in use).
constexpr CodeWord kPaymentMeans[] = {
    {u"1", u"Nicht festgelegt"},
    {u"10", u"Barzahlung"},
    {u"20", u"Scheck"},
    {u"30", u"Überweisung"},
    {u"31", u"Abbuchung"},
    {u"42", u"Zahlung auf ein Bankkonto"},
    {u"48", u"Kartenzahlung"},
    {u"49", u"Lastschrift"},
    {u"54", u"Kreditkarte"},
    {u"55", u"Debitkarte"},
    {u"57", u"Dauerauftrag"},
    {u"58", u"SEPA-Überweisung"},
    {u"59", u"SEPA-Lastschrift"},
    {u"68", u"Online-Zahlungsdienst"},
    {u"97", u"Verrechnung zwischen den Partnern"},
    {u"ZZZ", u"Gegenseitig vereinbart"},
    {u"70", u"Wechsel"},
};

template <size_t N> const std::u16string_view* Find(const CodeWord (&table)[N], std::u16string_view code)
{
    for (const CodeWord& entry : table)
        if (entry.first == code)
            return &entry.second;
    return nullptr;
}

template <size_t N> std::u16string WordOr(const CodeWord (&table)[N], std::u16string_view code)
{
    const std::u16string_view* word = Find(table, code);
    return std::u16string(word ? *word : code);
}

// The digits of a non-negative whole number with a full stop between groups of three.
std::u16string Grouped(uint64_t whole)
{
    const std::string digits = std::to_string(whole);
    std::u16string text;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += u'.';
        text += char16_t(digits[i]);
    }
    return text;
}

uint64_t Magnitude(int64_t value)
{
    return value < 0 ? 0 - uint64_t(value) : uint64_t(value);
}

}  // namespace

std::u16string InvoiceTypeName(std::u16string_view code)
{
    return WordOr(kTypes, code);
}

bool IsKnownInvoiceType(std::u16string_view code)
{
    return Find(kTypes, code) != nullptr;
}

std::u16string UnitName(std::u16string_view code)
{
    return WordOr(kUnits, code);
}

std::u16string VatCategoryName(std::u16string_view code)
{
    return WordOr(kVatCategories, code);
}

std::u16string PaymentMeansName(std::u16string_view code)
{
    return WordOr(kPaymentMeans, code);
}

std::u16string GermanDate(const ReceivedDate& date)
{
    auto two = [](int n) {
        std::u16string s;
        s += char16_t(u'0' + (n / 10) % 10);
        s += char16_t(u'0' + n % 10);
        return s;
    };
    std::u16string year;
    for (char c : std::to_string(date.year))
        year += char16_t(c);
    while (year.size() < 4)
        year.insert(year.begin(), u'0');
    return two(date.day) + u'.' + two(date.month) + u'.' + year;
}

Micros RoundToCents(Micros value)
{
    constexpr uint64_t cent = 10'000;
    // The largest whole number of cents: rounding at the very end of the range stays inside it.
    constexpr uint64_t largest = uint64_t(INT64_MAX) / cent * cent;
    const uint64_t magnitude = std::min((Magnitude(value) + cent / 2) / cent * cent, largest);
    return value < 0 ? -Micros(magnitude) : Micros(magnitude);
}

std::u16string GermanDecimal(Micros value, int minDecimals)
{
    const uint64_t magnitude = Magnitude(value);
    std::u16string text = value < 0 ? u"-" : u"";
    text += Grouped(magnitude / 1'000'000);
    std::string fraction = std::to_string(1'000'000 + magnitude % 1'000'000).substr(1);
    while (int(fraction.size()) > minDecimals && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty()) {
        text += u',';
        text.append(fraction.begin(), fraction.end());
    }
    return text;
}

std::u16string GermanAmount(Micros value)
{
    return GermanDecimal(RoundToCents(value), 2);
}

std::u16string MoneyText(Micros value, std::u16string_view currency)
{
    std::u16string text = GermanAmount(value);
    if (currency.empty())
        return text;
    text += u' ';
    text += currency == u"EUR" ? std::u16string_view(u"€") : currency;
    return text;
}

std::u16string PercentText(Micros value)
{
    return GermanDecimal(value, 0) + u" %";
}

std::u16string IbanText(std::u16string_view iban)
{
    std::u16string text;
    size_t count = 0;
    for (char16_t c : iban) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r')
            continue;
        if (count > 0 && count % 4 == 0)
            text += u' ';
        text += c;
        ++count;
    }
    return text;
}
