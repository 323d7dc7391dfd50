#include "foundation/StringRecords.h"
#include "foundation/FileByteSource.h"
#include "foundation/IoError.h"
#include "foundation/MemoryByteSink.h"
#include "foundation/MemoryByteSource.h"
#include "support/TempDir.h"
#include "support/Watchdog.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}

}

TEST(StringRecords, EmptyText8IsFourZeroBytes)
{
    MemoryByteSink sink;
    WriteStr8(sink, u"");
    EXPECT_EQ(sink.Bytes(), Bytes({0, 0, 0, 0}));
    MemoryByteSource source(sink.Bytes());
    EXPECT_EQ(ReadStr8(source), u"");
    EXPECT_TRUE(source.AtEnd());
}

TEST(StringRecords, Strasse8IsSixWindows1252Bytes)
{
    MemoryByteSink sink;
    WriteStr8(sink, u"Straße");
    EXPECT_EQ(sink.Bytes(), Bytes({6, 0, 0, 0, 'S', 't', 'r', 'a', 0xDF, 'e'}));
    MemoryByteSource source(sink.Bytes());
    EXPECT_EQ(ReadStr8(source), u"Straße");
}

TEST(StringRecords, Strasse16IsTwelveBytes)
{
    MemoryByteSink sink;
    WriteStr16(sink, u"Straße");
    EXPECT_EQ(sink.Bytes(), Bytes({6, 0, 0, 0, 'S', 0, 't', 0, 'r', 0, 'a', 0, 0xDF, 0, 'e', 0}));
    MemoryByteSource source(sink.Bytes());
    EXPECT_EQ(ReadStr16(source), u"Straße");
}

TEST(StringRecords, Record16KeepsEveryCharacter)
{
    const std::u16string text = u"Grüße € \u4E2D\u6587 \U0001F600 \u0000 Ende";
    MemoryByteSink sink;
    WriteStr16(sink, text);
    MemoryByteSource source(sink.Bytes());
    EXPECT_EQ(ReadStr16(source), text);
}

TEST(StringRecords, Record8SubstitutesUnrepresentableCharacters)
{
    MemoryByteSink sink;
    WriteStr8(sink, u"A\u4E2DB\U0001F600C€");
    EXPECT_EQ(sink.Bytes(), Bytes({6, 0, 0, 0, 'A', '?', 'B', '?', 'C', 0x80}));
    MemoryByteSource source(sink.Bytes());
    EXPECT_EQ(ReadStr8(source), u"A?B?C€");
}

TEST(StringRecords, RecordsFollowEachOther)
{
    MemoryByteSink sink;
    WriteStr8(sink, u"eins");
    WriteStr16(sink, u"zwei");
    WriteStr8(sink, u"");
    MemoryByteSource source(sink.Bytes());
    EXPECT_EQ(ReadStr8(source), u"eins");
    EXPECT_EQ(ReadStr16(source), u"zwei");
    EXPECT_EQ(ReadStr8(source), u"");
    EXPECT_TRUE(source.AtEnd());
}

// Damaged counts: the reader raises the I/O error before it allocates anything.
TEST(StringRecords, NegativeCountIsAnError)
{
    MemoryByteSource source8(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 'a'}), "save.dat");
    EXPECT_THROW(ReadStr8(source8), IoError);
    MemoryByteSource source16(Bytes({0x00, 0x00, 0x00, 0x80, 'a', 0}), "save.dat");
    EXPECT_THROW(ReadStr16(source16), IoError);
}

TEST(StringRecords, CountBeyondEndIsAnError)
{
    // 2 GiB announced, 3 bytes present.
    MemoryByteSource huge(Bytes({0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b', 'c'}), "save.dat");
    try {
        ReadStr8(huge);
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_EQ(e.fileName(), "save.dat");
    }
    // One byte short.
    MemoryByteSource shortBy1(Bytes({4, 0, 0, 0, 'a', 'b', 'c'}));
    EXPECT_THROW(ReadStr8(shortBy1), IoError);
    // 16-bit: three units announced, five bytes present.
    MemoryByteSource short16(Bytes({3, 0, 0, 0, 'a', 0, 'b', 0, 'c'}));
    EXPECT_THROW(ReadStr16(short16), IoError);
    // The count itself cut off.
    MemoryByteSource cutCount(Bytes({1, 0}));
    EXPECT_THROW(ReadStr8(cutCount), IoError);
}

TEST(StringRecords, CountExactlyToEndIsFine)
{
    MemoryByteSource exact(Bytes({3, 0, 0, 0, 'a', 'b', 'c'}));
    EXPECT_EQ(ReadStr8(exact), u"abc");
}

TEST(StringRecords, DamagedFixtureFromDisk)
{
    FileByteSource source(std::string(REKOLON_TEST_DATA) + "/str8-count-past-end.bin");
    EXPECT_EQ(ReadStr8(source), u"ok");
    EXPECT_THROW(ReadStr8(source), IoError);
}

TEST(FileByteSource, MissingFileRaisesWithName)
{
    TempDir dir;
    try {
        FileByteSource source(dir.File("fehlt.dat"));
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_EQ(e.fileName(), dir.File("fehlt.dat"));
        EXPECT_FALSE(e.systemText().empty());
    }
}

TEST(FileByteSource, FolderOrPipeIsNotAFileAndRefusedAtOnce)
{
    // Nobody writes to the pipe: a plain open would wait for ever.
    const Watchdog watchdog(20, "FileByteSource on a pipe");
    TempDir dir;
    ASSERT_EQ(mkfifo(dir.File("save.dat").c_str(), 0600), 0);
    for (const std::string& path : {dir.Path(), dir.File("save.dat")}) {
        try {
            FileByteSource source(path);
            ADD_FAILURE() << path << " was read as a file";
        } catch (const IoError& e) {
            EXPECT_EQ(e.fileName(), path);
            EXPECT_EQ(e.systemText(), kNotRegularFileText);
        }
    }
}

TEST(FileByteSource, ReadsLittleEndianValues)
{
    TempDir dir;
    WriteWholeFile(dir.File("v.bin"), Bytes({0x78, 0x56, 0x34, 0x12, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 9}));
    FileByteSource source(dir.File("v.bin"));
    EXPECT_EQ(source.Remaining(), 13u);
    EXPECT_EQ(source.ReadI32(), 0x12345678);
    EXPECT_EQ(source.ReadF64(), 1.0);
    EXPECT_EQ(source.ReadU8(), 9);
    EXPECT_TRUE(source.AtEnd());
    EXPECT_THROW(source.ReadU8(), IoError);
}
