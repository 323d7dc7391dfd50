// Code pages of dBase tables: the module's tables against the system's converter (iconv),
// the language driver byte, and tables of other programs (written by Perl's XBase in DOS and
// Windows code pages) read and edited in their own code page, then read back by XBase and
// dbffile.
#include "dbase/DbfCodePage.h"
#include "dbase/DbfTable.h"
#include "foundation/IoError.h"
#include "foundation/Utf8.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <iconv.h>
#include <sys/wait.h>

namespace {

const std::string kTools = std::string(REKOLON_TEST_DATA) + "/../tools/";

// The character that iconv gives for one byte of a code page; 0 when the code page leaves
// the byte undefined.
char32_t SystemDecode(const char* codePage, unsigned char byte)
{
    iconv_t cd = iconv_open("UTF-32LE", codePage);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return 0xFFFFFFFF;
    char in[1] = {static_cast<char>(byte)};
    unsigned char out[8] = {};
    char* inp = in;
    char* outp = reinterpret_cast<char*>(out);
    size_t inLeft = 1;
    size_t outLeft = sizeof out;
    const size_t done = iconv(cd, &inp, &inLeft, &outp, &outLeft);
    iconv_close(cd);
    if (done == static_cast<size_t>(-1) || sizeof out - outLeft != 4)
        return 0;
    return char32_t(out[0]) | char32_t(out[1]) << 8 | char32_t(out[2]) << 16 | char32_t(out[3]) << 24;
}

std::string RunShell(const std::string& command)
{
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return "popen failed";
    std::string out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    const int status = pclose(pipe);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "exit " + std::to_string(status) + ": " + out;
    return out;
}

std::string Escape(std::u16string_view text)
{
    std::string out;
    for (char c : Utf16ToUtf8(text)) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out += c;
        }
    }
    return out;
}

struct CodePageCase {
    uint8_t driver;
    int number;
    const char* perl;                   // name in Perl's Encode
    const char* dbffile;                // name for dbffile
    std::u16string text, memo;          // written by XBase
    std::u16string edited, editedMemo;  // written by the module
};

std::vector<CodePageCase> Cases()
{
    return {
        {0x01, 437, "cp437", "cp437", u"Müller ½ Größe", u"Ärger\r\nß ═ α", u"Öl ± ü ¥", u"Übung"},
        {0x02, 850, "cp850", "cp850", u"Müller Ø Größe ©", u"Ärger\r\nÞorn", u"Ça va ®", u"Ôle ¾"},
        {0x64, 852, "cp852", "cp852", u"Łódź Świętość", u"Žluťoučký kůň\r\nÄ", u"Ärger Ő ű", u"Ďábel"},
        {0xC8, 1250, "cp1250", "win1250", u"Łódź Świętość €", u"Žluťoučký kůň", u"Ärger Ő „x“", u"ţ"},
        {0x03, 1252, "cp1252", "win1252", u"Müller € „Zitat“", u"Œuvre\r\nß", u"Ça ½", u"Žšž"},
        {0x00, 1252, "cp1252", "win1252", u"Müller € „Zitat“", u"Œuvre", u"Ça ½", u"ÿ"},
    };
}

}  // namespace

TEST(DbfCodePage, TablesAgreeWithTheSystemsConverterForEveryByte)
{
    const std::vector<std::pair<int, const char*>> pages = {
        {437, "IBM437"}, {850, "IBM850"}, {852, "IBM852"}, {1250, "CP1250"}, {1252, "CP1252"}};
    for (const auto& [number, name] : pages) {
        const DbfCodePage page = DbfCodePage::ForLanguageDriver(DbfCodePage::LanguageDriverFor(number));
        ASSERT_EQ(page.Number(), number);
        std::string all;
        for (int byte = 0; byte < 256; ++byte) {
            all += static_cast<char>(byte);
            if (byte < 0x80) {
                EXPECT_EQ(page.DecodeChar(static_cast<unsigned char>(byte)), char16_t(byte));
                continue;
            }
            const char32_t expected = SystemDecode(name, static_cast<unsigned char>(byte));
            ASSERT_NE(expected, 0xFFFFFFFF) << name;
            // A byte that the code page leaves undefined stands for the control of its value.
            EXPECT_EQ(char32_t(page.DecodeChar(static_cast<unsigned char>(byte))),
                      expected == 0 ? char32_t(byte) : expected)
                << name << " byte " << byte;
        }
        EXPECT_EQ(page.Encode(page.Decode(all)), all) << name;
        EXPECT_EQ(page.CountUnrepresentable(page.Decode(all)), 0u) << name;
    }
}

