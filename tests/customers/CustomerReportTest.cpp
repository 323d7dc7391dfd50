// Report lines of a record and of the counting, the print dialog's wrapping and paging, the
// mail to a customer and its mailto address, and the transfer map into an invoice.
#include "customers/CustomerReport.h"
#include "customers/CustomerFilter.h"
#include "customers/CustomerMail.h"
#include "customers/CustomerRestructure.h"
#include "customers/CustomerTable.h"
#include "customers/CustomerTestTables.h"
#include "customers/CustomerTransfer.h"
#include "customers/MailtoUrl.h"
#include "customers/RecordPrintLayout.h"
#include "foundation/Cp1252.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::u16string>;

// Every character 10 pixels wide, lines 100 pixels high.
class FixedMeasure final : public RecordPrintLayout::Measure {
public:
    int TextWidth(std::u16string_view text) const override { return int(text.size()) * 10; }
    int LineHeight() const override { return 100; }
};

// Narrow and wide letters as in a proportional font: i, l, r, t, ":" and the blank 4 pixels,
// m and w 16, capitals 12, everything else 9; lines 100 pixels high.
class ProportionalMeasure final : public RecordPrintLayout::Measure {
public:
    int TextWidth(std::u16string_view text) const override
    {
        int width = 0;
        for (const char16_t c : text) {
            if (std::u16string_view(u"ilrt: ").find(c) != std::u16string_view::npos)
                width += 4;
            else if (c == u'm' || c == u'w')
                width += 16;
            else if (c >= u'A' && c <= u'Z')
                width += 12;
            else
                width += 9;
        }
        return width;
    }
    int LineHeight() const override { return 100; }
};

}  // namespace

// ---- report lines --------------------------------------------------------------------------

TEST(CustomerReport, NamePaddedToTwentyThenTabThenValue)
{
    EXPECT_EQ(CustomerReport::Line(u"Firma", u"Meier GmbH"), u"Firma:              \tMeier GmbH");
    EXPECT_EQ(CustomerReport::Line(u"Firma", u"").size(), 21u);
    EXPECT_EQ(CustomerReport::Line(u"EinSehrLangerName1234", u"x"), u"EinSehrLangerName1234: \tx");
    EXPECT_EQ(CustomerReport::Line(u"Achtzehn_Zeichen__", u"v"), u"Achtzehn_Zeichen__: \tv");
    EXPECT_EQ(CustomerReport::Line(u"Siebzehn_Zeichen_", u"v"), u"Siebzehn_Zeichen_:  \tv");
}

TEST(CustomerReport, RecordLinesInTableOrderWithTheMemoOnFurtherLines)
{
    TempDir dir;
    FillCustomers(dir.File("c.dbf"), CustomerSchema::StandardFields(),
                  {{{u"Firma", u"Meier"}, {u"Mehr", u"eins\r\nzwei\r\n\r\nvier"}, {u"Kostenst", u"K1"}}});
    DbfTable table;
    table.Open(dir.File("c.dbf"));
    const Lines lines = CustomerReport::RecordLines(table);
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines[0], u"Firma:              \tMeier");
    EXPECT_EQ(lines[1], u"Name:               \t");
    EXPECT_EQ(lines[12], u"Mehr:               \teins");
    EXPECT_EQ((Lines(lines.begin() + 13, lines.begin() + 16)), (Lines{u"zwei", u"", u"vier"}));
    EXPECT_EQ(lines[16], u"Kundennr:           \t");
    EXPECT_EQ(lines[17], u"Kostenst:           \tK1");
}

