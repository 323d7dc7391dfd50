#include "einvoice/EInvoiceBuilder.h"

#include "einvoice/CodeLists.h"
#include "einvoice/CountryCodes.h"
#include "einvoice/EInvoiceDefaults.h"
#include "einvoice/IdentifierChecks.h"
#include "foundation/TDynaArray.h"
#include "invoices/CurrencyCode.h"
#include "invoices/DateTime.h"
#include "invoices/NumberText.h"
#include "invoices/Numbering.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "invoices/TextRules.h"
#include "invoices/UnitCodes.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace {

using Text = std::u16string;

Text Quoted(std::u16string_view text)
{
    return u"„" + Text(text) + u"“";
}

Text Number(uint32_t n)
{
    const std::string s = std::to_string(n);
    return Text(s.begin(), s.end());
}

Text Field(const char16_t* buffer)
{
    return Text(Trimmed(TextOf(buffer)));
}

bool IsDate(double value)
{
    TDateTimeParts parts;
    return DecodeDateTime(value, parts);
}

// "Mustermann" or "Erika Mustermann".
Text PersonName(const Text& vorname, const Text& name)
{
    if (vorname.empty())
        return name;
    if (name.empty())
        return vorname;
    return vorname + u" " + name;
}

class Builder {
public:
    Builder(const TRechnungBook& book, uint32_t index, EInvoiceProfile profile)
        : s_(book.settings),
          r_(book.Rechnung(index)),
          xrechnung_(profile == EInvoiceProfile::XRechnung)
    {
        doc_.profile = profile;
    }

    EInvoiceBuild Run(int typeCode)
    {
        doc_.typeCode = typeCode;
        doc_.amounts = EInvoiceAmounts::Of(r_, s_);
        Header();
        Seller();
        Buyer();
        Delivery();
        Dates();
        Payment();
        Lines();
        Taxes();
        return {std::move(doc_), std::move(gaps_), false};
    }

private:
    void Gap(const Text& what, std::u16string_view where) { gaps_.push_back(what + u" – " + Text(where)); }
    // A gap that only XRechnung has.
    void XGap(const Text& what, std::u16string_view where)
    {
        if (xrechnung_)
            Gap2(what + u" – Pflicht bei XRechnung.", where);
    }
    void Gap2(const Text& what, std::u16string_view where) { gaps_.push_back(what + u" " + Text(where)); }

    bool Uses(VatCategory category) const
    {
        return std::any_of(doc_.amounts.lines.begin(), doc_.amounts.lines.end(),
                           [&](const EInvoiceLine& line) { return line.category == category; });
    }

    void Header()
    {
        if (s_.RegNrMode == TRegNrMode::NoRegNr)
            Gap2(u"Rechnungsnummer fehlt – die Einstellungen schreiben keine Rechnungsnummern.", kTabFirma);
        doc_.number = Text(Trimmed(DocumentNumber(s_, r_)));
        if (doc_.number.empty() && s_.RegNrMode != TRegNrMode::NoRegNr)
            Gap(u"Rechnungsnummer fehlt", kTabAdresse);
        doc_.issueDate = InvoiceDay(r_);
        if (!IsDate(r_.datum))
            Gap(u"Rechnungsdatum ist ungültig", kTabAdresse);
        doc_.note = Field(r_.rechtext);
        doc_.orderReference = Field(r_.ihrebestellung);
        doc_.buyerReference = Field(r_.kaeuferref);
        if (doc_.buyerReference.empty())
            XGap(u"Käuferreferenz (Leitweg-ID) fehlt", kTabERechnungRechnung);
        doc_.currency = CurrencyCode(s_.WaehrEd);
        if (!IsCurrencyCode(doc_.currency))
            Gap(u"Währung " + Quoted(s_.WaehrEd) + u" ist kein ISO-4217-Code wie EUR", kTabWaehrung);
    }

