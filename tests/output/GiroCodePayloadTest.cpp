// The content of the GiroCode line by line, and the QR matrix libqrencode gives for it.
#include "output/GiroCodePayload.h"
#include "output/GiroCodeMatrix.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return lines;
        start = end + 1;
    }
}

std::string Repeat(const std::string& piece, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

std::u16string Repeat16(std::u16string_view piece, int times)
{
    std::u16string out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

struct PayloadCase {
    const char* name;
    GiroCodeFields fields;
    // BIC, holder, IBAN, amount and remittance line; the others are fixed.
    std::string bic, holder, iban, amount, remittance;
};

const GiroCodeFields kBase{u"Müller & Söhne GmbH", u"DE02120300000000202051", u"BYLADEM1001", 11900, u"Rechnung RE-17"};

GiroCodeFields With(void (*change)(GiroCodeFields&))
{
    GiroCodeFields f = kBase;
    change(f);
    return f;
}

const std::vector<PayloadCase>& Cases()
{
    static const std::vector<PayloadCase> cases = {
        {"UmlautsAndAmpersand", kBase, "BYLADEM1001", "Müller & Söhne GmbH", "DE02120300000000202051", "EUR119.00",
         "Rechnung RE-17"},
        {"OneCent", With([](GiroCodeFields& f) { f.cents = 1; }), "BYLADEM1001", "Müller & Söhne GmbH",
         "DE02120300000000202051", "EUR0.01", "Rechnung RE-17"},
        {"LargestAmount", With([](GiroCodeFields& f) { f.cents = 99'999'999'999; }), "BYLADEM1001",
         "Müller & Söhne GmbH", "DE02120300000000202051", "EUR999999999.99", "Rechnung RE-17"},
        {"NoAmount", With([](GiroCodeFields& f) { f.cents = 0; }), "BYLADEM1001", "Müller & Söhne GmbH",
         "DE02120300000000202051", "", "Rechnung RE-17"},
        {"NoBic", With([](GiroCodeFields& f) { f.bic.clear(); }), "", "Müller & Söhne GmbH", "DE02120300000000202051",
         "EUR119.00", "Rechnung RE-17"},
        {"IbanAndBicAsTyped", With([](GiroCodeFields& f) {
             f.iban = u" de02 1203 0000 0000 2020 51 ";
             f.bic = u"byla dem1 001";
         }),
         "BYLADEM1001", "Müller & Söhne GmbH", "DE02120300000000202051", "EUR119.00", "Rechnung RE-17"},
        {"LineBreaksBecomeSpaces", With([](GiroCodeFields& f) {
             f.holder = u"  Max\r\nMuster\t";
             f.remittance = u"Mahnung\nRE-17 ";
         }),
         "BYLADEM1001", "Max  Muster", "DE02120300000000202051", "EUR119.00", "Mahnung RE-17"},
        // 71 characters of holder, 150 of text: 70 and 140 are kept, the 140th being a character
        // of two UTF-16 units that must not be split.
        {"LongTextsCutByCharacters", With([](GiroCodeFields& f) {
             f.holder = Repeat16(u"a", 71);
             f.remittance = Repeat16(u"x", 139) + u"😀" + Repeat16(u"y", 10);
         }),
         "BYLADEM1001", Repeat("a", 70), "DE02120300000000202051", "EUR119.00", Repeat("x", 139) + "😀"},
        // 70 × "€" (210 bytes) and 140 × "ä" (280 bytes): 272 bytes without the text leave 59,
        // so 29 "ä" (58 bytes) stay and the whole is 330 bytes.
        {"ByteLimitCutsTheText", With([](GiroCodeFields& f) {
             f.holder = Repeat16(u"€", 70);
             f.remittance = Repeat16(u"ä", 140);
         }),
         "BYLADEM1001", Repeat("€", 70), "DE02120300000000202051", "EUR119.00", Repeat("ä", 29)},
        // 70 characters of four bytes each: 339 bytes with an empty text (whose empty lines
        // at the end go); the text goes entirely and two characters of the holder with it.
        {"ByteLimitCutsTheHolderLast", With([](GiroCodeFields& f) { f.holder = Repeat16(u"𝄞", 70); }), "BYLADEM1001",
         Repeat("𝄞", 68), "DE02120300000000202051", "EUR119.00", ""},
    };
    return cases;
}

class GiroCodePayloadTest : public testing::TestWithParam<PayloadCase> {};

TEST_P(GiroCodePayloadTest, EveryLineExactly)
{
    const PayloadCase& c = GetParam();
    const std::string payload = GiroCodePayload(c.fields);
    std::vector<std::string> expected = {"BCD",  "002",    "1", "SCT", c.bic,       c.holder,
                                         c.iban, c.amount, "",  "",    c.remittance};
    while (expected.back().empty())
        expected.pop_back();  // empty lines at the end are left out
    EXPECT_EQ(Lines(payload), expected);
    EXPECT_NE(payload.back(), '\n');
    EXPECT_LE(payload.size(), kGiroCodeMaxBytes);
}

INSTANTIATE_TEST_SUITE_P(Cases, GiroCodePayloadTest, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<PayloadCase>& param) {
                             return std::string(param.param.name);
                         });

// Level M byte capacities: version 1 holds 14 bytes, version 13 holds 331 (the GiroCode's
// limit), version 14 more; the smallest version that fits is taken.
TEST(GiroCodeMatrix, SmallestVersionAtLevelM)
{
    const struct {
        size_t bytes;
        int32_t modules;
    } cases[] = {{14, 21}, {15, 25}, {106, 41}, {107, 45}, {331, 69}, {332, 73}};
    for (const auto& c : cases) {
        const auto matrix = GiroCodeMatrix::Encode(std::string(c.bytes, '\xC3'));
        ASSERT_TRUE(matrix) << c.bytes;
        EXPECT_EQ(matrix->Size(), c.modules) << c.bytes << " bytes";
    }
    EXPECT_FALSE(GiroCodeMatrix::Encode(""));
    EXPECT_FALSE(GiroCodeMatrix::Encode(std::string(8000, 'x')));
}

// The runs cover exactly the dark modules, each run as long as it can be; the finder pattern
// gives the first row a run of seven modules at each end.
TEST(GiroCodeMatrix, RunsCoverExactlyTheDarkModules)
{
    const auto matrix = GiroCodeMatrix::Encode(GiroCodePayload(kBase));
    ASSERT_TRUE(matrix);
    const int32_t n = matrix->Size();
    std::vector<int> covered(size_t(n) * n, 0);
    for (const GiroCodeMatrix::Run& run : matrix->DarkRuns()) {
        ASSERT_GT(run.length, 0);
        ASSERT_LE(run.column + run.length, n);
        if (run.column > 0) {
            EXPECT_FALSE(matrix->Dark(run.column - 1, run.row));
        }
        if (run.column + run.length < n) {
            EXPECT_FALSE(matrix->Dark(run.column + run.length, run.row));
        }
        for (int32_t c = run.column; c < run.column + run.length; ++c)
            ++covered[size_t(run.row) * n + c];
    }
    for (int32_t row = 0; row < n; ++row) {
        for (int32_t column = 0; column < n; ++column)
            ASSERT_EQ(covered[size_t(row) * n + column], matrix->Dark(column, row) ? 1 : 0) << column << "," << row;
    }
    const auto runs = matrix->DarkRuns();
    EXPECT_EQ(runs.front(), (GiroCodeMatrix::Run{0, 0, 7}));
    EXPECT_TRUE(std::find(runs.begin(), runs.end(), GiroCodeMatrix::Run{0, n - 7, 7}) != runs.end());
}

}