TEST(DbfCodePage, TheLanguageDriverByteNamesTheCodePage)
{
    const std::vector<std::pair<uint8_t, int>> cases = {{0x00, 1252}, {0x01, 437},  {0x02, 850},  {0x03, 1252},
                                                        {0x57, 1252}, {0x64, 852},  {0xC8, 1250}, {0x0F, 437},
                                                        {0x10, 850},  {0x65, 1252}, {0xC9, 1252}, {0xFF, 1252}};
    for (const auto& [driver, number] : cases)
        EXPECT_EQ(DbfCodePage::ForLanguageDriver(driver).Number(), number) << int(driver);
    EXPECT_TRUE(DbfCodePage::Knows(0x00));
    EXPECT_TRUE(DbfCodePage::Knows(0x64));
    EXPECT_FALSE(DbfCodePage::Knows(0x65));  // DOS Cyrillic: read as Windows-1252
    EXPECT_EQ(DbfCodePage::LanguageDriverFor(1252), 0x03);
}

TEST(DbfCodePage, CharactersTheCodePageLacksBecomeQuestionMarksAndAreCounted)
{
    const DbfCodePage dos = DbfCodePage::ForLanguageDriver(0x01);
    EXPECT_EQ(dos.Encode(u"€ Łódź ü?"), "? ?\xA2"
                                        "d? \x81?");
    EXPECT_EQ(dos.CountUnrepresentable(u"€ Łódź ü?"), 3u);     // "?" itself is representable
    EXPECT_EQ(dos.CountUnrepresentable(u"a\U0001F600b"), 1u);  // a surrogate pair is one character
    EXPECT_EQ(dos.Encode(u"a\U0001F600b"), "a?b");
    EXPECT_EQ(DbfCodePage::Windows1252().CountUnrepresentable(u"Łódź €"), 2u);
}

TEST(DbfCodePage, NewTablesAreWindows1252AndSaySo)
{
    TempDir dir;
    DbfTable::Create(dir.File("neu.dbf"), {DbfField::Character(u"Größe", 10), DbfField::Memo(u"Mehr")});
    EXPECT_EQ(static_cast<unsigned char>(ReadWholeFile(dir.File("neu.dbf"))[29]), 0x03);
    DbfTable table;
    table.Open(dir.File("neu.dbf"));
    EXPECT_EQ(table.CodePage().Number(), 1252);
    EXPECT_EQ(table.Field(0).name, u"Größe");
}

