// The pieces under the CSV files: reading lines over blocks and quoted line breaks, escaping
// values, and parsing a line into values.
#include "customers/CsvLineParser.h"
#include "customers/CsvLineReader.h"
#include "customers/CsvValueCodec.h"
#include "foundation/IoError.h"
#include "foundation/MemoryByteSource.h"
#include "foundation/Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <random>

TEST(CsvLineReader, QuotedValuesGoOnOverLineBreaksAndAnUnclosedOneIsReadAgainLineByLine)
{
    const std::string bytes = "\"a\r\nb\";x\r\nc;\"d\ne\"\n\"offen\nf\r\ng";
    MemoryByteSource source(bytes);
    CsvLineReader reader(source);
    std::string line;
    std::vector<std::string> lines;
    uint64_t consumed = 0;
    while (reader.Next(line) != CsvLineReader::Result::End) {
        lines.push_back(line);
        EXPECT_GE(reader.Consumed(), consumed);
        consumed = reader.Consumed();
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"\"a\r\nb\";x", "c;\"d\r\ne\"", "\"offen", "f", "g"}));
    EXPECT_EQ(reader.Consumed(), bytes.size());
}

TEST(CsvLineReader, BlocksAndLineEndsAcrossBlockBorders)
{
    // A CR at the end of one block and its LF at the start of the next make one line end.
    std::string bytes(256 * 1024 - 1, 'a');
    bytes += "\r\nb\r";
    MemoryByteSource source(bytes);
    CsvLineReader reader(source, 300 * 1024);
    std::string line;
    ASSERT_EQ(reader.Next(line), CsvLineReader::Result::Line);
    EXPECT_EQ(line.size(), 256u * 1024 - 1);
    ASSERT_EQ(reader.Next(line), CsvLineReader::Result::Line);
    EXPECT_EQ(line, "b");
    EXPECT_EQ(reader.Next(line), CsvLineReader::Result::End);
    EXPECT_EQ(reader.Consumed(), bytes.size());

    MemoryByteSource small(std::string("12345\n123456\n\n"));
    CsvLineReader limited(small, 5);
    EXPECT_EQ(limited.Next(line), CsvLineReader::Result::Line);
    EXPECT_EQ(limited.Next(line), CsvLineReader::Result::TooLong);
    EXPECT_EQ(limited.Next(line), CsvLineReader::Result::Line);
    EXPECT_EQ(line, "");
    EXPECT_EQ(limited.Next(line), CsvLineReader::Result::End);
}

// ---- the value codec -----------------------------------------------------------------------

TEST(CsvValueCodec, EscapesAndDecodes)
{
    EXPECT_EQ(CsvValueCodec::Escape(u"a\"b\\c\r\nd;e"), u"a\"\"b\\\\c\\r\\nd;e");
    EXPECT_EQ(CsvValueCodec::Decode(u"a\\rb\\nc"), u"a\rb\nc");
    EXPECT_EQ(CsvValueCodec::Decode(u"\\\\n"), u"\\n");
    EXPECT_EQ(CsvValueCodec::Decode(u"\\\\\\n"), u"\\\n");
    EXPECT_EQ(CsvValueCodec::Decode(u"C:\\Programme\\x"), u"C:\\Programme\\x");
    EXPECT_EQ(CsvValueCodec::Decode(u"Ende\\"), u"Ende\\");
    // A file of another program that does not double its backslashes reads as before.
    EXPECT_EQ(CsvValueCodec::Decode(u"C:\\new"), u"C:\new");
}

// ---- the quoted line, against the reading taken literally ------------------------------------

