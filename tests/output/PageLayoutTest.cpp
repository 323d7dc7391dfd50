#include "LayoutFixture.h"
#include "invoices/TextBuf.h"
#include "output/TOutputTarget.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Rule = RecordingCanvas::Rule;

struct Drawn {
    int32_t x;
    int32_t y;
    std::u16string text;
    bool operator==(const Drawn&) const = default;
};

std::vector<Drawn> TextsWithPlaces(const RecordingCanvas& canvas)
{
    std::vector<Drawn> out;
    for (const auto& call : canvas.Calls()) {
        if (call.op == "Text")
            out.push_back({call.x, call.y, call.text});
    }
    return out;
}

void PrintTo(const Drawn& d, std::ostream* os)
{
    *os << "(" << d.x << ", " << d.y << ", \"" << U8(d.text) << "\")";
}

const std::u16string kFuss = u"Bankverbindung: Sparkasse XAZ,  IBAN.:DE4234293429 BIC: 4345345545";

}  // namespace

TEST(OutputTarget, DeviceLengthsOfTheThreeTargets)
{
    const TOutputTarget pdf = TOutputTarget::Pdf(kNoPrinterPage);
    EXPECT_EQ(pdf.pw, 595);
    EXPECT_EQ(pdf.ph, 841);
    EXPECT_EQ(pdf.Dev(15), 42);
    EXPECT_EQ(pdf.Dev(45), 127);
    EXPECT_EQ(pdf.Dev(130), 368);
    EXPECT_EQ(pdf.Dev(0.1), 0);
    EXPECT_EQ(pdf.Dev(3), 8);
    EXPECT_EQ(pdf.Dev(1), 2);
    EXPECT_EQ(pdf.FontSize(11), 11);

    const TOutputTarget printer = TOutputTarget::Printer(kNoPrinterPage);
    EXPECT_EQ(printer.Dev(15), 354);
    EXPECT_EQ(printer.Dev(0.1), 2);
    EXPECT_EQ(printer.pw, 4960);
    EXPECT_EQ(printer.ph, 7015);

    // Screen at 96 pixels per inch, printable area 4800 × 6800 at 600, zoom 30.
    const TOutputTarget preview = TOutputTarget::Preview(96, 30, TPrinterPage{4800, 6800, 600});
    EXPECT_EQ(preview.pw, 230);
    EXPECT_EQ(preview.ph, 326);
    EXPECT_EQ(preview.Dev(15), 17);
    EXPECT_EQ(preview.Dev(45), 51);
    EXPECT_EQ(preview.Dev(130), 147);
    EXPECT_EQ(preview.Dev(0.1), 0);
    EXPECT_EQ(preview.Dev(3), 3);
    EXPECT_EQ(preview.Dev(1), 1);
    EXPECT_EQ(preview.FontSize(11), 3);
    EXPECT_EQ(preview.FontSize(8), 2);
    // Zoom 35: one sixth larger.
    const TOutputTarget larger = TOutputTarget::Preview(96, 35, TPrinterPage{4800, 6800, 600});
    EXPECT_EQ(larger.pw, 268);
    EXPECT_EQ(larger.ph, 380);
    // Zoom 10: every font at least 1 point.
    EXPECT_EQ(TOutputTarget::Preview(96, 10, kNoPrinterPage).FontSize(8), 1);
    EXPECT_EQ(TOutputTarget::Preview(96, 10, kNoPrinterPage).FontSize(1), 1);
    // Sizes no page can show are brought into range on every target.
    EXPECT_EQ(pdf.FontSize(0), 1);
    EXPECT_EQ(pdf.FontSize(-12), 1);
    EXPECT_EQ(pdf.FontSize(2000000000), 32767);
    EXPECT_EQ(TOutputTarget::Preview(96, 300, kNoPrinterPage).FontSize(2000000000), 32767);

    // A printer without a usable resolution counts as no printer.
    const TOutputTarget broken = TOutputTarget::Pdf(TPrinterPage{4960, 7015, 0});
    EXPECT_EQ(broken.pw, 595);
    EXPECT_EQ(broken.ph, 841);
}