    void Seller()
    {
        doc_.sellerName = CompanyName(s_);
        if (doc_.sellerName.empty())
            Gap(u"Firmenname fehlt", kTabFirma);
        // The company block's "Zusatz Text:" is a slogan or the owner's name, no address line.
        doc_.sellerAddress = {CompanyStreet(s_), u"", CompanyPostcode(s_), CompanyCity(s_), SellerCountry(s_)};
        if (doc_.sellerAddress.city.empty())
            XGap(u"Ort der Firma fehlt", kTabFirma);
        if (doc_.sellerAddress.postcode.empty())
            XGap(u"PLZ der Firma fehlt", kTabFirma);
        if (!IsCountryCode(doc_.sellerAddress.country))
            Gap(u"Ländercode der Firma " + Quoted(doc_.sellerAddress.country) + u" ist kein ISO-3166-Code",
                kTabERechnungEinstellungen);

        const Text vatId = Compact(s_.UStIdEd);
        if (!vatId.empty() && !VatIdValid(vatId))
            Gap(u"USt-IdNr. der Firma " + Quoted(s_.UStIdEd) + u" ist ungültig" +
                    (vatId.compare(0, 2, u"DE") == 0 ? u" (DE und 9 Ziffern)" : u""),
                kTabERechnungEinstellungen);
        doc_.sellerVatId = vatId;
        doc_.sellerTaxNumber = CompanyTaxNumber(s_);
        if (vatId.empty() && doc_.sellerTaxNumber.empty())
            Gap2(u"USt-IdNr. oder Steuernummer der Firma fehlt – Reiter E-Rechnung der Einstellungen oder", kTabFirma);

        doc_.sellerEAddress = SellerElectronicAddress(s_);
        if (doc_.sellerEAddress.empty())
            XGap(u"Elektronische Adresse der Firma fehlt", kTabERechnungEinstellungen);
        doc_.contactName = Text(Trimmed(s_.KontaktNameEd));
        doc_.contactTelephone = ContactTelephone(s_);
        doc_.contactEmail = ContactEmail(s_);
        if (doc_.contactName.empty())
            XGap(u"Kontaktperson fehlt", kTabERechnungEinstellungen);
        if (doc_.contactTelephone.empty())
            XGap(u"Telefon der Kontaktperson fehlt", kTabERechnungEinstellungen);
        if (doc_.contactEmail.empty())
            XGap(u"E-Mail der Kontaktperson fehlt", kTabERechnungEinstellungen);
    }

    void Buyer()
    {
        const Text firma = Field(r_.firma);
        const Text person = PersonName(Field(r_.vorname), Field(r_.name));
        doc_.buyerName = firma.empty() ? person : firma;
        doc_.buyerContact = firma.empty() ? Text() : person;
        if (doc_.buyerName.empty())
            Gap(u"Name oder Firma des Käufers fehlt", kTabAdresse);
        doc_.buyerAddress.line1 = Field(r_.strasse);
        doc_.buyerAddress.line2 = Field(r_.zusatz);
        doc_.buyerAddress.postcode = Field(r_.plz);
        doc_.buyerAddress.city = Field(r_.ort);
        if (doc_.buyerAddress.city.empty())
            XGap(u"Ort des Käufers fehlt", kTabAdresse);
        if (doc_.buyerAddress.postcode.empty())
            XGap(u"PLZ des Käufers fehlt", kTabAdresse);
        if (const auto country = BuyerCountry(r_); !country) {
            Gap2(u"Land des Käufers " + Quoted(Trimmed(TextOf(r_.land))) + u" nicht erkannt – Ländercode wählen.",
                 kTabERechnungRechnung);
        } else if (!IsCountryCode(*country)) {
            Gap(u"Ländercode des Käufers " + Quoted(*country) + u" ist kein ISO-3166-Code", kTabERechnungRechnung);
        } else {
            doc_.buyerAddress.country = *country;
        }
        doc_.buyerVatId = Compact(TextOf(r_.kaeuferustid));
        if (!doc_.buyerVatId.empty() && !VatIdValid(doc_.buyerVatId))
            Gap(u"USt-IdNr. des Käufers " + Quoted(Trimmed(TextOf(r_.kaeuferustid))) + u" ist ungültig",
                kTabERechnungRechnung);
        doc_.buyerEAddress = BuyerElectronicAddress(r_);
        if (doc_.buyerEAddress.empty())
            XGap(u"Elektronische Adresse des Käufers fehlt", kTabERechnungRechnung);
    }

