// The readable page of a received invoice on a recording canvas, and the German words and
// number forms it is written in.
#include "ReceivedTestInvoice.h"
#include "output/RecordingCanvas.h"
#include "received/ReceivedCodeNames.h"
#include "received/ReceivedInvoiceCheck.h"
#include "received/ReceivedInvoicePages.h"
#include "received/ReceivedPageWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const TOutputTarget kA4 = TOutputTarget::Pdf(kNoPrinterPage);

// Every page drawn on a canvas of its own.
std::vector<std::unique_ptr<RecordingCanvas>> DrawAll(const ReceivedInvoice& invoice, const ReceivedCheck& check)
{
    RecordingCanvas measure(kA4);
    const ReceivedInvoicePages pages(invoice, check, measure);
    std::vector<std::unique_ptr<RecordingCanvas>> drawn;
    for (int p = 0; p < pages.PageCount(); ++p) {
        drawn.push_back(std::make_unique<RecordingCanvas>(kA4));
        pages.DrawPage(*drawn.back(), p);
    }
    return drawn;
}

std::u16string Repeated(std::u16string_view part, int n)
{
    std::u16string text;
    for (int i = 0; i < n; ++i)
        text += part;
    return text;
}

// Fails for every text or rule that leaves the page or lies left of its edge.
void ExpectInsidePage(const RecordingCanvas& canvas, int page)
{
    int32_t size = 0;
    for (const RecordingCanvas::Call& call : canvas.Calls()) {
        if (call.op == "Font")
            size = call.a;
        if (call.op == "Text") {
            EXPECT_GE(call.x, 0) << "page " << page << ": " << U8(call.text);
            EXPECT_LE(call.x + RecordingCanvas::Width(call.text, size), kA4.pw)
                << "page " << page << ": " << U8(call.text);
            EXPECT_GE(call.y, 0) << "page " << page << ": " << U8(call.text);
            EXPECT_LE(call.y + RecordingCanvas::Height(call.text, size), kA4.ph)
                << "page " << page << ": " << U8(call.text);
        }
        if (call.op == "MoveTo" || call.op == "LineTo") {
            EXPECT_TRUE(call.x >= 0 && call.x <= kA4.pw && call.y >= 0 && call.y <= kA4.ph) << "page " << page;
        }
    }
}

// The colour of the font in force when the first text equal to `text` was drawn.
uint32_t ColorOf(const RecordingCanvas& canvas, std::u16string_view text)
{
    uint32_t color = 0xFFFFFFFF;
    for (const RecordingCanvas::Call& call : canvas.Calls()) {
        if (call.op == "Font")
            color = uint32_t(call.c);
        if (call.op == "Text" && call.text == text)
            return color;
    }
    ADD_FAILURE() << "no text " << U8(text);
    return color;
}

}  // namespace