TEST(CustomerReport, CountsFilledColumnsOfTheVisibleRecords)
{
    TempDir dir;
    FillCustomers(dir.File("c.dbf"), CustomerSchema::StandardFields(),
                  {{{u"Firma", u"A"}, {u"Fax", u"1"}, {u"Ort", u"Regensburg"}},
                   {{u"Firma", u"B"}, {u"Fax", u"2"}},
                   {{u"Firma", u"C"}, {u"Mehr", u"Notiz"}},
                   {{u"Firma", u"D"}, {u"Fax", u"3"}, {u"Ort", u"Regensburg"}},
                   {{u"Firma", u"E"}}});
    DbfTable table;
    table.Open(dir.File("c.dbf"));
    std::vector<int> progress;
    const auto counts = CustomerReport::FilledCounts(table, [&](int p) { progress.push_back(p); });
    EXPECT_EQ(counts, (std::vector<uint32_t>{5, 0, 0, 0, 0, 0, 2, 0, 0, 3, 0, 0, 1, 0, 0}));
    // "Fax" is column 10; two of the five records leave it empty.
    const Lines lines = CustomerReport::CountLines(table, counts);
    EXPECT_EQ(lines[9], u"Fax:                \t3");
    EXPECT_EQ(lines[12], u"Mehr:               \t1");
    EXPECT_EQ(progress.back(), 100);

    const std::u16string search = CustomerFilter::FoldAZ(u"regensburg");
    table.SetFilterCallback([&](const DbfTable& t) { return CustomerFilter::Matches(t, search); });
    table.SetFiltered(true);
    EXPECT_EQ(CustomerReport::FilledCounts(table)[9], 2u);
}

TEST(CustomerReport, SplitLinesAtEveryKindOfLineBreak)
{
    EXPECT_EQ(CustomerReport::SplitLines(u""), Lines{u""});
    EXPECT_EQ(CustomerReport::SplitLines(u"a\r\nb\nc\rd"), (Lines{u"a", u"b", u"c", u"d"}));
    EXPECT_EQ(CustomerReport::SplitLines(u"a\r\n"), (Lines{u"a", u""}));
}

// ---- wrapping and paging -------------------------------------------------------------------

TEST(RecordPrintLayout, HalfInchMarginsOfTheDefaultPage)
{
    const RecordPrintLayout::Rect rect = RecordPrintLayout::HalfInchMargins(600, 600, 4960, 7015);
    EXPECT_EQ(rect, (RecordPrintLayout::Rect{300, 300, 4660, 6715}));
    EXPECT_EQ(RecordPrintLayout::HalfInchMargins(301, 199, 1000, 1000), (RecordPrintLayout::Rect{150, 99, 850, 901}));
}

TEST(RecordPrintLayout, WrapsAtTheLastBlankAndDropsTheLeadingBlank)
{
    FixedMeasure measure;
    std::vector<RecordPrintLayout::Run> runs;
    // Width 100: ten characters fit.
    EXPECT_EQ(RecordPrintLayout::WrapLine(measure, u"abc defgh ijk lm", 5, 50, 100, 0, &runs), 200);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], (RecordPrintLayout::Run{0, 5, 50, u"abc defgh "}));
    EXPECT_EQ(runs[1], (RecordPrintLayout::Run{0, 5, 150, u"ijk lm"}));

    runs.clear();
    EXPECT_EQ(RecordPrintLayout::WrapLine(measure, u"abcdefghi  xy", 0, 0, 100, 0, &runs), 200);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].text, u"xy");  // the blank after the break is dropped

    // A word that fills the width exactly: the blank after it does not fit, and the text so
    // far has no blank to break at, so an empty line comes first.
    runs.clear();
    EXPECT_EQ(RecordPrintLayout::WrapLine(measure, u"0123456789 abc", 0, 0, 100, 0, &runs), 300);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], (RecordPrintLayout::Run{0, 0, 100, u"0123456789 "}));
    EXPECT_EQ(runs[1], (RecordPrintLayout::Run{0, 0, 200, u"abc"}));

    runs.clear();
    EXPECT_EQ(RecordPrintLayout::WrapLine(measure, u"", 0, 0, 100, 0, &runs), 100);
    EXPECT_TRUE(runs.empty());
}

TEST(RecordPrintLayout, AWordWiderThanTheLineGivesEmptyLinesAndOverflows)
{
    FixedMeasure measure;
    std::vector<RecordPrintLayout::Run> runs;
    // Twelve characters into ten: characters 11 and 12 do not fit, each gives an empty line.
    EXPECT_EQ(RecordPrintLayout::WrapLine(measure, u"abcdefghijkl", 0, 0, 100, 0, &runs), 300);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0], (RecordPrintLayout::Run{0, 0, 200, u"abcdefghijkl"}));
}