TEST(PageLayout, DefaultPageOnThePdf)
{
    LayoutFixture f;
    f.FillAddress();
    const auto canvas = f.Run();

    const int32_t fussWidth = RecordingCanvas::Width(kFuss, 9);
    const std::vector<Drawn> expected = {
        {42, 42, u"Firma - wir sind die besten"},
        {42, 127, u"FirmaED, ZusatzEd, StraßeEd, PLZEd OrtED"},
        // Recipient from ay + 2 × hs = 147; the empty salutation and additional line take no space.
        {42, 147, u""},
        {42, 147, u"Muster GmbH"},
        {42, 160, u"Max Mustermann"},
        {42, 173, u""},
        {42, 173, u"Hauptstr. 1"},
        {42, 186, u"12345 Berlin"},
        // Company block at ax from ay: street, city, a blank line, the contact lines.
        {368, 127, u"StraßeEd"},
        {368, 140, u"PLZEd OrtED"},
        {368, 166, u"Tel. TelED"},
        {368, 179, u"Fax FaxEd"},
        {368, 192, u"Steuer-Nr. SteuerED"},
        {368, 205, u"eMail: eMailEd"},
        // 218 + three lines of 13.
        {368, 257, u"OrtED, 05.03.2026"},
        {42, 257, u"Rechnung 17"},
        // Heading row at 257 + 16 + 16.
        {42, 289, u"Menge"},
        {93, 289, u"Einheit"},
        {144, 289, u"ArtikelNr"},
        {195, 289, u"Bezeichnung"},
        {391 - 22, 289, u"Netto"},
        {442 - 18, 289, u"MwSt"},
        {493 - 27, 289, u"Brutto"},
        {553 - 27, 289, u"Gesamt"},
        // Totals at pw div 2 after the offset rules.
        {297, 305, u"Gesamtbetrag netto"},
        {553 - 27, 305, u"0,00 €"},
        {297, 316, u"MwSt"},
        {553 - 27, 316, u"0,00 €"},
        {297, 329, u"Gesamtbetrag"},
        {553 - 33, 329, u"0,00 €"},
        // Footer: page number two lines and lw + 1 above the footer line, all centred.
        {42 + (511 - 22) / 2, 765, u"- 1 -"},
        {42 + (511 - fussWidth) / 2, 788, kFuss},
        {42 + 511 / 2, 799, u""},
        {42 + 511 / 2, 799, u""},
    };
    EXPECT_EQ(TextsWithPlaces(*canvas), expected);

    const std::vector<Rule> rules = {
        {42, 553, 61},    // header rule at ry + hk + lw + 1
        {42, 202, 138},   // sender rule at ay + hs + lw + 1, as wide as the sender line
        {42, 553, 302},   // heading rule: y += 2 × (lw + 1) first
        {42, 553, 304},   // end rule
        {297, 553, 328},  // under the VAT total
        {297, 553, 343},  // double rule, first line
        {297, 553, 346},  // second line dev(1) lower
        {42, 553, 787},   // footer rule lw + 1 above the footer line
    };
    EXPECT_EQ(canvas->Rules(), rules);
    EXPECT_EQ(canvas->NewPages(), 0);

    // The fonts: the title in the bold 14-point setting, the footer in 9 points.
    const auto& calls = canvas->Calls();
    EXPECT_EQ(canvas->FontSizeAt(size_t(canvas->IndexOfText(u"Rechnung 17"))), 14);
    EXPECT_EQ(canvas->FontSizeAt(size_t(canvas->IndexOfText(u"- 1 -"))), 9);
    EXPECT_EQ(canvas->FontSizeAt(size_t(canvas->IndexOfText(u"Gesamtbetrag"))), 11);
    for (const auto& call : calls) {
        if (call.op == "Pen") {
            EXPECT_EQ(call.a, 0);
        }
        if (call.op == "Font") {
            EXPECT_EQ(call.text, u"Arial");
        }
    }
}