    void Delivery()
    {
        bool set = false;
        for (TRechnungText field : kLieferAdresse)
            set = set || !Trimmed(TextOf(r_.*field)).empty();
        if (!set) {
            // An intra-community supply names the country it goes to: the buyer's.
            if (Uses(VatCategory::K)) {
                doc_.hasDelivery = true;
                doc_.deliveryName = doc_.buyerName;
                doc_.deliveryAddress = doc_.buyerAddress;
            }
            return;
        }
        doc_.hasDelivery = true;
        const Text firma = Field(r_.lfirma);
        doc_.deliveryName = firma.empty() ? PersonName(Field(r_.lvorname), Field(r_.lname)) : firma;
        doc_.deliveryAddress.line1 = Field(r_.lstrasse);
        doc_.deliveryAddress.line2 = Field(r_.lzusatz);
        doc_.deliveryAddress.postcode = Field(r_.lplz);
        doc_.deliveryAddress.city = Field(r_.lort);
        if (doc_.deliveryAddress.city.empty())
            XGap(u"Ort der Lieferadresse fehlt", kTabLieferadresse);
        if (doc_.deliveryAddress.postcode.empty())
            XGap(u"PLZ der Lieferadresse fehlt", kTabLieferadresse);
        // An empty country is the buyer's.
        const std::u16string_view land = Trimmed(TextOf(r_.lland));
        const auto country = land.empty() ? std::optional<Text>(doc_.buyerAddress.country) : CountryFromLand(land);
        if (!country)
            Gap(u"Land der Lieferadresse " + Quoted(land) + u" nicht erkannt", kTabLieferadresse);
        else
            doc_.deliveryAddress.country = *country;
    }

    void Dates()
    {
        doc_.supplyDate = std::floor(SupplyDate(r_));
        if (r_.leistungvon != 0 && !IsDate(r_.leistungvon))
            Gap(u"Leistungsdatum ist ungültig", kTabERechnungRechnung);
        if (r_.leistungbis != 0) {
            doc_.hasPeriod = true;
            doc_.periodEnd = std::floor(r_.leistungbis);
            if (!IsDate(r_.leistungbis))
                Gap(u"Ende des Leistungszeitraums ist ungültig", kTabERechnungRechnung);
            else if (doc_.periodEnd < doc_.supplyDate)
                Gap(u"Ende des Leistungszeitraums liegt vor seinem Beginn", kTabERechnungRechnung);
        }
        doc_.dueDate = std::floor(DueDate(r_, s_));
        if (r_.faellig != 0 && !IsDate(r_.faellig))
            Gap(u"Fälligkeitsdatum ist ungültig", kTabERechnungRechnung);
        if (s_.ZahlungszielEd < 0 || s_.ZahlungszielEd > 3650)
            Gap(u"Zahlungsziel muss zwischen 0 und 3650 Tagen liegen", kTabERechnungEinstellungen);
        else if (r_.faellig == 0 && IsDate(r_.datum) && !IsDate(doc_.dueDate))
            Gap(u"Fälligkeitsdatum ist ungültig", kTabERechnungRechnung);
    }

    void Payment()
    {
        doc_.paymentTerms = PaymentTerms(s_);
        doc_.paymentReference = doc_.number;
        doc_.iban = Compact(s_.IbanEd);
        doc_.bic = Compact(s_.BicEd);
        doc_.accountHolder = AccountHolder(s_);
        if (doc_.iban.empty()) {
            if (!doc_.bic.empty() || !Trimmed(s_.KontoinhaberEd).empty() || !Trimmed(s_.BankEd).empty())
                Gap(u"IBAN fehlt", kTabERechnungEinstellungen);
        } else if (!IbanValid(doc_.iban)) {
            Gap(u"IBAN " + Quoted(Trimmed(s_.IbanEd)) + u" ist ungültig (Prüfziffern)", kTabERechnungEinstellungen);
        }
        if (!doc_.bic.empty() && !BicValid(doc_.bic))
            Gap(u"BIC " + Quoted(Trimmed(s_.BicEd)) + u" ist ungültig", kTabERechnungEinstellungen);
    }