namespace {

// The quoted-line reading as a sequence of removals from the line, exactly in the steps of
// its definition, with doubled quotes inside a value read as one quote. Slow (it copies the
// line for every value) but plain; the one-pass reader must agree with it.
std::vector<std::u16string> LiteralQuoted(std::u16string line)
{
    std::vector<std::u16string> values;
    constexpr auto npos = std::u16string::npos;
    while (line.find(u'"') != npos) {
        const size_t p = line.find(u'"');
        line.erase(p, 1);
        size_t q = line.find(u'"');
        std::optional<std::u16string> value;
        if (q != npos && q == p && q + 1 < line.size() && line[q + 1] != u'"' && line[q + 1] != u',' &&
            line[q + 1] != u';') {
            const size_t first = line.find(u'"', q + 2);
            const size_t r = first == npos ? npos : line.find(u'"', first + 1);
            if (r != npos) {
                value = line.substr(p, r - p);
                line.erase(p, 1);
                line.erase(r - 1, 1);
                q = r - 2;
            }
        }
        if (q == npos)
            continue;  // no further quote: the loop ends
        if (!value) {
            std::u16string text;
            size_t k = p;
            bool closed = false;
            while (true) {
                const size_t quote = line.find(u'"', k);
                if (quote == npos)
                    break;
                text += line.substr(k, quote - k);
                if (quote + 1 < line.size() && line[quote + 1] == u'"') {
                    text += u'"';
                    line.erase(quote, 2);
                    k = quote;
                    continue;
                }
                q = quote;
                closed = true;
                break;
            }
            if (!closed)
                break;
            value = text;
        }
        values.push_back(*value);
        line.erase(q, 1);
    }
    return values;
}

}  // namespace

TEST(CsvLineParser, QuotedLinesAgreeWithTheLiteralReading)
{
    EXPECT_EQ(LiteralQuoted(u"\"\"Hallo\"\""), std::vector<std::u16string>{u"\"Hallo\""});
    std::mt19937 random(3);
    const std::u16string alphabet = u"\"\"\"\";,a b";
    for (int n = 0; n < 200000; ++n) {
        std::u16string line = u"\"";
        const int length = int(random() % 14);
        for (int k = 0; k < length; ++k)
            line += alphabet[random() % alphabet.size()];
        const auto expected = LiteralQuoted(line);
        ASSERT_EQ(CsvLineParser::QuotedValues(line, 1000), expected) << Utf16ToUtf8(line);
        const auto limited = CsvLineParser::QuotedValues(line, 2);
        ASSERT_EQ(limited, std::vector<std::u16string>(expected.begin(),
                                                       expected.begin() + std::min<size_t>(2, expected.size())));
    }
}

TEST(CsvLineParser, PlainAndQuotedValues)
{
    using V = std::vector<std::u16string>;
    EXPECT_EQ(CsvLineParser::PlainValues(u"a;;c", 99), (V{u"a", u"", u"c"}));
    EXPECT_EQ(CsvLineParser::PlainValues(u"a;b;", 99), (V{u"a", u"b"}));
    EXPECT_EQ(CsvLineParser::PlainValues(u";", 99), (V{u""}));
    EXPECT_EQ(CsvLineParser::PlainValues(u"a;b;c", 2), (V{u"a", u"b"}));
    EXPECT_EQ(CsvLineParser::QuotedValues(u"\"a\",\"b\"", 99), (V{u"a", u"b"}));
    EXPECT_EQ(CsvLineParser::QuotedValues(u"\"abc", 99), V{});
    EXPECT_EQ(CsvLineParser::QuotedValues(u"\"Sag \"\"Hallo\"\"\";\"x\"", 99), (V{u"Sag \"Hallo\"", u"x"}));
    EXPECT_EQ(CsvLineParser::QuotedValues(u"\"\"\"zitiert\"\"\";\"\"", 99), (V{u"\"zitiert\"", u""}));
    EXPECT_EQ(CsvLineParser::QuotedValues(u"\"abc\"\"", 99), V{});
    // Plain lines take quotes as ordinary characters; backslashes are decoded in both kinds.
    EXPECT_EQ(CsvLineParser::Values(u"a\"b;c\\nd", 99), (V{u"a\"b", u"c\nd"}));
    EXPECT_EQ(CsvLineParser::Values(u"\"c\\\\d\"", 99), (V{u"c\\d"}));
}