TEST(PageLayout, PrinterAndPreviewPlaceRulesCompact)
{
    LayoutFixture f;
    f.settings().FussEd.clear();
    {
        // Printer at 600 pixels per inch: rx = ry = 354, ay = 1062, lw = 2 (fonts as set).
        const auto canvas = f.Run(0, LayoutFixture::Printer());
        const auto rules = canvas->Rules();
        ASSERT_GE(rules.size(), 2u);
        EXPECT_EQ(rules[0], (Rule{354, 4960 - 354, 354 + 18 + 2 + 1}));  // header rule offset
        const int32_t senderWidth = RecordingCanvas::Width(u"FirmaED, ZusatzEd, StraßeEd, PLZEd OrtED", 8);
        EXPECT_EQ(rules[1], (Rule{354, 354 + senderWidth, 1062 + 10}));  // sender rule compact
        EXPECT_TRUE(canvas->HasText(u"- 1 -"));
        // Heading rule compact: directly under the heading row.
        const int32_t heading = canvas->TextCall(u"Menge").y;
        EXPECT_EQ(rules[2], (Rule{354, 4960 - 354, heading + 11}));
        EXPECT_EQ(rules[3].y, heading + 11 + 3);  // end rule: the heading rule's lw + 1 later
    }
    {
        // Preview at 96 pixels per inch and zoom 100: rx = ry = 56, ay = 170.
        const auto canvas = f.Run(0, LayoutFixture::Preview());
        const auto rules = canvas->Rules();
        ASSERT_GE(rules.size(), 2u);
        EXPECT_EQ(rules[0], (Rule{56, 793 - 56, 56 + 18}));
        EXPECT_EQ(rules[1].y, 170 + 10);
        EXPECT_FALSE(canvas->HasText(u"- 1 -"));
        EXPECT_EQ(canvas->NewPages(), 0);
        // The closing text goes into the rectangle down to the page's bottom.
        bool closing = false;
        for (const auto& call : canvas->Calls()) {
            if (call.op == "WordBreak" && call.text.empty() && call.c == 0) {
                EXPECT_EQ(call.x, 56);
                EXPECT_EQ(call.a, 793 - 56);
                EXPECT_EQ(call.b, 1122);
                closing = true;
            }
        }
        EXPECT_TRUE(closing);
    }
}

TEST(PageLayout, EmptyRecipientTakesNoSpace)
{
    LayoutFixture f;
    f.settings().OwnBirefpapierCheck = true;  // address bottom decides where the title stands
    {
        const auto canvas = f.Run();
        // Four empty lines at ay, no name line, no city line; the title three lines lower.
        EXPECT_EQ(canvas->CountText(u""), 4 + 2);  // and the two empty footer lines
        EXPECT_FALSE(canvas->HasText(u" "));
        EXPECT_EQ(canvas->TextCall(u"Rechnung 17").y, 127 + 3 * 13);
        EXPECT_FALSE(canvas->HasText(u"FirmaED, ZusatzEd, StraßeEd, PLZEd OrtED"));
        EXPECT_FALSE(canvas->HasText(u"StraßeEd"));
        EXPECT_FALSE(canvas->HasText(u"Tel. TelED"));
        // The place-and-date line still starts at ax.
        EXPECT_EQ(canvas->TextCall(u"OrtED, 05.03.2026").x, 368);
    }
    f.settings().insertspaceline = true;
    EXPECT_EQ(f.Run()->TextCall(u"Rechnung 17").y, 127 + 13 + 3 * 13);
    f.settings().insertspaceline = false;
    f.settings().BindestrichCheck = true;
    {
        const auto canvas = f.Run();
        EXPECT_EQ(canvas->TextCall(u"- ").y, 127);
        EXPECT_EQ(canvas->TextCall(u"Rechnung 17").y, 127 + 13 + 3 * 13);
    }
}

TEST(PageLayout, NameAndCityLines)
{
    LayoutFixture f;
    f.Set(&TRechnungRec::name, u"Mustermann");
    f.Set(&TRechnungRec::land, u"D");
    f.Set(&TRechnungRec::plz, u"12345");
    f.Set(&TRechnungRec::ort, u"Berlin");
    {
        const auto canvas = f.Run();
        EXPECT_EQ(canvas->TextCall(u" Mustermann").y, 147);
        EXPECT_EQ(canvas->TextCall(u"D12345 Berlin").y, 160);
    }
    f.settings().BindestrichCheck = true;
    f.settings().insertspaceline = true;
    const auto canvas = f.Run();
    EXPECT_EQ(canvas->TextCall(u"D-12345 Berlin").y, 173);
}

