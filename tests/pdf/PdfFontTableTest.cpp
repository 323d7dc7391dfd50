#include "PdfTestSupport.h"

#include "foundation/MemoryByteSink.h"
#include "pdf/PdfFontTable.h"
#include "pdf/PdfObjectWriter.h"
#include "pdf/TPDFFont.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

TEST(PdfFontTable, NumbersByFirstUseOfNameAndStyle)
{
    PdfFontTable fonts;
    EXPECT_EQ(fonts.Number(u"Arial", 0), 0);  // no document, no table
    fonts.Begin();
    const struct {
        std::u16string name;
        uint8_t style;
        int32_t number;
    } cases[] = {
        {u"Arial", 0, 1},
        {u"Arial", TPDFFont::fsBold, 2},
        {u"Arial", 0, 1},
        {u"arial", 0, 3},                            // case counts
        {std::u16string(u"Arial\0Rest", 10), 0, 1},  // up to the first zero unit
        {u"Arial", TPDFFont::fsUnderline, 4},        // a style of its own, the same face
        {u"", 0, 5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fonts.Number(c.name, c.style), c.number) << int(c.style);
    EXPECT_EQ(fonts.Count(), 5);

    fonts.Begin();  // a new document starts empty
    EXPECT_EQ(fonts.Count(), 0);
    EXPECT_EQ(fonts.Number(u"Times New Roman", TPDFFont::fsItalic), 1);
    fonts.Release();
    EXPECT_EQ(fonts.Count(), 0);
    EXPECT_EQ(fonts.Number(u"Arial", 0), 0);
}

TEST(PdfFontTable, DictionariesFollowEachOtherAndThePagesNameThem)
{
    PdfFontTable fonts;
    fonts.Begin();
    fonts.Number(u"Arial", 0);
    fonts.Number(u"Arial", TPDFFont::fsBold | TPDFFont::fsItalic);
    MemoryByteSink sink;
    PdfObjectWriter out;
    ASSERT_TRUE(out.Open(sink));
    out.BeginObject();
    out.EndObject();
    fonts.WriteFonts(out);
    std::string resources;
    fonts.AppendResources(resources);
    EXPECT_EQ(resources, "/F1 2 0 R/F2 3 0 R");

    const std::string& bytes = sink.Bytes();
    const size_t second = bytes.find("3 0 obj\n");
    ASSERT_NE(second, std::string::npos);
    const std::string first = bytes.substr(bytes.find("2 0 obj\n"), second - bytes.find("2 0 obj\n"));
    const std::string head = "2 0 obj\n<<\n/Type /Font\n/Subtype /TrueType\n/Encoding /WinAnsiEncoding\n"
                             "/BaseFont /Arial\n/FontDescriptor <</Type/FontDescriptor\n/FontBBox[";
    EXPECT_EQ(first.substr(0, head.size()), head);
    EXPECT_NE(bytes.find("/BaseFont /Arial,BoldItalic\n", second), std::string::npos);
    // One width for every code from the first to the last, each followed by a space.
    const size_t from = first.find("/FirstChar ");
    const size_t to = first.find("/LastChar ");
    const size_t widths = first.find("/Widths [");
    ASSERT_NE(widths, std::string::npos);
    const int firstChar = std::stoi(first.substr(from + 11));
    const int lastChar = std::stoi(first.substr(to + 10));
    const std::string list = first.substr(widths + 9, first.find("]\n>>\nendobj", widths) - widths - 9);
    std::istringstream numbers(list);
    int width = 0, count = 0;
    while (numbers >> width) {
        EXPECT_GE(width, 0);
        ++count;
    }
    EXPECT_EQ(count, lastChar - firstChar + 1);
    EXPECT_EQ(list.back(), ' ');
}