    void Lines()
    {
        const uint32_t count = r_.posis->Count();
        if (count == 0)
            Gap(u"Die Rechnung hat keine Positionen", kTabPositionen);
        std::vector<Text> badUnits;
        bool unknownCategory = false;
        bool positionInvalid = false;
        for (uint32_t i = 0; i < count; ++i) {
            const auto& p = *static_cast<const TPositionRec*>(r_.posis->At(i));
            const Text where = u"Position " + Number(i + 1) + u": ";
            EInvoiceItem item;
            item.sellerId = Field(p.artnr);
            const FirstLineAndRest bez = SplitFirstLine(TextOf(p.bez));
            item.name = bez.first;
            item.description = bez.rest;
            if (item.name.empty())
                Gap(where + u"Bezeichnung fehlt", kTabPositionen);
            item.unitCode = UnitCodeFor(s_.EinheitenGrid, TextOf(p.einheit));
            if (!IsUnitCode(item.unitCode)) {
                const Text unit(Trimmed(TextOf(p.einheit)));
                if (std::find(badUnits.begin(), badUnits.end(), unit) == badUnits.end()) {
                    badUnits.push_back(unit);
                    Gap(u"Einheit " + Quoted(unit) + u": " + Quoted(item.unitCode) + u" ist kein UN/ECE-Einheitencode",
                        kTabERechnungEinstellungen);
                }
            }
            doc_.items.push_back(std::move(item));
            const Text rate = FormatGeneral(p.mwst, u',') + u" %";
            switch (TaxOfPosition(p, s_, r_.nullkategorie).problem) {
            case PositionProblem::None:
                break;
            case PositionProblem::NotANumber:
                positionInvalid = true;
                Gap(where + u"Menge, Preis oder MwSt-Satz ist keine gültige Zahl", kTabPositionen);
                break;
            case PositionProblem::RateOutOfRange:
                Gap(where + u"MwSt-Satz " + rate + u" ist ungültig", kTabPositionen);
                break;
            case PositionProblem::RateBelowHalfPercent:
                Gap(where + u"MwSt-Satz " + rate +
                        u" ist kleiner als 0,5 % und lässt sich in einer E-Rechnung "
                        u"nicht ausweisen",
                    kTabPositionen);
                break;
            case PositionProblem::VatDespiteNoMwst:
                Gap2(where + u"MwSt-Satz " + rate +
                         u", aber „Keine MwSt berechnen“ ist gesetzt – Satz auf 0 "
                         u"setzen oder das Häkchen entfernen (" +
                         Text(kTabFirma.substr(0, kTabFirma.size() - 1)) + u").",
                     kTabPositionen);
                break;
            case PositionProblem::VatDespiteKleinunternehmer:
                Gap2(where + u"MwSt-Satz " + rate +
                         u", aber als Kleinunternehmer wird keine Umsatzsteuer "
                         u"ausgewiesen – Satz auf 0 setzen oder „Keine MwSt "
                         u"berechnen“ setzen.",
                     kTabPositionen);
                break;
            case PositionProblem::UnknownZeroRateCategory:
                unknownCategory = true;
                break;
            }
        }
        if (!doc_.amounts.valid && !positionInvalid)
            Gap(u"Die Beträge der Rechnung sind zu groß für eine E-Rechnung", kTabPositionen);
        if (unknownCategory)
            Gap2(u"Steuerkategorie der Positionen mit 0 % ist unbekannt – Kategorie wählen.", kTabERechnungRechnung);
    }

