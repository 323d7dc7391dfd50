// CSV exchange of the customer table through real files: the exact bytes of the export,
// reading plain and quoted lines, round trips of awkward values, and files of any content.
#include "customers/CsvLineParser.h"
#include "customers/CsvLineReader.h"
#include "customers/CsvValueCodec.h"
#include "customers/CustomerCsvExport.h"
#include "customers/CustomerCsvImport.h"
#include "customers/CustomerFilter.h"
#include "customers/CustomerReport.h"
#include "customers/CustomerTestTables.h"
#include "customers/DamagedMemoWalk.h"
#include "foundation/Cp1252.h"
#include "foundation/FileByteSource.h"
#include "foundation/IoError.h"
#include "foundation/MemoryByteSource.h"
#include "foundation/Utf8.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <random>

namespace {

using Rows = std::vector<std::vector<std::u16string>>;
const std::string kHeader =
    "\"Firma\";\"Name\";\"Vorname\";\"Anrede\";\"StrasseNr\";\"PLZ\";\"Ort\";\"Land\";\"Telefon\";\"Fax\";\"Handy\";"
    "\"Email\";\"Mehr\";\"Kundennr\";\"Kostenst\"\r\n";

// Every visible record with every column, in walk order.
Rows AllRows(DbfTable& table)
{
    Rows rows;
    for (table.First(); !table.Eof(); table.Next()) {
        std::vector<std::u16string> row;
        for (int i = 0; i < table.FieldCount(); ++i)
            row.push_back(table.Value(i));
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::u16string> Row15(std::initializer_list<std::u16string> first)
{
    std::vector<std::u16string> row(first);
    row.resize(15);
    return row;
}

class CsvFiles : public ::testing::Test {
protected:
    std::string TablePath() const { return dir.File("customers.dbf"); }

    void Standard(const std::vector<std::vector<std::pair<std::u16string, std::u16string>>>& rows)
    {
        FillCustomers(TablePath(), CustomerSchema::StandardFields(), rows);
        table.Open(TablePath());
    }

    CustomerCsvImport::Result ImportBytes(const std::string& bytes)
    {
        WriteWholeFile(dir.File("in.csv"), bytes);
        FileByteSource source(dir.File("in.csv"));
        return CustomerCsvImport::Read(table, source);
    }

    // Finds the encoding on a first reading, as the window does.
    CustomerCsvImport::Result ImportDetected(const std::string& bytes)
    {
        WriteWholeFile(dir.File("in.csv"), bytes);
        CsvEncoding::Kind encoding;
        {
            FileByteSource probe(dir.File("in.csv"));
            encoding = CsvEncoding::Detect(probe);
        }
        FileByteSource source(dir.File("in.csv"));
        return CustomerCsvImport::Read(table, source, {}, encoding);
    }

    // A table of three columns: Firma, a memo and Ort.
    void Small(uint8_t languageDriver = 0x03)
    {
        DbfTable::Create(TablePath(),
                         {DbfField::Character(u"Firma", 20), DbfField::Memo(u"Mehr"), DbfField::Character(u"Ort", 20)},
                         languageDriver);
        table.Open(TablePath());
    }

    std::string Export()
    {
        const auto result = CustomerCsvExport::WriteFile(table, dir.File("out.csv"));
        EXPECT_EQ(result.status, CustomerCsvExport::Result::Status::Written) << result.error;
        return ReadWholeFile(dir.File("out.csv"));
    }

    TempDir dir;
    DbfTable table;
};

}  // namespace

// ---- export --------------------------------------------------------------------------------

TEST_F(CsvFiles, ExportWritesHeaderAndOneLinePerRecordWithTheMemoEscaped)
{
    Standard({{{u"Firma", u"Müller & Söhne"},
               {u"Name", u"Meier"},
               {u"PLZ", u"93047"},
               {u"Mehr", u"Zeile eins\r\nZeile zwei"},
               {u"Kostenst", u"K;7"}}});
    EXPECT_EQ(Export(),
              kHeader + EncodeCp1252(u"\"Müller & Söhne\";\"Meier\";\"\";\"\";\"\";\"93047\";\"\";\"\";\"\";\"\";\"\";"
                                     u"\"\";\"Zeile eins\\r\\nZeile zwei\";\"\";\"K;7\"\r\n"));
}

TEST_F(CsvFiles, ExportHonoursTheSearchAndAnEmptyTableGivesTheHeaderOnly)
{
    Standard({{{u"Firma", u"Alpha"}, {u"Ort", u"Abensberg"}},
              {{u"Firma", u"Beta"}, {u"Ort", u"Ulm"}},
              {{u"Firma", u"Gamma"}, {u"Mehr", u"steht in der Tabelle"}}});
    const std::u16string search = CustomerFilter::FoldAZ(u"ab");
    table.SetFilterCallback([&](const DbfTable& t) { return CustomerFilter::Matches(t, search); });
    table.SetFiltered(true);
    const std::string file = Export();
    EXPECT_EQ(file.substr(0, kHeader.size()), kHeader);
    EXPECT_EQ(
        file.substr(kHeader.size()),
        "\"Alpha\";\"\";\"\";\"\";\"\";\"\";\"Abensberg\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\"\r\n"
        "\"Gamma\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"steht in der Tabelle\";\"\";\"\"\r\n");

    table.Close();
    FillCustomers(TablePath(), CustomerSchema::StandardFields(), {});
    table.Open(TablePath());
    EXPECT_EQ(Export(), kHeader);
}

TEST_F(CsvFiles, ExportEscapesQuotesAndBackslashesAndFollowsTheActiveOrder)
{
    Standard({{{u"Firma", u"Zett \"GmbH\""}, {u"Name", u"C:\\new"}}, {{u"Firma", u"Alpha"}, {u"Name", u"a\\\\b"}}});
    table.AddIndex(u"Firma", 0);
    table.SelectIndex(u"Firma");
    const std::string body = Export().substr(kHeader.size());
    EXPECT_EQ(
        body,
        "\"Alpha\";\"a\\\\\\\\b\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\"\r\n"
        "\"Zett \"\"GmbH\"\"\";\"C:\\\\new\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\"\r\n");
}

TEST_F(CsvFiles, ExportIntoAMissingFolderCannotCreateAndLeavesNothing)
{
    Standard({{{u"Firma", u"A"}}});
    const auto result = CustomerCsvExport::WriteFile(table, dir.File("fehlt/out.csv"));
    EXPECT_EQ(result.status, CustomerCsvExport::Result::Status::CannotCreate);
    EXPECT_FALSE(result.error.empty());
}

TEST_F(CsvFiles, ExportReplacesAnOldFileAndReportsProgressUpToHundred)
{
    Standard({{{u"Firma", u"A"}}, {{u"Firma", u"B"}}, {{u"Firma", u"C"}}});
    WriteWholeFile(dir.File("out.csv"), std::string(100000, 'x'));
    std::vector<int> seen;
    const auto result = CustomerCsvExport::WriteFile(table, dir.File("out.csv"), [&](int p) { seen.push_back(p); });
    EXPECT_EQ(result.records, 3u);
    EXPECT_EQ(ReadWholeFile(dir.File("out.csv")).substr(0, kHeader.size()), kHeader);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), 0);
    EXPECT_EQ(seen.back(), 100);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
}