TEST(RecordPrintLayout, ALineThatWouldCrossTheBottomStartsANewPage)
{
    FixedMeasure measure;
    const RecordPrintLayout::Rect rect{50, 100, 149, 1000};  // width 100, nine lines a page
    Lines lines;
    for (int i = 1; i <= 60; ++i)
        lines.push_back(u"Zeile " + std::u16string(1, char16_t(u'0' + i % 10)));
    lines[10] = u"lange Zeile mit Umbruch";  // three printed lines
    int pages = 0;
    const auto runs = RecordPrintLayout::Layout(measure, lines, rect, &pages);
    ASSERT_EQ(runs.size(), 62u);
    for (size_t i = 0; i < 9; ++i)
        EXPECT_EQ(runs[i], (RecordPrintLayout::Run{0, 50, 100 + int(i) * 100, lines[i]}));
    // Line 10 starts page 2; the wrapped line 11 (three high) still fits below it.
    EXPECT_EQ(runs[9], (RecordPrintLayout::Run{1, 50, 100, lines[9]}));
    EXPECT_EQ(runs[10], (RecordPrintLayout::Run{1, 50, 200, u"lange "}));
    EXPECT_EQ(runs[11], (RecordPrintLayout::Run{1, 50, 300, u"Zeile mit "}));
    EXPECT_EQ(runs[12], (RecordPrintLayout::Run{1, 50, 400, u"Umbruch"}));
    EXPECT_EQ(runs[17], (RecordPrintLayout::Run{1, 50, 900, lines[15]}));  // ends exactly at the bottom
    EXPECT_EQ(runs[18], (RecordPrintLayout::Run{2, 50, 100, lines[16]}));
    EXPECT_EQ(pages, 7);
    for (const auto& run : runs)
        EXPECT_LE(run.y + 100, rect.bottom);
}

// Labels padded to 20 characters differ in width in a proportional font; the values still
// start in one column, one blank right of the widest label.
TEST(RecordPrintLayout, ValuesAfterTheLabelsStartInOneColumn)
{
    ProportionalMeasure measure;
    Lines lines;
    for (const char16_t* name :
         {u"Firma", u"Name", u"Vorname", u"Anrede", u"StrasseNr", u"PLZ", u"Email", u"Mehr", u"Kundennr", u"Kostenst"})
        lines.push_back(CustomerReport::Line(name, u"Wert"));
    lines.push_back(u"eine Zeile des Vermerks ohne Tabulator");
    int widest = 0;
    for (const std::u16string& line : lines) {
        if (line.find(u'\t') != std::u16string::npos)
            widest = std::max(widest, measure.TextWidth(line.substr(0, line.find(u'\t'))));
    }
    ASSERT_EQ(widest, measure.TextWidth(u"Vorname:            "));
    EXPECT_EQ(RecordPrintLayout::TabStop(measure, lines), widest + 4);
    EXPECT_EQ(RecordPrintLayout::TabStop(measure, {u"ohne", u"Tabulator"}), 0);

    const RecordPrintLayout::Rect rect{30, 0, 2029, 5000};
    const auto runs = RecordPrintLayout::Layout(measure, lines, rect);
    ASSERT_EQ(runs.size(), 21u);  // label and value of ten lines, the memo line whole
    for (size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(runs[2 * i].x, 30);
        EXPECT_EQ(runs[2 * i].text, lines[i].substr(0, 20));
        EXPECT_EQ(runs[2 * i + 1], (RecordPrintLayout::Run{0, 30 + widest + 4, int(i) * 100, u"Wert"})) << i;
    }
    EXPECT_EQ(runs[20], (RecordPrintLayout::Run{0, 30, 1000, lines[10]}));
    // A second tab goes on by another stop.
    EXPECT_EQ(RecordPrintLayout::TabbedWidth(measure, u"Name:\ta\tb", 100), 209);
    EXPECT_EQ(RecordPrintLayout::TabbedWidth(measure, u"a\tb", 0), measure.TextWidth(u"a\tb"));
}

