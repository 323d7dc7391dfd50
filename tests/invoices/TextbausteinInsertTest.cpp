#include "invoices/TextbausteinInsert.h"

#include <gtest/gtest.h>

TEST(TextbausteinInsert, InsideALineWithoutAddedSpace)
{
    const auto r = InsertTextbaustein(u"Zahlbar sofort", 7, u"innerhalb 14 Tagen");
    EXPECT_EQ(r.text, u"Zahlbarinnerhalb 14 Tagen sofort");
    EXPECT_EQ(r.caret, 7u + 18u);
}

TEST(TextbausteinInsert, EmptyTextGetsTheBlockAsOnlyLine)
{
    const auto r = InsertTextbaustein(u"", 0, u"Vielen Dank");
    EXPECT_EQ(r.text, u"Vielen Dank");
}

TEST(TextbausteinInsert, ThreeLineBlockSplitsTheLine)
{
    // Caret after "Guten" on the second line: 5 + 2 (first line break) + 5.
    const auto r = InsertTextbaustein(u"Hallo\r\nGuten Tag", 12, u"A\r\nB\r\nC");
    EXPECT_EQ(r.text, u"Hallo\r\nGutenA\r\nB\r\nC Tag");
    EXPECT_EQ(r.caret, 12u + 7u);
}

TEST(TextbausteinInsert, CaretBehindFinalLineBreakAppendsLine)
{
    const auto r = InsertTextbaustein(u"Zeile\r\n", 7, u"Neu");
    EXPECT_EQ(r.text, u"Zeile\r\nNeu");
}

TEST(TextbausteinInsert, CaretAtStartAndEndOfLastLine)
{
    EXPECT_EQ(InsertTextbaustein(u"abc", 0, u"X").text, u"Xabc");
    EXPECT_EQ(InsertTextbaustein(u"abc", 3, u"X").text, u"abcX");
    EXPECT_EQ(InsertTextbaustein(u"ab\r\ncd", 2, u"X").text, u"abX\r\ncd");  // end of the first line
}

TEST(TextbausteinInsert, CaretPastTheTextAppends)
{
    EXPECT_EQ(InsertTextbaustein(u"abc", 50, u"X").text, u"abc\r\nX");
}
