#include "PdfTestSupport.h"

#include "foundation/IoError.h"
#include "foundation/MemoryByteSink.h"
#include "pdf/PdfNumbers.h"
#include "pdf/PdfObjectWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using StreamEnd = PdfObjectWriter::StreamEnd;

// A small document of its own, written through the object writer alone: object 2 is
// reserved before object 3 refers to it, and written after it.
int32_t WriteSmallDocument(PdfObjectWriter& w)
{
    w.PutLine("%PDF-1.3");
    const int32_t catalog = w.BeginDictObject();
    w.PutLine("/Type /Catalog /Pages 3 0 R");
    w.EndDictObject();
    const int32_t content = w.ReserveObject();
    w.BeginDictObject();
    w.PutLine("/Type /Pages /Count 1 /Kids [4 0 R]");
    w.EndDictObject();
    w.BeginDictObject();
    w.PutLine("/Type /Page /Parent 3 0 R /MediaBox [0 0 99 99] /Contents " + IntText(content) + " 0 R");
    w.EndDictObject();
    w.WriteStreamObject(content, "<< /Length 11 >>", "0 0 m 9 9 l", StreamEnd::kLineFeed);
    w.WriteTrailer(catalog);
    return content;
}

}

TEST(PdfObjectWriter, ObjectsAreFoundAtTheirRecordedOffsetsAlsoWhenReservedAhead)
{
    MemoryByteSink sink("speicher");
    PdfObjectWriter w;
    ASSERT_TRUE(w.Open(sink));
    EXPECT_EQ(w.FileName(), "speicher");
    EXPECT_EQ(WriteSmallDocument(w), 2);
    w.Finish();
    EXPECT_FALSE(w.IsOpen());

    const PdfFile file(sink.Bytes());
    ASSERT_EQ(file.ObjectCount(), 5u);
    EXPECT_EQ(file.XrefEntries()[0], "0000000000 65535 f \n");
    for (size_t n = 1; n < 5; ++n)
        EXPECT_EQ(file.XrefEntries()[n].substr(10), " 00000 n \n");
    EXPECT_EQ(file.Object(2), "2 0 obj\n<< /Length 11 >>\nstream\n0 0 m 9 9 l\nendstream\nendobj\n");
    EXPECT_GT(file.Offset(2), file.Offset(4));  // written last, under the number taken first
    EXPECT_EQ(file.Object(3), "3 0 obj\n<<\n/Type /Pages /Count 1 /Kids [4 0 R]\n>>\nendobj\n");
    const std::string& bytes = sink.Bytes();
    EXPECT_NE(bytes.find("trailer\n<<\n/Size 5\n/Root 1 0 R\n/ID [ <"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 6), "\n%%EOF");

    // An independent reader takes the document as it is.
    TempDir dir;
    WriteWholeFile(dir.File("klein.pdf"), bytes);
    const ToolResult check = RunTool("qpdf --check " + Quote(dir.File("klein.pdf")));
    EXPECT_EQ(check.exitCode, 0) << check.output;
    EXPECT_NE(check.output.find("No syntax or stream encoding errors found"), std::string::npos) << check.output;
}

TEST(PdfObjectWriter, StreamDataEndsWithOrWithoutALineFeed)
{
    MemoryByteSink sink;
    PdfObjectWriter w;
    ASSERT_TRUE(w.Open(sink));
    EXPECT_EQ(w.WriteStreamObject("<< /Length 3 >>", "abc", StreamEnd::kDirect), 1);
    EXPECT_EQ(w.WriteStreamObject("<<\n/Length 0\n>>", "", StreamEnd::kLineFeed), 2);
    EXPECT_EQ(sink.Bytes(), "1 0 obj\n<< /Length 3 >>\nstream\nabcendstream\nendobj\n"
                            "2 0 obj\n<<\n/Length 0\n>>\nstream\n\nendstream\nendobj\n");
    EXPECT_EQ(w.Position(), int64_t(sink.Bytes().size()));
}

