#include "einvoice/EInvoiceDefaults.h"

#include "einvoice/CountryCodes.h"
#include "invoices/TRechnungRec.h"
#include "invoices/TRechnungSettings.h"
#include "invoices/TextBuf.h"
#include "invoices/TextRules.h"

#include <cmath>

namespace {

struct CategoryRow {
    std::u16string_view code;
    std::u16string_view name;
    std::u16string_view reason;
};

constexpr CategoryRow kCategories[kZeroRateCategoryCount] = {
    {u"Z", u"Nullsatz (Z)", u""},
    {u"E", u"Steuerbefreit (E)", u"Steuerfreie Leistung gemäß § 4 UStG"},
    {u"AE", u"Steuerschuldnerschaft des Leistungsempfängers (AE)",
     u"Steuerschuldnerschaft des Leistungsempfängers gemäß § 13b UStG (Reverse Charge)"},
    {u"K", u"Innergemeinschaftliche Lieferung (K)",
     u"Steuerfreie innergemeinschaftliche Lieferung gemäß § 4 Nr. 1b UStG"},
    {u"G", u"Ausfuhrlieferung (G)", u"Steuerfreie Ausfuhrlieferung gemäß § 4 Nr. 1a UStG"},
    {u"O", u"Nicht steuerbar (O)", u"Nicht im Inland steuerbare Leistung"},
};

std::u16string Or(std::u16string_view own, const std::u16string& fallback)
{
    const std::u16string_view trimmed = Trimmed(own);
    return trimmed.empty() ? fallback : std::u16string(trimmed);
}

}

std::u16string_view ZeroRateCategoryCode(uint8_t category)
{
    return category < kZeroRateCategoryCount ? kCategories[category].code : std::u16string_view();
}

std::u16string_view ZeroRateCategoryName(uint8_t category)
{
    return category < kZeroRateCategoryCount ? kCategories[category].name : std::u16string_view();
}

std::u16string_view DefaultExemptionReason(uint8_t category)
{
    return category < kZeroRateCategoryCount ? kCategories[category].reason : std::u16string_view();
}

std::u16string CompanyStreet(const TRechnungSettings& s)
{
    return CompanyField(s.StrasseEd2, u"StraßeEd");
}
std::u16string CompanyPostcode(const TRechnungSettings& s)
{
    return CompanyField(s.PLZED2, u"PLZEd");
}
std::u16string CompanyCity(const TRechnungSettings& s)
{
    return CompanyField(s.OrtED2, u"OrtED");
}
std::u16string CompanyTaxNumber(const TRechnungSettings& s)
{
    return CompanyField(s.SteuerED2, u"SteuerED");
}
std::u16string CompanyEmail(const TRechnungSettings& s)
{
    return CompanyField(s.eMailED2, u"eMailEd");
}
std::u16string CompanyTelephone(const TRechnungSettings& s)
{
    return CompanyField(s.TelEd2, u"TelED");
}

std::u16string SellerCountry(const TRechnungSettings& s)
{
    return Or(Compact(s.LandCodeEd), u"DE");
}

std::u16string SellerElectronicAddress(const TRechnungSettings& s)
{
    return Or(s.EAdresseEd, CompanyEmail(s));
}

std::u16string ContactTelephone(const TRechnungSettings& s)
{
    return Or(s.KontaktTelEd, CompanyTelephone(s));
}

std::u16string ContactEmail(const TRechnungSettings& s)
{
    return Or(s.KontaktMailEd, CompanyEmail(s));
}

std::u16string PaymentTermsProposal(int32_t days)
{
    const std::string n = std::to_string(days);
    return u"Zahlbar innerhalb von " + std::u16string(n.begin(), n.end()) +
           (days == 1 ? u" Tag ohne Abzug." : u" Tagen ohne Abzug.");
}

std::u16string PaymentTerms(const TRechnungSettings& s)
{
    return Or(s.ZahlungsbedingungEd, PaymentTermsProposal(s.ZahlungszielEd));
}

double InvoiceDay(const TRechnungRec& r)
{
    return std::floor(r.datum);
}

double SupplyDate(const TRechnungRec& r)
{
    return r.leistungvon != 0 ? r.leistungvon : InvoiceDay(r);
}

double DueDate(const TRechnungRec& r, const TRechnungSettings& s)
{
    return r.faellig != 0 ? r.faellig : InvoiceDay(r) + s.ZahlungszielEd;
}

std::u16string BuyerElectronicAddress(const TRechnungRec& r)
{
    return Or(TextOf(r.kaeuferadresse), std::u16string(Trimmed(TextOf(r.email))));
}

std::optional<std::u16string> BuyerCountry(const TRechnungRec& r)
{
    const std::u16string own = Compact(TextOf(r.kaeuferland));
    if (!own.empty())
        return own;
    return CountryFromLand(TextOf(r.land));
}

std::u16string ProposedBuyerReference(const TRechnungRec& r)
{
    return std::u16string(Trimmed(TextOf(r.ihrebestellung)));
}

std::u16string ExemptionReason(const TRechnungRec& r)
{
    return Or(TextOf(r.befreiung), std::u16string(DefaultExemptionReason(r.nullkategorie)));
}