// ---- import --------------------------------------------------------------------------------

TEST_F(CsvFiles, ImportingTheExportedFileAddsEveryRecordAgainAndKeepsTheOldOnes)
{
    Standard({{{u"Firma", u"Erste"}, {u"Mehr", u"zwei\r\nZeilen"}, {u"Email", u"a@b.de"}},
              {{u"Firma", u"Zweite"}, {u"Ort", u"Köln"}, {u"Kostenst", u"7"}}});
    const Rows before = AllRows(table);
    const std::string file = Export();
    const auto result = ImportBytes(file);
    EXPECT_EQ(result.added, 2u);
    EXPECT_EQ(result.notStored, 0u);
    const Rows after = AllRows(table);
    ASSERT_EQ(after.size(), 4u);
    EXPECT_EQ(Rows(after.begin(), after.begin() + 2), before);
    EXPECT_EQ(Rows(after.begin() + 2, after.end()), before);
    EXPECT_EQ(table.Value(0), u"Zweite");  // the last imported record is current
}

TEST_F(CsvFiles, PlainLinesFillColumnsByPosition)
{
    Standard({});
    const auto result = ImportBytes(EncodeCp1252(u"Kopf wird ignoriert\r\nMüller;Hans;X\r\na;;c\r\n;\r\n\r\nx;y;\r\n"));
    EXPECT_EQ(result.added, 4u);
    EXPECT_EQ(AllRows(table),
              (Rows{Row15({u"Müller", u"Hans", u"X"}), Row15({u"a", u"", u"c"}), Row15({}), Row15({u"x", u"y"})}));
}

