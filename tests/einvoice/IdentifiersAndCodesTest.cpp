// What the settings and invoice tabs check while the user types, the code lists, and the
// defaults and proposals of the electronic invoice fields.
#include "einvoice/CodeLists.h"
#include "einvoice/CountryCodes.h"
#include "einvoice/EInvoiceDefaults.h"
#include "einvoice/IdentifierChecks.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "invoices/UnitCodes.h"

#include <gtest/gtest.h>

TEST(IdentifierChecks, IbanCheckDigitsAndShape)
{
    const struct {
        const char16_t* iban;
        bool valid;
    } cases[] = {
        {u"DE02120300000000202051", true},
        {u"DE02 1203 0000 0000 2020 51", true},  // as printed
        {u"de02120300000000202051", true},       // typed in lower case
        {u"DE89370400440532013000", true},
        {u"AT611904300234573201", true},
        {u"CH9300762011623852957", true},
        {u"GB82WEST12345698765432", true},
        {u"DE03120300000000202051", false},  // check digits off by one
        {u"DE02120300000000202052", false},  // a digit changed
        {u"DE0212030000000020205", false},   // a German IBAN is 22 long
        {u"DE021203000000002020511", false},
        {u"D002120300000000202051", false},
        {u"DE02-1203-0000-0000-2020-51", false},  // only spaces may separate
        {u"", false},
        {u"DE02", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IbanValid(c.iban), c.valid)
            << std::string(c.iban, c.iban + std::char_traits<char16_t>::length(c.iban));
}

TEST(IdentifierChecks, VatIdentifiersAndBic)
{
    EXPECT_TRUE(GermanVatIdShape(u"DE123456789"));
    EXPECT_TRUE(GermanVatIdShape(u"DE 123 456 789"));
    EXPECT_FALSE(GermanVatIdShape(u"DE12345678"));
    EXPECT_FALSE(GermanVatIdShape(u"DE1234567890"));
    EXPECT_FALSE(GermanVatIdShape(u"DE12345678X"));
    EXPECT_FALSE(GermanVatIdShape(u"AT123456789"));
    EXPECT_TRUE(VatIdValid(u"DE123456789"));
    EXPECT_FALSE(VatIdValid(u"DE12345"));
    EXPECT_TRUE(VatIdValid(u"ATU12345678"));
    EXPECT_TRUE(VatIdValid(u"FR12345678901"));
    EXPECT_TRUE(VatIdValid(u"EL123456789"));  // Greece
    EXPECT_FALSE(VatIdValid(u"XX123456789"));
    EXPECT_FALSE(VatIdValid(u"12345678"));
    EXPECT_FALSE(VatIdValid(u"AT"));
    EXPECT_TRUE(BicValid(u"BYLADEM1001"));
    EXPECT_TRUE(BicValid(u"COBADEFF"));
    EXPECT_FALSE(BicValid(u"COBADEF"));
    EXPECT_FALSE(BicValid(u"1OBADEFF"));
}

TEST(CodeLists, UnitsCurrenciesAndCountries)
{
    for (const TEinheitCode& row : DefaultUnitMap())
        EXPECT_TRUE(IsUnitCode(row.code));
    EXPECT_TRUE(IsUnitCode(kUnitCodeOne));
    EXPECT_FALSE(IsUnitCode(u"KGX"));
    EXPECT_FALSE(IsUnitCode(u"h87"));
    EXPECT_FALSE(IsUnitCode(u""));
    EXPECT_TRUE(IsCurrencyCode(u"EUR"));
    EXPECT_TRUE(IsCurrencyCode(u"CHF"));
    EXPECT_FALSE(IsCurrencyCode(u"€"));
    EXPECT_FALSE(IsCurrencyCode(u"EURO"));
    EXPECT_TRUE(IsCountryCode(u"DE"));
    EXPECT_TRUE(IsCountryCode(u"XI"));
    EXPECT_FALSE(IsCountryCode(u"de"));
    EXPECT_FALSE(IsCountryCode(u"ZZ"));
    // The list is sorted, so that the look-up finds every entry.
    const auto& list = CountryCodes();
    for (size_t i = 1; i < list.size(); ++i)
        EXPECT_LT(list[i - 1].code, list[i].code);
    for (const CountryCode& c : list)
        EXPECT_TRUE(IsCountryCode(c.code));
}

TEST(CodeLists, CountryOfTheLandField)
{
    const struct {
        const char16_t* land;
        const char16_t* code;  // null: not clear
    } cases[] = {
        {u"", u"DE"},
        {u"  ", u"DE"},
        {u"D", u"DE"},
        {u"de", u"DE"},
        {u"Deutschland", u"DE"},
        {u" deutschland ", u"DE"},
        {u"A", u"AT"},
        {u"AT", u"AT"},
        {u"Österreich", u"AT"},
        {u"ÖSTERREICH", u"AT"},
        {u"CH", u"CH"},
        {u"Schweiz", u"CH"},
        {u"Frankreich", u"FR"},
        {u"NL", u"NL"},
        {u"Niederlande", u"NL"},
        {u"FL", u"LI"},
        {u"Atlantis", nullptr},
        {u"D-", nullptr},
        {u"Deutschland, Bayern", nullptr},
    };
    for (const auto& c : cases) {
        const auto code = CountryFromLand(c.land);
        if (c.code)
            EXPECT_EQ(code, std::optional<std::u16string>(c.code));
        else
            EXPECT_FALSE(code.has_value());
    }
}

TEST(UnitCodes, DefaultTableAndLookUp)
{
    const std::vector<TEinheitCode> table = DefaultUnitMap();
    const struct {
        const char16_t* einheit;
        const char16_t* code;
    } cases[] = {
        {u"Stück", u"H87"},   {u"Stk.", u"H87"}, {u"stk.", u"H87"},    {u" Std. ", u"HUR"}, {u"Stunde", u"HUR"},
        {u"Stunden", u"HUR"}, {u"Tag", u"DAY"},  {u"Tage", u"DAY"},    {u"Monat", u"MON"},  {u"kg", u"KGM"},
        {u"g", u"GRM"},       {u"t", u"TNE"},    {u"m", u"MTR"},       {u"m²", u"MTK"},     {u"m³", u"MTQ"},
        {u"l", u"LTR"},       {u"km", u"KMT"},   {u"Pauschal", u"LS"}, {u"pausch.", u"LS"}, {u"psch.", u"LS"},
        {u"Paket", u"XPK"},   {u"", u"C62"},     {u"Karton", u"C62"},  {u"Stk", u"C62"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UnitCodeFor(table, c.einheit), c.code);
    // An edited table: its own rows count.
    EXPECT_EQ(UnitCodeFor({{u"Karton", u"CT"}}, u"karton"), u"CT");
    EXPECT_EQ(UnitCodeFor({{u"Karton", u"CT"}}, u"Stück"), u"C62");
}

TEST(EInvoiceDefaults, ProposalsFollowTheCompanyAndTheInvoice)
{
    TRechnungBook book;
    TRechnungSettings& s = book.settings;
    // The fields as delivered hold placeholder texts, which are no data.
    EXPECT_EQ(CompanyName(s), u"");
    EXPECT_EQ(AccountHolder(s), u"");
    EXPECT_EQ(SellerElectronicAddress(s), u"");
    EXPECT_EQ(SellerCountry(s), u"DE");
    EXPECT_EQ(PaymentTerms(s), u"Zahlbar innerhalb von 14 Tagen ohne Abzug.");
    s.FirmaED2 = u"Vestrik GmbH";
    s.eMailED2 = u"info@vestrik.example";
    s.TelEd2 = u"089 1234";
    s.ZahlungszielEd = 30;
    EXPECT_EQ(AccountHolder(s), u"Vestrik GmbH");
    EXPECT_EQ(SellerElectronicAddress(s), u"info@vestrik.example");
    EXPECT_EQ(ContactEmail(s), u"info@vestrik.example");
    EXPECT_EQ(ContactTelephone(s), u"089 1234");
    EXPECT_EQ(PaymentTerms(s), u"Zahlbar innerhalb von 30 Tagen ohne Abzug.");
    s.KontoinhaberEd = u"Max Vestrik";
    s.EAdresseEd = u"rechnung@vestrik.example";
    s.LandCodeEd = u"at";
    s.ZahlungsbedingungEd = u"Sofort.";
    EXPECT_EQ(AccountHolder(s), u"Max Vestrik");
    EXPECT_EQ(SellerElectronicAddress(s), u"rechnung@vestrik.example");
    EXPECT_EQ(SellerCountry(s), u"AT");
    EXPECT_EQ(PaymentTerms(s), u"Sofort.");

    TRechnungRec& r = book.AppendRechnung();
    r.datum = 46086.75;  // 5 March 2026, evening
    SetTextBuf(&r.email, u"kunde@example.org");
    SetTextBuf(&r.land, u"Österreich");
    SetTextBuf(&r.ihrebestellung, u" 04011000-12345-06 ");
    EXPECT_EQ(SupplyDate(r), 46086.0);
    EXPECT_EQ(DueDate(r, s), 46116.0);
    EXPECT_EQ(BuyerElectronicAddress(r), u"kunde@example.org");
    EXPECT_EQ(BuyerCountry(r), std::optional<std::u16string>(u"AT"));
    EXPECT_EQ(ProposedBuyerReference(r), u"04011000-12345-06");
    EXPECT_EQ(ExemptionReason(r), u"");  // Z carries none
    r.nullkategorie = uint8_t(ZeroRateCategory::AE);
    EXPECT_EQ(ExemptionReason(r), DefaultExemptionReason(2));
    EXPECT_NE(ExemptionReason(r).find(u"13b"), std::u16string::npos);
    r.leistungvon = 46050;
    r.faellig = 46090;
    SetTextBuf(&r.kaeuferadresse, u"einkauf@example.org");
    SetTextBuf(&r.kaeuferland, u"ch");
    SetTextBuf(&r.befreiung, u"Eigener Grund");
    EXPECT_EQ(SupplyDate(r), 46050.0);
    EXPECT_EQ(DueDate(r, s), 46090.0);
    EXPECT_EQ(BuyerElectronicAddress(r), u"einkauf@example.org");
    EXPECT_EQ(BuyerCountry(r), std::optional<std::u16string>(u"CH"));
    EXPECT_EQ(ExemptionReason(r), u"Eigener Grund");
    for (uint8_t k = 0; k < kZeroRateCategoryCount; ++k) {
        EXPECT_FALSE(ZeroRateCategoryCode(k).empty());
        EXPECT_FALSE(ZeroRateCategoryName(k).empty());
        EXPECT_EQ(DefaultExemptionReason(k).empty(), k == 0);
    }
    EXPECT_TRUE(ZeroRateCategoryCode(6).empty());
}
