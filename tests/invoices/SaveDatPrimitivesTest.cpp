// The store file's text records as read and written block-wise agree with the code page
// conversion character for character, for every length and every position of a byte.
#include "foundation/Cp1252.h"
#include "foundation/IoError.h"
#include "foundation/MemoryByteSink.h"
#include "foundation/MemoryByteSource.h"
#include "foundation/StringRecords.h"
#include "invoices/SaveDatInput.h"
#include "invoices/SaveDatOutput.h"
#include "invoices/TextBuf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

TEST(SaveDatPrimitives, ReadingTextsMatchesTheCodePageForEveryByteAndLength)
{
    MemoryByteSink sink;
    std::vector<std::string> texts;
    for (size_t length = 0; length <= 40; ++length) {
        for (int byte = 0x01; byte <= 0xFF; byte += 3) {
            std::string text(length, 'a');
            if (length > 0)
                text[(byte * 7) % length] = static_cast<char>(byte);
            texts.push_back(text);
            sink.WriteI32(static_cast<int32_t>(text.size()));
            sink.WriteBytes(text);
        }
    }
    MemoryByteSource source(sink.Bytes());
    SaveDatInput in(source);
    for (size_t i = 0; i < texts.size(); ++i) {
        char16_t* buffer = in.Str8Buf();
        ASSERT_EQ(TextOf(buffer), DecodeCp1252(texts[i])) << "text " << i;
        ReleaseTextBuf(&buffer);
    }
    EXPECT_TRUE(in.AtEnd());
}

TEST(SaveDatPrimitives, TextsAcrossBlockBoundariesAndLongerThanABlock)
{
    std::mt19937 random(3);
    MemoryByteSink sink;
    std::vector<std::u16string> texts;
    for (int i = 0; i < 400; ++i) {
        const size_t length = i % 50 == 0 ? 70000 + random() % 1000 : random() % 600;
        std::u16string text(length, u'x');
        for (char16_t& c : text)
            c = DecodeCp1252Char(static_cast<unsigned char>(1 + random() % 255));
        WriteStr8(sink, text);
        sink.WriteF64(i);
        texts.push_back(text);
    }
    MemoryByteSource source(sink.Bytes());
    SaveDatInput in(source);
    for (size_t i = 0; i < texts.size(); ++i) {
        if (i % 2) {
            char16_t* buffer = in.Str8Buf();
            ASSERT_EQ(TextOf(buffer), texts[i]) << i;
            ReleaseTextBuf(&buffer);
        } else {
            ASSERT_EQ(in.Str8(), texts[i]) << i;
        }
        ASSERT_EQ(in.F64(), double(i));
    }
    EXPECT_TRUE(in.AtEnd());
}

TEST(SaveDatPrimitives, WritingTextsMatchesTheCodePageForAnyUnitAnywhere)
{
    const char16_t specials[] = {u'ä', u'€', u'Ω', 0x81, 0x9F, 0xA0, 0xFF, 0x100, 0xD83D, 0xDE00, u'\t'};
    MemoryByteSink expected;
    MemoryByteSink sink;
    SaveDatOutput out(sink);
    for (size_t length = 0; length <= 40; ++length) {
        for (char16_t special : specials) {
            for (size_t at = 0; at < std::max<size_t>(length, 1); at += 5) {
                std::u16string text(length, u'b');
                if (length > 0)
                    text[at] = special;
                if (special == 0xD83D && at + 1 < length)
                    text[at + 1] = 0xDE00;  // a whole surrogate pair
                WriteStr8(expected, text);
                out.Str8(text);
            }
        }
    }
    out.Flush();
    EXPECT_EQ(sink.Bytes(), expected.Bytes());
}

TEST(SaveDatPrimitives, DamagedCountsRaiseBeforeAnythingIsRead)
{
    MemoryByteSink sink;
    sink.WriteI32(-1);
    sink.WriteI32(5);
    sink.WriteBytes("abc");
    MemoryByteSource source(sink.Bytes());
    SaveDatInput in(source);
    EXPECT_THROW(in.Str8Buf(), IoError);  // negative
    EXPECT_THROW(in.Str8Buf(), IoError);  // 5 announced, 3 there
    EXPECT_EQ(in.Remaining(), 3u);
}