TEST(PageLayout, DeliveryAddressByKind)
{
    LayoutFixture f;
    f.Set(&TRechnungRec::firma, u"Kunde AG");
    f.Set(&TRechnungRec::lort, u"Berlin");
    {
        // Lieferschein: the delivery address is the main address, the city line alone.
        const auto canvas = f.Run(1);
        EXPECT_EQ(canvas->TextCall(u" Berlin").x, 42);
        EXPECT_EQ(canvas->TextCall(u" Berlin").y, 147);
        EXPECT_FALSE(canvas->HasText(u"Kunde AG"));
        EXPECT_FALSE(canvas->HasText(u"Versandadresse:"));
        EXPECT_TRUE(canvas->HasText(u"Lieferschein 17"));
    }
    f.Set(&TRechnungRec::ihrebestellung, u"B-42");
    f.Set(&TRechnungRec::bestelldatum, u"01.03.2026");
    f.Set(&TRechnungRec::lfirma, u"Lager Süd");
    {
        // Rechnung: the block follows the order references, one line after them.
        const auto canvas = f.Run(0);
        EXPECT_TRUE(canvas->HasText(u"Kunde AG"));
        EXPECT_EQ(canvas->TextCall(u"Ihre Bestellung: B-42").y, 289);
        EXPECT_EQ(canvas->TextCall(u"Bestelldatum: 01.03.2026").y, 302);
        EXPECT_EQ(canvas->TextCall(u"Versandadresse:").y, 328);
        EXPECT_EQ(canvas->TextCall(u"Lager Süd").y, 341);
        EXPECT_EQ(canvas->TextCall(u" Berlin").y, 354);
        // Then one blank line before the heading row.
        EXPECT_EQ(canvas->TextCall(u"Menge").y, 380);
        EXPECT_LT(canvas->IndexOfText(u"Bestelldatum: 01.03.2026"), canvas->IndexOfText(u"Versandadresse:"));
    }
    const char16_t* titles[] = {u"Rechnung",   u"Lieferschein",        u"Angebot",
                                u"Gutschrift", u"Auftragsbestätigung", u"Proforma Rechnung",
                                u"Mahnung",    u"Bestellung"};
    const bool block[] = {true, false, false, false, true, true, true, true};
    for (int kind = 0; kind < 8; ++kind) {
        const auto canvas = f.Run(kind);
        EXPECT_TRUE(canvas->HasText(std::u16string(titles[kind]) + u" 17")) << kind;
        EXPECT_EQ(canvas->HasText(u"Versandadresse:"), block[kind]) << kind;
    }
    // No kind selected: the invoice title, no delivery block.
    const auto none = f.Run(-1);
    EXPECT_TRUE(none->HasText(u"Rechnung 17"));
    EXPECT_FALSE(none->HasText(u"Versandadresse:"));
    EXPECT_TRUE(none->HasText(u"Kunde AG"));
}

TEST(PageLayout, CompanyBlockSettings)
{
    LayoutFixture f;
    f.settings().FirmaRechtsCheck = true;
    f.settings().HomepageEd2 = u"www.example.de";
    {
        const auto canvas = f.Run();
        EXPECT_EQ(canvas->TextCall(u"FirmaED").y, 127);
        EXPECT_EQ(canvas->TextCall(u"ZusatzEd").y, 140);
        EXPECT_EQ(canvas->TextCall(u"StraßeEd").y, 153);
        EXPECT_EQ(canvas->TextCall(u"Homepage: www.example.de").y, 244);
    }
    f.settings().DonotShowAdressCheck = true;
    {
        const auto canvas = f.Run();
        EXPECT_FALSE(canvas->HasText(u"FirmaED"));
        EXPECT_FALSE(canvas->HasText(u"StraßeEd"));
        EXPECT_EQ(canvas->TextCall(u"Tel. TelED").x, 368);
        EXPECT_EQ(canvas->TextCall(u"Tel. TelED").y, 127);
    }
    // Without an additional text the sender line leaves that part out.
    f.settings().ZusatzEd2.clear();
    f.settings().TelEd2.clear();
    const auto canvas = f.Run();
    EXPECT_TRUE(canvas->HasText(u"FirmaED, StraßeEd, PLZEd OrtED"));
    EXPECT_EQ(canvas->TextCall(u"Fax FaxEd").y, 127);
}