// A value too long for the line wraps within what is left after its tab stop.
TEST(RecordPrintLayout, AWrappedValueCountsItsTab)
{
    ProportionalMeasure measure;
    // "StrasseNr:" padded is 116 pixels wide, "PLZ:" padded 104: the stop is 120. The value
    // "abc defg hij" (93) ends at 213, beyond the width of 210.
    const Lines lines{CustomerReport::Line(u"StrasseNr", u"x"), CustomerReport::Line(u"PLZ", u"abc defg hij")};
    const auto runs = RecordPrintLayout::Layout(measure, lines, RecordPrintLayout::Rect{0, 0, 209, 1000});
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[1], (RecordPrintLayout::Run{0, 120, 0, u"x"}));
    EXPECT_EQ(runs[2], (RecordPrintLayout::Run{0, 0, 100, lines[1].substr(0, 20)}));
    EXPECT_EQ(runs[3], (RecordPrintLayout::Run{0, 120, 100, u"abc defg "}));
    EXPECT_EQ(runs[4], (RecordPrintLayout::Run{0, 0, 200, u"hij"}));
}

TEST(RecordPrintLayout, ALineTallerThanThePageStaysOnItsOwnPage)
{
    FixedMeasure measure;
    const RecordPrintLayout::Rect rect{0, 0, 99, 150};
    int pages = 0;
    const auto runs = RecordPrintLayout::Layout(measure, {u"aaaa bbbb cccc dddd", u"x"}, rect, &pages);
    EXPECT_EQ(runs.front().page, 0);  // no empty first page
    EXPECT_EQ(runs.back(), (RecordPrintLayout::Run{1, 0, 0, u"x"}));
    EXPECT_EQ(pages, 2);
}

// ---- mail ----------------------------------------------------------------------------------

TEST(CustomerMail, RecipientNameAndOpening)
{
    CustomerMail mail = CustomerMail::Compose(u"Herr", u"Hans", u"Meier", u"meier@example.de");
    EXPECT_EQ(mail.recipientName, u"Herr Hans Meier");
    EXPECT_EQ(mail.body, u"Sehr geehrter Herr Meier,");
    EXPECT_EQ(mail.address, u"meier@example.de");
    EXPECT_EQ(CustomerMail::Compose(u"Frau", u"", u"Öztürk", u"").body, u"Sehr geehrte Frau Öztürk,");
    mail = CustomerMail::Compose(u"herr", u"Hans", u"Meier", u"m@x.de");
    EXPECT_EQ(mail.body, u"");
    EXPECT_EQ(mail.recipientName, u"herr Hans Meier");
    EXPECT_EQ(CustomerMail::Compose(u"Firma", u"", u"Meier", u"").body, u"");
    EXPECT_EQ(CustomerMail::Compose(u"", u"", u"Meier", u"").recipientName, u"Meier");
    EXPECT_EQ(CustomerMail::Compose(u"", u"Hans", u"Meier", u"").recipientName, u"Hans Meier");
}

TEST(CustomerMail, FromTheRecordByColumnNamesOrNothing)
{
    TempDir dir;
    FillCustomers(dir.File("c.dbf"), CustomerSchema::StandardFields(),
                  {{{u"Anrede", u"Frau"}, {u"Vorname", u"Eva"}, {u"Name", u"Berg"}, {u"Email", u"eva@berg.de"}}});
    DbfTable table;
    table.Open(dir.File("c.dbf"));
    const auto mail = CustomerMail::FromRecord(table);
    ASSERT_TRUE(mail);
    EXPECT_EQ(mail->recipientName, u"Frau Eva Berg");
    EXPECT_EQ(mail->body, u"Sehr geehrte Frau Berg,");
    EXPECT_EQ(mail->address, u"eva@berg.de");

    std::vector<DbfField> fields = CustomerSchema::StandardFields();
    fields[11].name = u"EPost";
    FillCustomers(dir.File("d.dbf"), fields, {{{u"Name", u"X"}}});
    DbfTable other;
    other.Open(dir.File("d.dbf"));
    EXPECT_FALSE(CustomerMail::FromRecord(other));
}

