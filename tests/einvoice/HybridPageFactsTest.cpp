// What the page of a hybrid e-invoice shows, made from built e-invoices of the test books and
// compared with the XML written from the same document; the page drawn with it stays clear,
// and a PDF of it through the program's PDF writer reads back with its facts.
#include "EInvoiceBooks.h"

#include "einvoice/CiiXmlWriter.h"
#include "einvoice/EInvoiceBuilder.h"
#include "einvoice/EInvoiceDefaults.h"
#include "einvoice/HybridPageFactsBuilder.h"
#include "foundation/Utf8.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "output/AmountText.h"
#include "output/PageBoxes.h"
#include "output/TLayoutFormat.h"
#include "output/TPageLayout.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

EInvoiceDocument Built(TRechnungBook& book, int32_t kind, EInvoiceProfile profile)
{
    const EInvoiceBuild build = BuildEInvoice(book, 0, kind, profile);
    EXPECT_EQ(Utf16ToUtf8(GapsText(build.gaps)), "");
    return build.document;
}

// Every value of an element of the XML, in document order.
std::vector<std::string> Values(const std::string& xml, const std::string& element)
{
    const std::regex pattern("<" + element + "(?: [^>]*)?>([^<]*)</" + element + ">");
    std::vector<std::string> values;
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), pattern); it != std::sregex_iterator(); ++it)
        values.push_back((*it)[1]);
    return values;
}

// An XML amount ("964.00", "-0.01") in cents.
int64_t Cents(const std::string& amount)
{
    std::string digits;
    for (const char c : amount)
        if (c != '.')
            digits += c;
    return std::stoll(digits);
}

// A date of format 102 (YYYYMMDD) as the page writes it by default.
std::string PageDate(const std::string& yyyymmdd)
{
    return yyyymmdd.substr(6, 2) + "." + yyyymmdd.substr(4, 2) + "." + yyyymmdd.substr(0, 4);
}

std::string U8s(const std::u16string& text)
{
    return Utf16ToUtf8(text);
}

struct Expected {
    std::vector<std::string> vatLabels;
    std::string supplyLine;
    std::string sellerVatId;
    std::string buyerVatId;
    std::string exemption;  // empty: no line
};

const Expected& ExpectedOf(const std::string& name)
{
    static const std::string kSeller = "USt-IdNr.: DE123456789";
    static const std::map<std::string, Expected> expected = {
        {"ein-satz-19", {{"MwSt 19 %"}, "Leistungsdatum: 05.03.2026", kSeller, "", ""}},
        {"gemischt-7-19-nullsatz-sonderzeichen-einheiten-lieferadresse",
         {{"MwSt 19 %", "MwSt 7 %", "MwSt 0 %"}, "Leistungsdatum: 05.03.2026", kSeller, "", ""}},
        {"gutschrift-steuerbefreit-leistungszeitraum",
         {{"MwSt 0 %", "MwSt 19 %"},
          "Leistungszeitraum: 01.02.2026 – 28.02.2026",
          kSeller,
          "",
          "Steuerfreie Heilbehandlung gemäß § 4 Nr. 14 UStG"}},
        {"reverse-charge-500-positionen",
         {{"MwSt 0 %"},
          "Leistungsdatum: 05.03.2026",
          kSeller,
          "Ihre USt-IdNr.: DE987654321",
          "Steuerschuldnerschaft des Leistungsempfängers gemäß § 13b UStG (Reverse Charge)"}},
        {"innergemeinschaftlich",
         {{"MwSt 0 %"},
          "Leistungsdatum: 05.03.2026",
          kSeller,
          "Ihre USt-IdNr.: FR12345678901",
          "Steuerfreie innergemeinschaftliche Lieferung gemäß § 4 Nr. 1b UStG"}},
        {"ausfuhr-en16931",
         {{"MwSt 0 %"},
          "Leistungsdatum: 05.03.2026",
          kSeller,
          "",
          "Steuerfreie Ausfuhrlieferung gemäß § 4 Nr. 1a UStG"}},
        // Not subject to VAT: the XML carries no VAT numbers, so the page shows none.
        {"nicht-steuerbar",
         {{"MwSt 0 %"}, "Leistungsdatum: 05.03.2026", "", "", "Nicht im Inland steuerbare Leistung"}},
        {"kleinunternehmer",
         {{"MwSt 0 %"}, "Leistungsdatum: 05.03.2026", "", "", U8s(std::u16string(kKleinunternehmerReason))}},
        {"keine-mwst-berechnen",
         {{"MwSt 0 %"}, "Leistungsdatum: 05.03.2026", kSeller, "", "Steuerfreie Leistung gemäß § 4 UStG"}},
    };
    return expected.at(name);
}

}  // namespace