TEST(DbfCodePage, TablesOfOtherProgramsAreReadAndEditedInTheirOwnCodePage)
{
    for (const CodePageCase& c : Cases()) {
        SCOPED_TRACE(c.number);
        TempDir dir;
        const std::string path = dir.File("fremd.dbf");
        std::string description = "Größe:C:30\tMehr:M:10\tOrt:C:10\n";
        description += Escape(c.text) + "\t" + Escape(c.memo) + "\tort\t0\n";
        description += Escape(c.text + u"2") + "\t\tzwei\t0\n";
        WriteWholeFile(dir.File("spec.txt"), description);
        char driver[8];
        std::snprintf(driver, sizeof driver, "0x%02X", c.driver);
        ASSERT_EQ(RunShell("perl " + kTools + "write-dbf.pl --codepage=" + driver + " --encoding=" + c.perl + " " +
                           path + " 0x8B < " + dir.File("spec.txt") + " 2>&1"),
                  "");
        ASSERT_EQ(static_cast<unsigned char>(ReadWholeFile(path)[29]), c.driver);

        DbfTable table;
        table.Open(path);
        EXPECT_EQ(table.CodePage().Number(), c.number);
        EXPECT_EQ(table.Field(0).name, u"GRößE");  // XBase writes names in capitals
        EXPECT_EQ(table.Value(0), c.text);
        EXPECT_EQ(table.Value(1), c.memo);
        table.SetValue(0, c.edited);
        table.SetValue(1, c.editedMemo);
        table.Post();
        table.Append();
        table.SetValue(0, c.edited + u"3");
        table.SetValue(2, u"drei");
        table.Post();
        table.Close();
        EXPECT_EQ(static_cast<unsigned char>(ReadWholeFile(path)[29]), c.driver);

        const std::string expected = "FIELD\tGRößE\tC\t30\nFIELD\tMEHR\tM\t10\nFIELD\tORT\tC\t10\n"
                                     "RECORD\t" +
                                     Escape(c.edited) + "\t" + Escape(c.editedMemo) +
                                     "\tort\n"
                                     "RECORD\t" +
                                     Escape(c.text + u"2") +
                                     "\t\tzwei\n"
                                     "RECORD\t" +
                                     Escape(c.edited + u"3") + "\t\tdrei\nDELETED\t0\n";
        EXPECT_EQ(RunShell("perl " + kTools + "read-dbf.pl " + path + " " + c.perl + " 2>&1"), expected);
        EXPECT_EQ(RunShell("node " + kTools + "read-dbf.js " + path + " " + c.dbffile + " 2>&1"), expected);
    }
}

TEST(DbfCodePage, SortingATableOfAnotherCodePageTakesUmlautsAsTheirBaseLetter)
{
    TempDir dir;
    const std::string path = dir.File("dos.dbf");
    DbfTable::Create(path, {DbfField::Character(u"Name", 10)}, 0x01);
    DbfTable table;
    table.Open(path);
    for (const std::u16string name : {u"Zebra", u"Äpfel", u"Bär", u"Ölmühle", u"Apfel"}) {
        table.Append();
        table.SetValue(0, name);
        table.Post();
    }
    table.AddIndex(u"Name", 0);
    table.SelectIndex(u"Name");
    std::vector<std::u16string> order;
    for (table.First(); !table.Eof(); table.Next())
        order.push_back(table.Value(0));
    EXPECT_EQ(order, (std::vector<std::u16string>{u"Apfel", u"Äpfel", u"Bär", u"Ölmühle", u"Zebra"}));
    // The second record's text, after the header (65 bytes), the first record and a flag.
    EXPECT_EQ(ReadWholeFile(path).substr(65 + 11 + 1, 5), "\x8Epfel");
}

TEST(DbfCodePage, ErrorTextsShowColumnNamesInTheirOwnLetters)
{
    TempDir dir;
    const std::string path = dir.File("t.dbf");
    DbfTable::Create(path, {DbfField::Character(u"Größe", 10)});
    DbfTable table;
    table.Open(path);
    try {
        table.Value(u"Maß");
        FAIL() << "no error";
    } catch (const IoError& error) {
        EXPECT_NE(std::string(error.what()).find("Feld nicht gefunden: Maß"), std::string::npos) << error.what();
    }
    try {
        DbfTable::Create(dir.File("u.dbf"), {DbfField::Character(u"Größenangabe", 10)});
        FAIL() << "no error";
    } catch (const IoError& error) {
        EXPECT_NE(std::string(error.what()).find("\"Größenangabe\" ist länger als 10 Zeichen"), std::string::npos)
            << error.what();
    }
    try {
        DbfTable::Create(dir.File("v.dbf"), {DbfField::Character(u"Größe", 300)});
        FAIL() << "no error";
    } catch (const IoError& error) {
        EXPECT_NE(std::string(error.what()).find("Feld \"Größe\": die Länge 300"), std::string::npos) << error.what();
    }
}