TEST_F(CsvFiles, QuotedLinesIgnoreWhatStandsBetweenTheValues)
{
    Standard({});
    const auto result = ImportBytes("h\r\n\"a\",\"b\"\r\n\"1\" ; \"2\"x\"3\"\r\n\"\"Hallo\"\"\r\n\"abc\r\n\"\"\r\n");
    EXPECT_EQ(result.added, 4u);
    EXPECT_EQ(AllRows(table), (Rows{Row15({u"a", u"b"}), Row15({u"1", u"2", u"3"}), Row15({u"\"Hallo\""}), Row15({})}));
}

TEST_F(CsvFiles, AnUnclosedValueOrAHeaderAloneAddNothing)
{
    Standard({{{u"Firma", u"Bestand"}}});
    EXPECT_EQ(ImportBytes("Kopf\r\n\"abc").added, 0u);
    EXPECT_EQ(ImportBytes(kHeader).added, 0u);
    EXPECT_EQ(ImportBytes("").added, 0u);
    EXPECT_EQ(ImportBytes("\"a\";\"b\"\r\n").added, 0u);  // the first line is always the header
    EXPECT_EQ(AllRows(table), (Rows{Row15({u"Bestand"})}));
}

TEST_F(CsvFiles, ValuesBeyondTheLastColumnAreDroppedAndLongTextsCut)
{
    Standard({});
    std::string line;
    for (int i = 1; i <= 20; ++i)
        line += "\"v" + std::to_string(i) + "\";";
    const std::string longText(60, 'L');
    ImportBytes("k\n" + line + "\n" + longText + ";" + longText + "\n");
    const Rows rows = AllRows(table);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0], u"v1");
    EXPECT_EQ(rows[0][14], u"v15");
    EXPECT_EQ(rows[1][0], std::u16string(45, u'L'));
    EXPECT_EQ(rows[1][1], std::u16string(45, u'L'));
}

TEST_F(CsvFiles, LinesEndWithCrLfLfOrCrAndTheLastNeedsNoEnd)
{
    Standard({});
    EXPECT_EQ(ImportBytes("kopf\rA\nB\r\nC\rD").added, 4u);
    EXPECT_EQ(AllRows(table), (Rows{Row15({u"A"}), Row15({u"B"}), Row15({u"C"}), Row15({u"D"})}));
}

// A doubled quote inside a value comes back as one quote and the following values keep
// their columns; a backslash survives; the 24th value is stored as it stands.
TEST_F(CsvFiles, AwkwardValuesSurviveARoundTrip)
{
    Standard({{{u"Firma", u"Sag \"Hallo\""},
               {u"Name", u"\"zitiert\""},
               {u"Vorname", u"\""},
               {u"Anrede", u"C:\\new"},
               {u"StrasseNr", u"a\\\\b\\"},
               {u"PLZ", u"\\r"},
               {u"Ort", u"x;\"y\",z"},
               {u"Mehr", u"\"\"\r\n\\n\r\n"},
               {u"Kostenst", u"Ende"}}});
    const Rows original = AllRows(table);
    ImportBytes(Export());
    const Rows rows = AllRows(table);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], original[0]);
}

TEST_F(CsvFiles, TheTwentyFourthValueIsStoredWithoutAddedQuotes)
{
    std::vector<DbfField> fields;
    for (int i = 1; i <= 30; ++i)
        fields.push_back(DbfField::Character(u"S" + std::u16string(1, char16_t(u'A' + i - 1)), 20));
    FillCustomers(TablePath(), fields, {});
    table.Open(TablePath());
    std::string line;
    for (int i = 1; i <= 30; ++i)
        line += (i > 1 ? ";" : "") + std::string(i == 24 ? "\"Berlin\"" : "\"w" + std::to_string(i) + "\"");
    ImportBytes("k\r\n" + line + "\r\n");
    const Rows rows = AllRows(table);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][23], u"Berlin");
    EXPECT_EQ(rows[0][22], u"w23");
    EXPECT_EQ(rows[0][29], u"w30");
}