TEST(PageLayout, NumberAfterTheTitle)
{
    LayoutFixture f;
    f.settings().RegNrMode = TRegNrMode::rechnrdatecheck;
    EXPECT_TRUE(f.Run()->HasText(u"Rechnung 202603050907"));
    f.rechnung().datum = 46087.0;  // 6 March 2026 from the date field: time 00:00
    EXPECT_TRUE(f.Run(2)->HasText(u"Angebot 202603060000"));
    f.settings().RegNrMode = TRegNrMode::NoRegNr;
    EXPECT_TRUE(f.Run()->HasText(u"Rechnung"));
    f.settings().RegNrMode = TRegNrMode::CountRegNr;
    f.Set(&TRechnungRec::rechnr, u"");
    EXPECT_TRUE(f.Run()->HasText(u"Rechnung "));
}

TEST(PageLayout, FooterVariants)
{
    LayoutFixture f;
    f.settings().FootCentCheck = false;
    f.settings().underlinekopfusscheck = false;
    f.settings().FussEd2 = u"Zweite Zeile";
    f.settings().FussEd3 = u"Dritte";
    const auto canvas = f.Run();
    // Three lines ending at ph − ry; the page number two lines and lw + 1 above the first.
    EXPECT_EQ(canvas->TextCall(kFuss).x, 42);
    EXPECT_EQ(canvas->TextCall(kFuss).y, 841 - 42 - 33);
    EXPECT_EQ(canvas->TextCall(u"Zweite Zeile").y, 841 - 42 - 22);
    EXPECT_EQ(canvas->TextCall(u"Dritte").y, 841 - 42 - 11);
    EXPECT_EQ(canvas->TextCall(u"Dritte").x, 42);
    EXPECT_EQ(canvas->TextCall(u"- 1 -").y, 841 - 42 - 11 - 22 - 22 - 1);
    EXPECT_EQ(canvas->TextCall(u"- 1 -").x, 42 + (511 - 22) / 2);  // always centred
    // No header and no footer rule: the sender rule and the five rules of the table.
    EXPECT_EQ(canvas->Rules().size(), 6u);
}

TEST(PageLayout, ClosingTextParagraphs)
{
    LayoutFixture f;
    f.Set(&TRechnungRec::rechtext, u"Vielen Dank\r\n\r\nIhr Team");
    const auto canvas = f.Run();
    // The totals end at 347 (see DefaultPageOnThePdf); two lines of 13 lower.
    EXPECT_EQ(canvas->TextCall(u"Vielen Dank").y, 373);
    EXPECT_EQ(canvas->TextCall(u"Vielen Dank").x, 42);
    EXPECT_EQ(canvas->TextCall(u"Ihr Team").y, 373 + 26);
    EXPECT_EQ(canvas->FontSizeAt(size_t(canvas->IndexOfText(u"Ihr Team"))), 11);
}

TEST(PageLayout, ClosingTextWordWiderThanTheLine)
{
    LayoutFixture f;
    const std::u16string word(100, u'x');
    f.Set(&TRechnungRec::rechtext, u"ab " + word);
    const auto canvas = f.Run();
    // 511 wide at 5.5 per character: 93 fit, the 94th overflows and stays on the line.
    EXPECT_EQ(canvas->TextCall(u"ab ").y, 373);
    EXPECT_EQ(canvas->TextCall(word.substr(0, 94)).y, 386);
    EXPECT_EQ(canvas->TextCall(word.substr(0, 6)).y, 399);
}

TEST(PageLayout, ClosingTextBeyondTheLimitBreaksBeforeItsFirstCharacter)
{
    LayoutFixture f;
    for (int i = 0; i < 33; ++i)
        f.AddPosition(1, 19, 1);
    f.Set(&TRechnungRec::rechtext, u"Danke");
    const auto canvas = f.Run();
    // 33 rows end the table at 679, which leaves room for the totals; they end at 721 and
    // the text would begin at 747, past the limit of 733.
    EXPECT_EQ(canvas->NewPages(), 1);
    const int newPage = [&] {
        for (size_t i = 0; i < canvas->Calls().size(); ++i)
            if (canvas->Calls()[i].op == "NewPage")
                return int(i);
        return -1;
    }();
    EXPECT_GT(newPage, canvas->IndexOfText(u"Gesamtbetrag"));
    EXPECT_GT(canvas->IndexOfText(u"Danke"), newPage);
    EXPECT_EQ(canvas->TextCall(u"Danke").y, 147);
    EXPECT_EQ(canvas->TextCall(u"- 2 -").y, 765);
    EXPECT_EQ(canvas->CountText(u"Firma - wir sind die besten"), 2);
}