TEST(HybridPageFacts, RatesWithDecimalsOnlyWhereTheyHaveThem)
{
    const struct {
        int64_t millionths;
        char16_t separator;
        const char16_t* text;
    } cases[] = {
        {19000000, u',', u"19"},        {7000000, u',', u"7"},       {5500000, u',', u"5,5"},
        {5500000, u'.', u"5.5"},        {7250000, u',', u"7,25"},    {0, u',', u"0"},
        {16000001, u',', u"16,000001"}, {123456, u',', u"0,123456"}, {100000000, u',', u"100"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RatePercentText(c.millionths, c.separator), c.text) << c.millionths;
}

TEST(HybridPageFacts, EveryTestBookSaysWhatItsXmlSays)
{
    for (const EInvoiceCase& c : EInvoiceCases()) {
        SCOPED_TRACE(c.name);
        TRechnungBook book;
        c.fill(book);
        const EInvoiceDocument doc = Built(book, c.kind, c.profile);
        const std::string xml = WriteCiiXml(doc);
        const HybridPageFacts facts = HybridPageFactsOf(doc, TLayoutFormat{});
        const Expected& want = ExpectedOf(c.name);

        // The amounts: those of the XML to the cent.
        EXPECT_EQ(facts.netTotal, Cents(Values(xml, "ram:TaxBasisTotalAmount").at(0)));
        EXPECT_EQ(facts.amountDue, Cents(Values(xml, "ram:DuePayableAmount").at(0)));
        const std::vector<std::string> rounding = Values(xml, "ram:RoundingAmount");
        EXPECT_EQ(facts.rounding, rounding.empty() ? 0 : Cents(rounding[0]));
        const std::vector<std::string> taxes = Values(xml, "ram:CalculatedAmount");
        ASSERT_EQ(facts.vatLines.size(), taxes.size());
        std::vector<std::string> labels;
        int64_t sum = facts.netTotal + facts.rounding;
        for (size_t i = 0; i < taxes.size(); ++i) {
            EXPECT_EQ(facts.vatLines[i].cents, Cents(taxes[i])) << i;
            labels.push_back(U8s(facts.vatLines[i].label));
            sum += facts.vatLines[i].cents;
        }
        EXPECT_EQ(labels, want.vatLabels);
        EXPECT_EQ(sum, facts.amountDue) << "the lines of the totals add up to the amount due";

        // The texts.
        EXPECT_EQ(U8s(facts.supplyLine), want.supplyLine);
        const std::string due = Values(xml, "udt:DateTimeString").back();  // the due date comes last
        EXPECT_EQ(U8s(facts.dueLine), "Zahlbar bis zum " + PageDate(due));
        EXPECT_EQ(U8s(facts.sellerVatId), want.sellerVatId);
        EXPECT_EQ(U8s(facts.buyerVatId), want.buyerVatId);
        const std::vector<std::string> reasons = Values(xml, "ram:ExemptionReason");
        if (want.exemption.empty()) {
            EXPECT_TRUE(facts.exemptionLines.empty());
            EXPECT_TRUE(reasons.empty());
        } else {
            ASSERT_EQ(facts.exemptionLines.size(), 1u);
            EXPECT_EQ(U8s(facts.exemptionLines[0]), want.exemption);
            ASSERT_FALSE(reasons.empty());
            EXPECT_EQ(reasons[0], want.exemption);
        }
    }
}

TEST(HybridPageFacts, OneRateInCents)
{
    TRechnungBook book;
    EInvoiceCases()[0].fill(book);
    const HybridPageFacts facts = HybridPageFactsOf(Built(book, 0, EInvoiceProfile::XRechnung), TLayoutFormat{});
    // 8 × 100,00 net and 100 × 0,10084… = 10,08: 810,08 net, 19 % of it 153,92, together the
    // printed 964,00.
    EXPECT_EQ(facts.netTotal, 81008);
    ASSERT_EQ(facts.vatLines.size(), 1u);
    EXPECT_EQ(facts.vatLines[0].cents, 15392);
    EXPECT_EQ(facts.rounding, 0);
    EXPECT_EQ(facts.amountDue, 96400);
    EXPECT_EQ(facts.dueLine, u"Zahlbar bis zum 19.03.2026");  // 14 days after the invoice date
}

TEST(HybridPageFacts, RateWithDecimalsDatesAndSeparatorOfTheFormat)
{
    TRechnungBook book;
    FillSeller(book);
    AppendBuyerInvoice(book, u"RE-2026-010");
    AddPosition(book, 0, u"Stück", u"Zeitschrift", 3, 5.5, 4.22);
    AddPosition(book, 0, u"Stück", u"Mappe", 1, 19, 11.9);
    book.Rechnung(0).faellig = 46113;  // 1 April 2026
    const EInvoiceDocument doc = Built(book, 0, EInvoiceProfile::XRechnung);

    const HybridPageFacts german = HybridPageFactsOf(doc, TLayoutFormat{});
    ASSERT_EQ(german.vatLines.size(), 2u);
    EXPECT_EQ(german.vatLines[0].label, u"MwSt 5,5 %");
    EXPECT_EQ(german.vatLines[1].label, u"MwSt 19 %");
    EXPECT_EQ(german.dueLine, u"Zahlbar bis zum 01.04.2026");

    const HybridPageFacts other = HybridPageFactsOf(doc, TLayoutFormat{u'.', u"yyyy-MM-dd"});
    EXPECT_EQ(other.vatLines[0].label, u"MwSt 5.5 %");
    EXPECT_EQ(other.supplyLine, u"Leistungsdatum: 2026-03-05");
    EXPECT_EQ(other.dueLine, u"Zahlbar bis zum 2026-04-01");
}

// The page drawn with the facts of each test book (500 positions among them) stays clear on
// every page and shows the XML's amounts beside their labels.
TEST(HybridPageFacts, PagesOfTheTestBooksAreClear)
{
    for (const EInvoiceCase& c : EInvoiceCases()) {
        SCOPED_TRACE(c.name);
        TRechnungBook book;
        c.fill(book);
        const HybridPageFacts facts = HybridPageFactsOf(Built(book, c.kind, c.profile), TLayoutFormat{});
        RecordingCanvas canvas(TOutputTarget::Pdf(kNoPrinterPage));
        TPageLayout(canvas, book, 0, c.kind, TLayoutFormat{}, &facts).Run();
        // The long company name of one book gives a sender line that runs under the company
        // block, as on the ordinary page.
        const std::u16string senderLine = book.settings.FirmaED2 + u", " + book.settings.ZusatzEd2 + u", " +
                                          book.settings.StrasseEd2 + u", " + book.settings.PLZED2 + u" " +
                                          book.settings.OrtED2;
        ExpectClearPages(canvas, book.settings, {senderLine});

        const std::vector<TextBox> boxes = TextBoxes(canvas);
        const auto amountBeside = [&](std::u16string_view label) {
            const TextBox l = BoxOf(canvas, label);
            for (const TextBox& b : boxes)
                if (b.page == l.page && b.y1 == l.y1 && b.x1 > l.x2)
                    return b.text;
            return std::u16string(u"(none)");
        };
        const std::u16string currency = book.settings.WaehrEd;
        if (!book.settings.NoMwstCheck) {
            for (const HybridTotalsLine& line : facts.vatLines)
                EXPECT_EQ(amountBeside(line.label), CentsText(line.cents, u',', currency));
        }
        EXPECT_EQ(amountBeside(u"Gesamtbetrag"), CentsText(facts.amountDue, u',', currency));
        EXPECT_TRUE(canvas.HasText(facts.dueLine));
        EXPECT_TRUE(canvas.HasText(facts.supplyLine));
        if (!facts.sellerVatId.empty()) {
            EXPECT_TRUE(canvas.HasText(facts.sellerVatId));
        }
        if (!facts.buyerVatId.empty()) {
            EXPECT_TRUE(canvas.HasText(facts.buyerVatId));
        }
        for (const std::u16string& reason : facts.exemptionLines)
            EXPECT_TRUE(canvas.HasText(reason)) << "one line at this width";
    }
}