TEST_F(CsvFiles, RandomValuesSurviveARoundTripThroughTheFile)
{
    Standard({});
    const std::u16string alphabet = u"ab \"\\;,\r\nrnäÖ€\t'";
    std::mt19937 random(7);
    Rows written;
    for (int r = 0; r < 300; ++r) {
        std::vector<std::u16string> row(15);
        for (int c = 0; c < 15; ++c) {
            const int length = int(random() % (c == 12 ? 40 : 12));
            for (int k = 0; k < length; ++k)
                row[size_t(c)] += alphabet[random() % alphabet.size()];
            // Character columns keep no trailing blanks and cut at their length ("PLZ" 10);
            // memos keep everything.
            if (c == 5 && row[size_t(c)].size() > 10)
                row[size_t(c)].resize(10);
            while (c != 12 && !row[size_t(c)].empty() && row[size_t(c)].back() == u' ')
                row[size_t(c)].pop_back();
        }
        table.Append();
        for (int c = 0; c < 15; ++c)
            table.SetValue(c, row[size_t(c)]);
        table.Post();
        written.push_back(row);
    }
    const std::string file = Export();
    table.Close();
    FillCustomers(TablePath(), CustomerSchema::StandardFields(), {});
    table.Open(TablePath());
    EXPECT_EQ(ImportBytes(file).added, 300u);
    const Rows read = AllRows(table);
    ASSERT_EQ(read.size(), written.size());
    for (size_t r = 0; r < read.size(); ++r) {
        for (size_t c = 0; c < 15; ++c)
            ASSERT_EQ(read[r][c], written[r][c]) << "record " << r << ", column " << c;
    }
}

TEST_F(CsvFiles, ImportRefusesATableBeingEditedAndChangesNothing)
{
    Standard({{{u"Firma", u"Bestand"}}});
    table.First();
    table.SetValue(0, u"in Arbeit");
    EXPECT_THROW(ImportBytes("k\r\nneu\r\n"), IoError);
    table.Cancel();
    EXPECT_EQ(AllRows(table), (Rows{Row15({u"Bestand"})}));
}

// Files of any content: nothing crashes, the existing records stay as they are, what can be
// read is added.
TEST_F(CsvFiles, DamagedAndStrangeFilesNeverTouchExistingRecords)
{
    Standard({{{u"Firma", u"Bestand"}, {u"Mehr", u"Notiz"}}, {{u"Firma", u"Zwei"}}});
    const Rows before = AllRows(table);
    std::mt19937 random(11);
    std::string binary;
    for (int i = 0; i < 200000; ++i)
        binary.push_back(char(random() & 0xFF));
    ImportBytes(binary);
    ImportBytes("k\r\n" + std::string(3 << 20, '"') + "\r\n");                // megabytes of quotes
    ImportBytes("k\r\n\"" + std::string(3 << 20, 'x') + "\r\nNach;dem\r\n");  // an unclosed value
    ImportBytes(std::string("k\r\n") + std::string("\0\0;\0", 4) + "\r\n");
    std::string values;
    for (int i = 0; i < 300000; ++i)
        values += "\"\"a\"\";";
    ImportBytes("k\r\n" + values + "\r\n");
    const Rows after = AllRows(table);
    ASSERT_GE(after.size(), 2u);
    EXPECT_EQ(Rows(after.begin(), after.begin() + 2), before);
    EXPECT_NE(std::find(after.begin(), after.end(), Row15({u"Nach", u"dem"})), after.end());
}

TEST_F(CsvFiles, AValueBeyondTheLimitPassesItsLineOverAndIsCounted)
{
    Standard({});
    const std::string big(CsvLineReader::kMaxValueBytes + 10, 'y');
    const auto result = ImportBytes("kopf\r\nvorher\r\n" + big + "\r\n\"a\";\"" + big + "\"\r\nnachher\r\n");
    EXPECT_EQ(result.tooLong, 2u);
    EXPECT_EQ(result.added, 2u);
    EXPECT_EQ(AllRows(table), (Rows{Row15({u"vorher"}), Row15({u"nachher"})}));
}

