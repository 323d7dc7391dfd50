#include "foundation/AtomicFileSink.h"
#include "foundation/IoError.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

size_t FilesIn(const std::string& folder)
{
    size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++n;
    return n;
}

}

TEST(AtomicFileSink, CommitReplacesTarget)
{
    TempDir dir;
    WriteWholeFile(dir.File("save.dat"), "alt");
    {
        AtomicFileSink sink(dir.File("save.dat"));
        sink.WriteI32(0x01020304);
        sink.WriteBytes("neu");
        EXPECT_EQ(ReadWholeFile(dir.File("save.dat")), "alt");  // untouched until commit
        sink.Commit();
    }
    EXPECT_EQ(ReadWholeFile(dir.File("save.dat")), std::string("\x04\x03\x02\x01neu"));
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(AtomicFileSink, WithoutCommitOldFileStaysWhole)
{
    TempDir dir;
    WriteWholeFile(dir.File("save.dat"), "alt");
    try {
        AtomicFileSink sink(dir.File("save.dat"));
        sink.WriteBytes("halb");
        throw std::runtime_error("abgebrochen");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(ReadWholeFile(dir.File("save.dat")), "alt");
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(AtomicFileSink, MissingFolderRaisesWithPath)
{
    TempDir dir;
    const std::string path = dir.File("fehlt/save.dat");
    try {
        AtomicFileSink sink(path);
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_EQ(e.fileName(), path);
    }
}

TEST(AtomicFileSink, FolderThatTakesNoFilesRaises)
{
    // Nobody, not even root, can create files in /proc.
    EXPECT_THROW(AtomicFileSink sink("/proc/save.dat"), IoError);
    EXPECT_NE(access("/proc/save.dat", F_OK), 0);
}

TEST(AtomicFileSink, FailedRenameRemovesNewFile)
{
    TempDir dir;
    AtomicFileSink sink(dir.File("save.dat"));
    sink.WriteBytes("neu");
    // A non-empty folder in the target's place makes the final rename fail.
    std::filesystem::create_directory(dir.File("save.dat"));
    std::filesystem::create_directory(dir.File("save.dat/inhalt"));
    EXPECT_THROW(sink.Commit(), IoError);
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("save.dat/inhalt")));
    EXPECT_EQ(FilesIn(dir.Path()), 1u);  // the new file was removed again
}

TEST(AtomicFileSink, WriteFailureLeavesOldFile)
{
    // A file size limit makes writes fail as a full disk would.
    TempDir dir;
    WriteWholeFile(dir.File("save.dat"), "alt");
    struct rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = old;
    limited.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &limited);
    bool failed = false;
    try {
        AtomicFileSink sink(dir.File("save.dat"));
        sink.WriteBytes(std::string(1 << 20, 'x'));
        sink.Commit();
    } catch (const IoError&) {
        failed = true;
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(failed);
    EXPECT_EQ(ReadWholeFile(dir.File("save.dat")), "alt");
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}