    void Taxes()
    {
        const bool usesO = Uses(VatCategory::O);
        if (usesO && std::any_of(doc_.amounts.lines.begin(), doc_.amounts.lines.end(),
                                 [](const EInvoiceLine& line) { return line.category != VatCategory::O; }))
            Gap(u"Nicht steuerbare Positionen (O) lassen sich nicht mit Positionen mit MwSt in einer E-Rechnung "
                u"mischen",
                kTabERechnungRechnung);
        if (!s_.KleinunternehmerCheck && r_.nullkategorie == uint8_t(ZeroRateCategory::Z) && Uses(VatCategory::Z) &&
            !Trimmed(TextOf(r_.befreiung)).empty())
            Gap2(u"Befreiungsgrund ist beim Nullsatz (Z) nicht erlaubt – Feld leeren oder andere Kategorie wählen.",
                 kTabERechnungRechnung);
        doc_.exemptionReason = s_.KleinunternehmerCheck ? Text(kKleinunternehmerReason) : ExemptionReason(r_);

        if (Uses(VatCategory::K) && doc_.sellerVatId.empty())
            Gap2(u"USt-IdNr. der Firma fehlt – Pflicht bei innergemeinschaftlicher Lieferung.",
                 kTabERechnungEinstellungen);
        else if (Uses(VatCategory::G) && doc_.sellerVatId.empty())
            Gap2(u"USt-IdNr. der Firma fehlt – Pflicht bei Ausfuhrlieferung.", kTabERechnungEinstellungen);
        if (doc_.buyerVatId.empty()) {
            if (Uses(VatCategory::K))
                Gap2(u"USt-IdNr. des Käufers fehlt – Pflicht bei innergemeinschaftlicher Lieferung.",
                     kTabERechnungRechnung);
            else if (Uses(VatCategory::AE))
                Gap2(u"USt-IdNr. des Käufers fehlt – Pflicht bei Steuerschuldnerschaft des Leistungsempfängers.",
                     kTabERechnungRechnung);
        }
        // Not subject to VAT: no VAT identifiers at all; the tax number (or the VAT number) then
        // identifies the seller.
        if (usesO) {
            doc_.sellerId = doc_.sellerTaxNumber.empty() ? doc_.sellerVatId : doc_.sellerTaxNumber;
            doc_.sellerVatId.clear();
            doc_.buyerVatId.clear();
        } else if (doc_.sellerVatId.empty()) {
            doc_.sellerId = doc_.sellerTaxNumber;
        }
    }

    const TRechnungSettings& s_;
    const TRechnungRec& r_;
    const bool xrechnung_;
    EInvoiceDocument doc_;
    std::vector<Text> gaps_;
};

}

int EInvoiceTypeCode(int32_t kind)
{
    switch (kind) {
    case 0:
        return 380;  // Rechnung
    case 3:
        return 381;  // Gutschrift
    default:
        return 0;
    }
}

std::u16string NotAnInvoiceText(int32_t kind)
{
    static constexpr std::u16string_view kOnly =
        u" keine Rechnung: als E-Rechnung lassen sich nur Rechnungen und Gutschriften speichern.";
    switch (kind) {
    case 0:
    case 3:
        return {};
    case 1:
        return u"Ein Lieferschein ist" + Text(kOnly);
    case 2:
        return u"Ein Angebot ist" + Text(kOnly);
    case 4:
        return u"Eine Auftragsbestätigung ist" + Text(kOnly);
    case 5:
        return u"Eine Proforma Rechnung ist" + Text(kOnly);
    case 6:
        return u"Eine Mahnung ist" + Text(kOnly);
    case 7:
        return u"Eine Bestellung ist" + Text(kOnly);
    default:
        return u"Keine Dokumentart gewählt: als E-Rechnung lassen sich nur Rechnungen und Gutschriften speichern.";
    }
}

EInvoiceBuild BuildEInvoice(const TRechnungBook& book, uint32_t index, int32_t kind, EInvoiceProfile profile)
{
    const int typeCode = EInvoiceTypeCode(kind);
    if (typeCode == 0) {
        EInvoiceBuild refused;
        refused.refused = true;
        refused.gaps.push_back(NotAnInvoiceText(kind));
        return refused;
    }
    return Builder(book, index, profile).Run(typeCode);
}

std::u16string GapsText(const std::vector<std::u16string>& gaps)
{
    std::u16string text;
    for (const std::u16string& gap : gaps) {
        if (!text.empty())
            text += u'\n';
        text += gap;
    }
    return text;
}