TEST_F(CsvFiles, ALineThatAMemoMadeLongerThanOneValueMayBeImportsAgain)
{
    // 12 million characters of memo, 20 MB in the file with its line breaks escaped: more
    // than one value may hold, but the value itself is below the limit.
    std::u16string memo;
    for (int i = 0; i < 4000000; ++i)
        memo += u"a\r\n";
    Small();
    table.Append();
    table.SetValue(0, u"Lang");
    table.SetValue(1, memo);
    table.SetValue(2, u"Ort");
    table.Post();
    const std::string file = Export();
    ASSERT_GT(file.size(), CsvLineReader::kMaxValueBytes + (3u << 20));
    const auto result = ImportBytes(file);
    EXPECT_EQ(result.tooLong, 0u);
    ASSERT_EQ(result.added, 1u);
    ASSERT_TRUE(table.GoTo(2));
    EXPECT_EQ(table.Value(0), u"Lang");
    EXPECT_TRUE(table.Value(1) == memo);
    EXPECT_EQ(table.Value(2), u"Ort");
}

// ---- files of today's programs ---------------------------------------------------------------

TEST_F(CsvFiles, Utf8FilesImportWithTheirUmlautsAndOthersStayWindows1252)
{
    struct Case {
        const char* what;
        std::string bytes;
        CsvEncoding::Kind encoding;
    };
    const std::vector<Case> cases = {
        // As LibreOffice writes it: UTF-8 without byte order mark, LF, quotes only where needed.
        {"utf-8", "Firma;Name;Vorname\nM\xC3\xBCller;\xE2\x82\xACuro;J\xC3\xB6rg\n", CsvEncoding::Kind::Utf8},
        {"utf-8 with byte order mark",
         "\xEF\xBB\xBF\"Firma\";\"Name\"\r\n\"M\xC3\xBCller\";\"\xE2\x82\xACuro\";\"J\xC3\xB6rg\"\r\n",
         CsvEncoding::Kind::Utf8},
        {"windows-1252", "Firma;Name\r\nM\xFCller;\x80uro;J\xF6rg\r\n", CsvEncoding::Kind::Windows1252},
        // Valid UTF-8 up to the last byte, which is a cut sequence: Windows-1252.
        {"cut sequence", "Firma\r\nM\xC3\xBCller;\x80uro;J\xF6rg\xC3", CsvEncoding::Kind::Windows1252},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        table.Close();
        Standard({});
        const auto result = ImportDetected(c.bytes);
        EXPECT_EQ(result.encoding, c.encoding);
        ASSERT_EQ(result.added, 1u);
        table.First();
        if (std::string(c.what) != "cut sequence") {
            EXPECT_EQ(AllRows(table), (Rows{Row15({u"Müller", u"€uro", u"Jörg"})}));
        }
        EXPECT_EQ(result.replaced, 0u);
    }
    MemoryByteSource ascii(std::string("Firma\r\nMueller\r\n"));
    EXPECT_EQ(CsvEncoding::Detect(ascii), CsvEncoding::Kind::Windows1252);
    for (const std::string invalid : {"\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE0\x9F\xBF", "\xFF"}) {
        MemoryByteSource source("ok " + invalid);
        EXPECT_EQ(CsvEncoding::Detect(source), CsvEncoding::Kind::Windows1252) << invalid.size();
    }
    MemoryByteSource fourBytes(std::string("\xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF"));
    EXPECT_EQ(CsvEncoding::Detect(fourBytes), CsvEncoding::Kind::Utf8);
}

TEST_F(CsvFiles, CharactersTheTableCannotStoreBecomeQuestionMarksAndAreCounted)
{
    Standard({});
    auto result = ImportDetected("Kopf\n\xC5\x81\xC3\xB3"
                                 "d\xC5\xBA \xF0\x9F\x98\x80;\xE2\x82\xAC\n");
    EXPECT_EQ(result.replaced, 3u);  // Ł, ź and the emoji; € is in Windows-1252
    EXPECT_EQ(AllRows(table), (Rows{Row15({u"?ód? ?", u"€"})}));

    table.Close();
    std::remove(TablePath().c_str());
    Small(0x01);  // a DOS table (code page 437) has no euro sign
    result = ImportDetected("Kopf\n\xE2\x82\xAC"
                            "uro;\"\xC3\x84rger \xE2\x82\xAC\";\xC3\x9C"
                            "bel\n");
    EXPECT_EQ(result.replaced, 2u);
    EXPECT_EQ(AllRows(table), (Rows{{u"?uro", u"Ärger ?", u"Übel"}}));
}