TEST(PageLayout, ContinuedPagesResumeAtTheAddressTop)
{
    LayoutFixture f;
    f.settings().OwnBirefpapierCheck = true;
    for (int i = 0; i < 80; ++i)
        f.AddPosition(1, 19, 1,
                      u"Zeile " + std::u16string(1, char16_t(u'A' + i % 26)) + u"-" +
                          std::u16string(1, char16_t(u'0' + i / 26)));
    const auto canvas = f.Run();
    ASSERT_GE(canvas->NewPages(), 1);
    // The first row of page 2 stands at ay (no sender line: hs = 0).
    const auto& calls = canvas->Calls();
    bool afterBreak = false;
    for (const auto& call : calls) {
        if (call.op == "NewPage")
            afterBreak = true;
        if (afterBreak && call.op == "Text" && call.text.rfind(u"Zeile", 0) == 0) {
            EXPECT_EQ(call.y, 127);
            break;
        }
    }
}

TEST(PageLayout, LogoOnEveryPage)
{
    TempDir dir;
    // A 4 × 2 Windows bitmap, 24 bits per pixel.
    std::string bmp = "BM";
    const auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bmp += char((v >> (8 * i)) & 0xFF);
    };
    const auto u16 = [&](uint16_t v) {
        bmp += char(v & 0xFF);
        bmp += char(v >> 8);
    };
    u32(54 + 24);
    u32(0);
    u32(54);
    u32(40);
    u32(4);
    u32(2);
    u16(1);
    u16(24);
    u32(0);
    u32(24);
    u32(2835);
    u32(2835);
    u32(0);
    u32(0);
    bmp += std::string(24, '\x7F');
    WriteWholeFile(dir.File("logo.bmp"), bmp);

    LayoutFixture f;
    f.settings().FilenameEdit1 = u"";
    for (char c : dir.File("logo.bmp"))
        f.settings().FilenameEdit1 += char16_t(c);
    for (int i = 0; i < 50; ++i)
        f.AddPosition(1, 19, 1);
    const auto canvas = f.Run();
    ASSERT_EQ(canvas->NewPages(), 1);
    std::vector<RecordingCanvas::Call> logos;
    for (const auto& call : canvas->Calls())
        if (call.op == "Logo")
            logos.push_back(call);
    ASSERT_EQ(logos.size(), 2u);
    for (const auto& logo : logos) {
        // dev(15) at dev(15), dev(170) = 481 wide, 481 × 2 / 4 high; the whole 4 × 2 image.
        EXPECT_EQ(logo.x, 42);
        EXPECT_EQ(logo.y, 42);
        EXPECT_EQ(logo.a, 481);
        EXPECT_EQ(logo.b, 240);
        EXPECT_EQ(logo.c, 4);
        EXPECT_EQ(logo.d, 2);
    }
    // The logo lies under everything else of its page.
    EXPECT_EQ(canvas->Calls().front().op, "Logo");

    // A name that gives no image: the page without logo, and no message.
    f.settings().FilenameEdit1 = u"/no/such/logo.png";
    const auto missing = f.Run();
    for (const auto& call : missing->Calls()) {
        EXPECT_NE(call.op, "Logo");
    }
    WriteWholeFile(dir.File("broken.bmp"), "BM not an image");
    f.settings().FilenameEdit1.clear();
    for (char c : dir.File("broken.bmp"))
        f.settings().FilenameEdit1 += char16_t(c);
    const auto broken = f.Run();
    for (const auto& call : broken->Calls()) {
        EXPECT_NE(call.op, "Logo");
    }
}

TEST(PageLayout, AddressTopBelowTheLimitGivesNoEmptyPages)
{
    LayoutFixture f;
    // The address 280 mm from the top of an A4 page: ay = 793, past the limit of 733, so a
    // new page could not take any of the body. Everything stays on the one page instead of
    // one page per row and per character of the closing text.
    f.settings().AnschriftYED = 280;
    for (int i = 0; i < 5; ++i)
        f.AddPosition(1, 19, 1);
    f.Set(&TRechnungRec::rechtext, u"Vielen Dank für Ihren Auftrag");
    const auto canvas = f.Run();
    EXPECT_EQ(canvas->NewPages(), 0);
    EXPECT_TRUE(canvas->HasText(u"Vielen Dank für Ihren Auftrag"));
    EXPECT_TRUE(canvas->HasText(u"- 1 -"));
}