TEST(MailtoUrl, RecipientWithNameBodyAndCcPercentEncoded)
{
    EXPECT_EQ(
        MailtoUrl::Build("", EncodeCp1252(u"Sehr geehrter Herr Meier,"), "Herr Hans Meier", "meier@example.de", ""),
        "mailto:Herr%20Hans%20Meier%20%3Cmeier@example.de%3E?body=Sehr%20geehrter%20Herr%20Meier%2C");
    EXPECT_EQ(MailtoUrl::Build(EncodeCp1252(u"Betreff ä"), "", "", "a@b.de", "c@d.de"),
              "mailto:a@b.de?subject=Betreff%20%C3%A4&cc=c@d.de");
    EXPECT_EQ(MailtoUrl::Build("", "", "Dr. Meier, \"Hans\"", "m@x.de", ""),
              "mailto:%22Dr.%20Meier%2C%20%5C%22Hans%5C%22%22%20%3Cm@x.de%3E");
    EXPECT_EQ(MailtoUrl::Build("", "a&b=c?\r\n", "Name", "", ""), "mailto:?body=a%26b%3Dc%3F%0D%0A");
}

// ---- transfer map --------------------------------------------------------------------------

TEST(CustomerTransfer, ColumnsByNameEvenAfterAReorder)
{
    TempDir dir;
    FillCustomers(dir.File("customers.dbf"), CustomerSchema::StandardFields(),
                  {{{u"Firma", u"F"},
                    {u"Name", u"N"},
                    {u"Vorname", u"V"},
                    {u"Anrede", u"A"},
                    {u"StrasseNr", u"S"},
                    {u"PLZ", u"P"},
                    {u"Ort", u"O"},
                    {u"Land", u"L"},
                    {u"Telefon", u"T"},
                    {u"Fax", u""},
                    {u"Handy", u"H"},
                    {u"Email", u"E"},
                    {u"Mehr", u"M1\r\nM2"},
                    {u"Kundennr", u"K"}}});
    ScriptedMessenger messenger;
    CustomerTable customers;
    ASSERT_EQ(customers.InitDataBase(dir.Path()), CustomerTable::InitResult::Opened);
    // Email moves to the top: every other column shifts by one.
    std::vector<int> order{11, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14};
    ASSERT_TRUE(customers.Rebuild(CustomerRestructure::Reorder(customers.Dbf1().Fields(), order)));
    customers.Dbf1().First();
    const auto values = CustomerTransfer::Read(customers.Dbf1(), true);
    ASSERT_TRUE(values);
    EXPECT_EQ(values->address,
              (std::array<std::u16string, 11>{u"F", u"N", u"V", u"A", u"S", u"P", u"O", u"L", u"T", u"", u"E"}));
    EXPECT_EQ(values->mehr, u"M1\r\nM2");
    EXPECT_EQ(CustomerTransfer::Read(customers.Dbf1(), false)->mehr, u"");
}

TEST(CustomerTransfer, AMissingNameFallsBackToThePositionAndAClosedTableGivesNothing)
{
    TempDir dir;
    std::vector<DbfField> fields = CustomerSchema::StandardFields();
    fields[0].name = u"Company";  // position 1
    fields[11].name = u"Mail";    // position 12
    FillCustomers(dir.File("c.dbf"), fields, {{{u"Company", u"Acme"}, {u"Mail", u"a@acme.de"}, {u"Name", u"Roe"}}});
    DbfTable table;
    EXPECT_FALSE(CustomerTransfer::Read(table, false));
    table.Open(dir.File("c.dbf"));
    const auto values = CustomerTransfer::Read(table, false);
    ASSERT_TRUE(values);
    EXPECT_EQ(values->address[size_t(CustomerTransfer::Target::Firma)], u"Acme");
    EXPECT_EQ(values->address[size_t(CustomerTransfer::Target::Email)], u"a@acme.de");
    EXPECT_EQ(values->address[size_t(CustomerTransfer::Target::Name)], u"Roe");

    // Neither "Mehr" nor a 13th column.
    FillCustomers(dir.File("small.dbf"), {DbfField::Character(u"Firma", 10)}, {{{u"Firma", u"x"}}});
    DbfTable small;
    small.Open(dir.File("small.dbf"));
    EXPECT_FALSE(CustomerTransfer::Read(small, false));
}