TEST_F(CsvFiles, AQuotedValueMayHoldLineBreaksAsSpreadsheetsWriteThem)
{
    Small();
    // As LibreOffice writes it (quotes only where needed, LF inside the cell), and with
    // every value quoted and CR LF.
    const auto result = ImportDetected("Firma;Mehr;Ort\n"
                                       "M\xC3\xBCller;\"Zeile1\nZeile2 mit \"\"Zitat\"\" und ;\";K\xC3\xB6ln\n"
                                       "Zweiter;;Berlin\n"
                                       "\"Dritter\";\"Zeile1\r\nZeile2\r\n\";\"Ulm\"\n");
    EXPECT_EQ(result.added, 3u);
    EXPECT_EQ(AllRows(table), (Rows{{u"Müller", u"Zeile1\r\nZeile2 mit \"Zitat\" und ;", u"Köln"},
                                    {u"Zweiter", u"", u"Berlin"},
                                    {u"Dritter", u"Zeile1\r\nZeile2\r\n", u"Ulm"}}));
}

TEST_F(CsvFiles, AQuoteThatIsNeverClosedSwallowsNoLaterRecord)
{
    Small();
    EXPECT_EQ(ImportBytes("Kopf\r\n\"offen\r\nx;y;z\r\nc;d\r\n").added, 2u);
    EXPECT_EQ(ImportBytes("Kopf\r\na;\"b\r\ne;f").added, 2u);
    EXPECT_EQ(AllRows(table), (Rows{{u"x", u"y", u"z"}, {u"c", u"d", u""}, {u"a", u"\"b", u""}, {u"e", u"f", u""}}));
}

TEST_F(CsvFiles, ATableOfAnotherCodePageIsExportedInWindows1252)
{
    Small(0x01);
    table.Append();
    table.SetValue(0, u"Müller ½");
    table.SetValue(1, u"Ärger");
    table.SetValue(2, u"Köln");
    table.Post();
    EXPECT_EQ(Export(), "\"Firma\";\"Mehr\";\"Ort\"\r\n\"M\xFCller \xBD\";\"\xC4rger\";\"K\xF6ln\"\r\n");
}

// ---- damaged memos -----------------------------------------------------------------------------

TEST_F(CsvFiles, ADamagedMemoIsExportedEmptyAndEveryOtherRecordWhole)
{
    std::vector<std::vector<std::pair<std::u16string, std::u16string>>> rows;
    for (int i = 1; i <= 20; ++i) {
        const std::u16string n = Utf8ToUtf16(std::to_string(i));
        rows.push_back({{u"Firma", u"Kunde " + n}, {u"Mehr", u"Notiz " + n}});
    }
    FillCustomers(TablePath(), CustomerSchema::StandardFields(), rows);
    DamageMemoPointer(TablePath(), 7);
    DamageMemoPointer(TablePath(), 15);
    table.Open(TablePath());
    const auto result = CustomerCsvExport::WriteFile(table, dir.File("out.csv"));
    ASSERT_EQ(result.status, CustomerCsvExport::Result::Status::Written) << result.error;
    EXPECT_EQ(result.records, 20u);
    EXPECT_EQ(result.damagedMemos, (std::vector<uint32_t>{7, 15}));
    const std::string file = ReadWholeFile(dir.File("out.csv"));
    EXPECT_NE(file.find("\"Kunde 7\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\""),
              std::string::npos);
    EXPECT_NE(file.find("\"Notiz 20\""), std::string::npos);
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 21);

    std::vector<uint32_t> damaged;
    const std::vector<uint32_t> counts = CustomerReport::FilledCounts(table, {}, &damaged);
    EXPECT_EQ(counts[0], 20u);
    EXPECT_EQ(counts[12], 18u);
    EXPECT_EQ(damaged, (std::vector<uint32_t>{7, 15}));
    EXPECT_EQ(DamagedMemoWalk::Report(damaged),
              u"2 Datensätze haben ein beschädigtes Memo, das als leer behandelt wurde: Nr. 7, 15.");
    EXPECT_EQ(DamagedMemoWalk::Report({4}),
              u"1 Datensatz hat ein beschädigtes Memo, das als leer behandelt wurde: Nr. 4.");
    std::vector<uint32_t> many;
    for (uint32_t i = 30; i > 0; --i)
        many.push_back(i);
    const std::u16string report = DamagedMemoWalk::Report(many);
    EXPECT_NE(report.find(u"Nr. 1, 2, 3,"), std::u16string::npos);
    EXPECT_NE(report.find(u", 20 und 10 weitere."), std::u16string::npos);
}