TEST(ReceivedCodeNames, WordsForCodesAndUnknownCodesAsTheyStand)
{
    struct Case {
        std::u16string (*name)(std::u16string_view);
        std::u16string_view code;
        std::u16string_view word;
    };
    const Case cases[] = {
        {InvoiceTypeName, u"380", u"Rechnung"},
        {InvoiceTypeName, u"381", u"Gutschrift"},
        {InvoiceTypeName, u"384", u"Rechnungskorrektur"},
        {InvoiceTypeName, u"389", u"Gutschrift im Gutschriftverfahren"},
        {InvoiceTypeName, u"326", u"Teilrechnung"},
        {InvoiceTypeName, u"875", u"Abschlagsrechnung für Bauleistungen"},
        {InvoiceTypeName, u"877", u"Schlussrechnung für Bauleistungen"},
        {InvoiceTypeName, u"999", u"999"},
        {UnitName, u"C62", u"Stück"},
        {UnitName, u"H87", u"Stück"},
        {UnitName, u"HUR", u"Stunde"},
        {UnitName, u"ANN", u"Jahr"},
        {UnitName, u"MTK", u"Quadratmeter"},
        {UnitName, u"LS", u"pauschal"},
        {UnitName, u"KWH", u"Kilowattstunde"},
        {UnitName, u"XPP", u"Packung"},
        {UnitName, u"X9Z", u"X9Z"},
        {UnitName, u"", u""},
        {VatCategoryName, u"AE", u"Steuerschuldnerschaft des Leistungsempfängers"},
        {VatCategoryName, u"K", u"Innergemeinschaftliche Lieferung"},
        {VatCategoryName, u"Q", u"Q"},
        {PaymentMeansName, u"58", u"SEPA-Überweisung"},
        {PaymentMeansName, u"59", u"SEPA-Lastschrift"},
        {PaymentMeansName, u"30", u"Überweisung"},
        {PaymentMeansName, u"ZZ9", u"ZZ9"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(U8(c.name(c.code)), U8(c.word)) << U8(c.code);
    EXPECT_TRUE(IsKnownInvoiceType(u"751"));
    EXPECT_FALSE(IsKnownInvoiceType(u"999"));
}

TEST(ReceivedCodeNames, NumbersDatesAndIbanInGermanForm)
{
    struct AmountCase {
        Micros value;
        std::u16string_view text;
    };
    const AmountCase amounts[] = {
        {0, u"0,00"},
        {M(1234.56), u"1.234,56"},
        {M(-0.05), u"-0,05"},
        {M(0.005), u"0,01"},
        {M(-0.005), u"-0,01"},
        {M(0.004999), u"0,00"},
        {M(-0.004), u"0,00"},
        {M(999.995), u"1.000,00"},
        {M(1e12), u"1.000.000.000.000,00"},
        {INT64_MIN, u"-9.223.372.036.854,77"},
    };
    for (const AmountCase& c : amounts)
        EXPECT_EQ(U8(GermanAmount(c.value)), U8(c.text)) << c.value;
    struct DecimalCase {
        Micros value;
        int minDecimals;
        std::u16string_view text;
    };
    const DecimalCase decimals[] = {
        {M(1500), 0, u"1.500"}, {M(0.125), 2, u"0,125"}, {M(2.5), 0, u"2,5"}, {M(1.000001), 0, u"1,000001"},
        {M(-3), 0, u"-3"},      {M(12), 2, u"12,00"},    {0, 0, u"0"},
    };
    for (const DecimalCase& c : decimals)
        EXPECT_EQ(U8(GermanDecimal(c.value, c.minDecimals)), U8(c.text)) << c.value;
    EXPECT_EQ(U8(MoneyText(M(1234.5), u"EUR")), "1.234,50 €");
    EXPECT_EQ(U8(MoneyText(M(1234.5), u"USD")), "1.234,50 USD");
    EXPECT_EQ(U8(MoneyText(M(7), u"")), "7,00");
    EXPECT_EQ(U8(PercentText(M(19))), "19 %");
    EXPECT_EQ(U8(PercentText(M(2.5))), "2,5 %");
    EXPECT_EQ(U8(GermanDate({2026, 1, 5})), "05.01.2026");
    EXPECT_EQ(U8(GermanDate({999, 12, 31})), "31.12.0999");
    struct IbanCase {
        std::u16string_view given;
        std::u16string_view shown;
    };
    const IbanCase ibans[] = {
        {u"DE02120300000000202051", u"DE02 1203 0000 0000 2020 51"},
        {u"DE02 1203 0000 0000 2020 51", u"DE02 1203 0000 0000 2020 51"},
        {u" DE0212 03000000\t0020 2051 ", u"DE02 1203 0000 0000 2020 51"},
        {u"AT61", u"AT61"},
        {u"", u""},
    };
    for (const IbanCase& c : ibans)
        EXPECT_EQ(U8(IbanText(c.given)), U8(c.shown));
}

TEST(ReceivedPages, EveryBlockOnThePageWithItsBusinessTerm)
{
    ReceivedInvoice invoice = FullInvoice();
    invoice.buyer.electronicAddress = {u"", u"EM"};  // a scheme without an address is left out
    const auto pages = DrawAll(invoice, CheckReceivedInvoice(invoice));
    // All pages' calls in one recording, page after page.
    RecordingCanvas page(kA4);
    for (const auto& drawn : pages) {
        for (const RecordingCanvas::Call& call : drawn->Calls()) {
            if (call.op == "Font")
                page.SetFont({call.text, call.a, uint8_t(call.b), uint32_t(call.c)});
            else if (call.op == "Text")
                page.TextOut(call.x, call.y, call.text);
        }
    }
    // The check first, then the parties, the title, the lines, the sums, the payment.
    const std::vector<std::u16string> inOrder = {u"Summen geprüft: stimmen.",
                                                 u"Verkäufer",
                                                 u"Müller Haustechnik GmbH",
                                                 u"Käufer",
                                                 u"Zahlungsempfänger",
                                                 u"Lieferung an",
                                                 u"Rechnung Nr. RE-2026-001",
                                                 u"31.01.2026",
                                                 u"20.01.2026",
                                                 u"Pos.",
                                                 u"Wartung Heizung",
                                                 u"Stunde",
                                                 u"240,00",
                                                 u"-10,00 €",
                                                 u"Zahlbetrag",
                                                 u"246,30 €",
                                                 u"Kategorie (BT-118)",
                                                 u"Zahlung",
                                                 u"SEPA-Überweisung (58)",
                                                 u"DE02 1203 0000 0000 2020 51",
                                                 u"BYLADEM1001",
                                                 u"Bemerkungen",
                                                 u"Pruefprotokoll.pdf (application/pdf), 1234 Bytes"};
    int last = -1;
    for (const std::u16string& text : inOrder) {
        const int index = page.IndexOfText(text);
        EXPECT_GT(index, last) << U8(text);
        last = std::max(last, index);
    }
    for (const char16_t* tag : {u"BT-1", u"BT-2", u"BT-27", u"BT-44", u"BT-84", u"BT-86", u"BT-115", u"BT-9", u"BT-20",
                                u"BT-22", u"BT-125", u"BT-10", u"BT-72"}) {
        bool found = false;
        for (const std::u16string& text : page.Texts())
            found = found || text == tag || text.starts_with(std::u16string(tag) + u",") ||
                    text.ends_with(u", " + std::u16string(tag));
        EXPECT_TRUE(found) << U8(tag);
    }
    for (const std::u16string& text : page.Texts())
        EXPECT_FALSE(text.ends_with(u": (EM)") || text == u"(EM)") << U8(text);
    // The tags in small grey print.
    const int tag = page.IndexOfText(u"BT-84");
    ASSERT_GE(tag, 0);
    EXPECT_LT(page.FontSizeAt(size_t(tag)), 8);
    EXPECT_TRUE(page.HasText(u"Mengenrabatt: 1,00 €") || page.HasText(u"Nachlass: Mengenrabatt: 1,00 €"));
    for (size_t p = 0; p < pages.size(); ++p)
        ExpectInsidePage(*pages[p], int(p) + 1);
}

TEST(ReceivedPages, TitleNamesTheTypeInGermanWords)
{
    struct TitleCase {
        std::u16string type;
        std::u16string number;
        std::u16string title;
    };
    const TitleCase cases[] = {
        {u"381", u"G-7", u"Gutschrift Nr. G-7"},
        {u"384", u"K-1", u"Rechnungskorrektur Nr. K-1"},
        {u"875", u"A-2", u"Abschlagsrechnung für Bauleistungen Nr. A-2"},
        {u"999", u"X-1", u"Beleg der Art 999 Nr. X-1"},
        {u"", u"R-1", u"Rechnung Nr. R-1"},
        {u"380", u"", u"Rechnung"},
    };
    for (const TitleCase& c : cases) {
        ReceivedInvoice invoice = AgreeingInvoice();
        invoice.typeCode = c.type;
        invoice.number = c.number;
        const auto pages = DrawAll(invoice, CheckReceivedInvoice(invoice));
        EXPECT_TRUE(pages[0]->HasText(c.title)) << U8(c.title);
    }
}

// Lines break at line breaks and spaces, and inside a word too long for a line. The recording
// canvas measures 4,5 units a character in the body font, so 8 characters fit in 40 units.
TEST(ReceivedPages, WrapBreaksAtSpacesAndInsideLongWords)
{
    struct WrapCase {
        std::u16string text;
        std::vector<std::u16string> lines;
    };
    const WrapCase cases[] = {
        {u"", {}},
        {u"abc def", {u"abc def"}},
        {u"abcd efgh ij", {u"abcd", u"efgh ij"}},
        {u"abcdefghijklmnopqrst", {u"abcdefgh", u"ijklmnop", u"qrst"}},
        {u"xy abcdefghijk", {u"xy", u"abcdefgh", u"ijk"}},
        {u"a\r\nb\rc\nd", {u"a", u"b", u"c", u"d"}},
        {u"a\n\nb", {u"a", u"", u"b"}},
        {u"a\n", {u"a"}},
        {u"  a   b  ", {u"a b"}},
        {u"\n", {u""}},
    };
    RecordingCanvas canvas(kA4);
    ReceivedPageWriter writer(canvas);
    for (const WrapCase& c : cases) {
        std::vector<std::string> expected;
        for (const std::u16string& line : c.lines)
            expected.push_back(U8(line));
        std::vector<std::string> wrapped;
        for (const std::u16string& line : writer.Wrap(Ink::Body, c.text, 40))
            wrapped.push_back(U8(line));
        EXPECT_EQ(wrapped, expected) << U8(c.text);
    }
}

// A value whose list of business terms would take more than half its width gets the list on a
// line of its own below it.
TEST(ReceivedPages, LongTagListsGoBelowNarrowValues)
{
    RecordingCanvas canvas(kA4);
    ReceivedPageWriter writer(canvas);
    Block block;
    const int32_t bottom = writer.AddValue(block, 100, 0, 120, Ink::Body, u"Wert", u"BT-1, BT-2, BT-3, BT-4, BT-5");
    ASSERT_EQ(block.pieces.size(), 2u);
    EXPECT_EQ(block.pieces[1].x, 100);
    EXPECT_EQ(block.pieces[1].dy, block.pieces[0].dy + writer.LineHeight(Ink::Body));
    EXPECT_EQ(bottom, block.pieces[1].dy + writer.LineHeight(Ink::Tag));
    // A short list stays beside the value.
    Block beside;
    writer.AddValue(beside, 100, 0, 120, Ink::Body, u"Wert", u"BT-1");
    ASSERT_EQ(beside.pieces.size(), 2u);
    EXPECT_GT(beside.pieces[1].x, 100 + writer.Width(Ink::Body, u"Wert"));
    EXPECT_LE(beside.pieces[1].x + writer.Width(Ink::Tag, u"BT-1"), 220);
}

TEST(ReceivedPages, CheckProblemsStandAboveInAFrameAndLongListsAreCounted)
{
    ReceivedInvoice invoice = AgreeingInvoice();
    invoice.totals.amountDue = M(1);
    ReceivedCheck check = CheckReceivedInvoice(invoice);
    auto pages = DrawAll(invoice, check);
    const RecordingCanvas& page = *pages[0];
    EXPECT_LT(page.IndexOfText(u"Summen geprüft: 1 Abweichung."), page.IndexOfText(u"Verkäufer"));
    EXPECT_TRUE(page.HasText(u"Zahlbetrag (BT-115) 1,00 € angegeben, berechnet 246,30 €."));
    // Dark red for sums that differ; dark green when they agree, even with a line that does
    // not compute.
    EXPECT_EQ(ColorOf(page, u"Summen geprüft: 1 Abweichung."), 0x0000B4u);
    ReceivedInvoice lineOnly = AgreeingInvoice();
    lineOnly.lines[2].netPrice = M(3.5);
    const auto lineOnlyPages = DrawAll(lineOnly, CheckReceivedInvoice(lineOnly));
    EXPECT_EQ(ColorOf(*lineOnlyPages[0], u"Summen geprüft: stimmen. 1 Position weicht von Menge × Preis ab."),
              0x006400u);
    for (int i = 0; i < 40; ++i)
        check.problems.push_back(u"Zeile " + std::u16string(1, char16_t(u'A' + i % 26)));
    pages = DrawAll(invoice, check);
    EXPECT_TRUE(pages[0]->HasText(u"… und 16 weitere."));
    EXPECT_TRUE(pages[0]->HasText(u"Zeile X"));   // the 25th line is shown
    EXPECT_FALSE(pages[0]->HasText(u"Zeile Y"));  // the 26th is not
}

TEST(ReceivedPages, LongInvoiceRepeatsTheTableHeadAndNumbersEveryPage)
{
    ReceivedInvoice invoice = AgreeingInvoice();
    for (int i = 0; i < 300; ++i) {
        ReceivedLine line = invoice.lines[0];
        line.id = u"L" + std::u16string(1, char16_t(u'0' + i % 10));
        invoice.lines.push_back(line);
    }
    const auto pages = DrawAll(invoice, CheckReceivedInvoice(invoice));
    ASSERT_GE(pages.size(), 3u);
    int rows = 0;
    for (size_t p = 0; p < pages.size(); ++p) {
        const std::string n = std::to_string(p + 1) + " von " + std::to_string(pages.size());
        EXPECT_TRUE(pages[p]->HasText(u"Seite " + std::u16string(n.begin(), n.end()))) << p;
        if (p + 1 < pages.size()) {
            EXPECT_EQ(pages[p]->CountText(u"Pos."), 1) << "page " << p + 1;
        }
        rows += pages[p]->CountText(u"Wartung Heizung");
        ExpectInsidePage(*pages[p], int(p) + 1);
    }
    EXPECT_EQ(rows, 301);
}

TEST(ReceivedPages, NothingRunsOffThePageHoweverLongTheTexts)
{
    ReceivedInvoice invoice = FullInvoice();
    const std::u16string word = Repeated(u"Überlänge", 60);  // one word of 540 characters
    invoice.number = word;
    invoice.seller.name = word;
    invoice.buyer.address.line1 = word;
    invoice.buyerReference = word;
    invoice.lines[0].itemName = word;
    invoice.lines[0].id = Repeated(u"9", 40);
    invoice.lines[0].quantity = M(999999999999);
    invoice.lines[0].unitCode = word;
    invoice.lines[0].attributes.push_back({word, word});
    invoice.payment.accounts[0].iban = Repeated(u"DE00", 40);
    invoice.notes.push_back({u"", word + u" " + word});
    invoice.attachments[0].fileName = word;
    invoice.currency = Repeated(u"X", 30);
    // A row taller than a page: its description runs on over the next pages.
    std::u16string tall;
    for (int i = 0; i < 150; ++i)
        tall += u"Absatz " + std::u16string(1, char16_t(u'a' + i % 26)) + u"\n";
    invoice.lines[1].itemDescription = tall;
    const auto pages = DrawAll(invoice, CheckReceivedInvoice(invoice));
    ASSERT_GE(pages.size(), 3u);
    int paragraphs = 0;
    for (size_t p = 0; p < pages.size(); ++p) {
        ExpectInsidePage(*pages[p], int(p) + 1);
        for (const std::u16string& text : pages[p]->Texts())
            paragraphs += text.starts_with(u"Absatz ");
    }
    EXPECT_EQ(paragraphs, 150);
}

TEST(ReceivedPages, PagesDrawAloneAndOutOfRangeDrawsNothing)
{
    ReceivedInvoice invoice = AgreeingInvoice();
    for (int i = 0; i < 200; ++i)
        invoice.lines.push_back(invoice.lines[0]);
    RecordingCanvas measure(kA4);
    const ReceivedCheck check = CheckReceivedInvoice(invoice);
    const ReceivedInvoicePages pages(invoice, check, measure);
    ASSERT_GE(pages.PageCount(), 2);
    RecordingCanvas last(kA4);
    pages.DrawPage(last, pages.PageCount() - 1);
    EXPECT_TRUE(last.HasText(u"Zahlbetrag"));
    EXPECT_FALSE(last.HasText(u"Verkäufer"));
    EXPECT_EQ(last.NewPages(), 0);
    for (int outside : {-1, pages.PageCount()}) {
        RecordingCanvas none(kA4);
        pages.DrawPage(none, outside);
        EXPECT_TRUE(none.Calls().empty()) << outside;
    }
}