TEST(PdfObjectWriter, AReservedNumberIsWrittenOnceAndOnlyWhenReserved)
{
    MemoryByteSink sink;
    PdfObjectWriter w;
    ASSERT_TRUE(w.Open(sink));
    const int32_t reserved = w.ReserveObject();
    EXPECT_EQ(reserved, 1);
    EXPECT_EQ(w.BeginObject(), 2);
    EXPECT_EQ(w.NextObjectNumber(), 3);
    EXPECT_THROW(w.BeginObject(2), IoError);  // written already, not reserved
    EXPECT_THROW(w.BeginObject(0), IoError);  // the free head
    EXPECT_THROW(w.BeginObject(3), IoError);  // not taken yet
    w.BeginObject(reserved);
    EXPECT_THROW(w.BeginObject(reserved), IoError);  // a second time
    EXPECT_EQ(sink.Bytes(), "2 0 obj\n1 0 obj\n");
}

TEST(PdfObjectWriter, AReservedObjectNeverWrittenLeavesNoFile)
{
    TempDir dir;
    PdfObjectWriter w;
    ASSERT_TRUE(w.OpenFile(dir.File("t.pdf")));
    w.PutLine("%PDF-1.3");
    w.ReserveObject();
    const int32_t catalog = w.BeginDictObject();
    w.EndDictObject();
    try {
        w.WriteTrailer(catalog);
        ADD_FAILURE() << "a cross-reference table with an unwritten object";
    } catch (const IoError& error) {
        EXPECT_EQ(error.fileName(), dir.File("t.pdf"));
        w.Abandon();
    }
    EXPECT_FALSE(w.IsOpen());
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(PdfObjectWriter, TheFileAppearsOnlyWhenFinished)
{
    TempDir dir;
    PdfObjectWriter w;
    ASSERT_TRUE(w.OpenFile(dir.File("t.pdf")));
    MemoryByteSink other;
    EXPECT_FALSE(w.Open(other));  // one output at a time
    EXPECT_FALSE(w.OpenFile(dir.File("u.pdf")));
    WriteSmallDocument(w);
    EXPECT_FALSE(std::filesystem::exists(dir.File("t.pdf")));
    w.Finish();
    ExpectValidPdf(dir.File("t.pdf"));
    EXPECT_EQ(PdfFile(ReadWholeFile(dir.File("t.pdf"))).ObjectCount(), 5u);

    // Without output the channel is an error, and so is a file that must not be replaced.
    EXPECT_THROW(w.PutLine("x"), IoError);
    EXPECT_FALSE(w.OpenFile(dir.Path()));
    // A second output begins afresh, and an abandoned one leaves the old file as it was.
    ASSERT_TRUE(w.OpenFile(dir.File("t.pdf")));
    EXPECT_EQ(w.Position(), 0);
    EXPECT_EQ(w.BeginObject(), 1);
    w.Abandon();
    EXPECT_EQ(PdfFile(ReadWholeFile(dir.File("t.pdf"))).ObjectCount(), 5u);
}

TEST(PdfObjectWriter, ContentIsCollectedInMemoryAndHandedBackCompressed)
{
    MemoryByteSink sink;
    PdfObjectWriter w;
    ASSERT_TRUE(w.Open(sink));
    w.PutLine("vorher");
    w.BeginContent();
    w.PutLine("0 0 m");
    w.Put(std::string(100000, '%'));
    EXPECT_EQ(w.ContentLength(), 100006);
    EXPECT_EQ(w.ContentCapacity(), 200000);
    EXPECT_EQ(w.Position(), 7);  // nothing of it in the file yet
    const std::string compressed(w.EndContent());
    EXPECT_EQ(Inflate(compressed), "0 0 m\n" + std::string(100000, '%'));
    EXPECT_EQ(w.ContentCapacity(), 0);
    w.PutLine("nachher");
    EXPECT_EQ(sink.Bytes(), "vorher\nnachher\n");
}
