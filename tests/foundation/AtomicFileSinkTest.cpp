#include "foundation/AtomicFileSink.h"
#include "foundation/IoError.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"
#include "support/Watchdog.h"

#include <gtest/gtest.h>

#include <filesystem>
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

mode_t Bits(const std::string& path)
{
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

void Replace(const std::string& path, const std::string& bytes)
{
    AtomicFileSink sink(path);
    sink.WriteBytes(bytes);
    sink.Commit();
}

// Sets the umask for the object's lifetime.
class Umask {
public:
    explicit Umask(mode_t mask) : old_(umask(mask)) {}
    ~Umask() { umask(old_); }

private:
    mode_t old_;
};

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
    bool failed = false;
    try {
        const FileSizeLimit full(4096);
        AtomicFileSink sink(dir.File("save.dat"));
        sink.WriteBytes(std::string(1 << 20, 'x'));
        sink.Commit();
    } catch (const IoError&) {
        failed = true;
    }
    EXPECT_TRUE(failed);
    EXPECT_EQ(ReadWholeFile(dir.File("save.dat")), "alt");
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(AtomicFileSink, ReplacedFileKeepsItsPermissionBits)
{
    const Umask mask(022);
    for (const mode_t bits : {mode_t(0600), mode_t(0640), mode_t(0604), mode_t(0444)}) {
        TempDir dir;
        WriteWholeFile(dir.File("save.dat"), "alt");
        chmod(dir.File("save.dat").c_str(), bits);
        Replace(dir.File("save.dat"), "neu");
        EXPECT_EQ(ReadWholeFile(dir.File("save.dat")), "neu");
        EXPECT_EQ(Bits(dir.File("save.dat")), bits) << std::oct << bits;
    }
}

TEST(AtomicFileSink, NewFileGetsWhatTheUmaskGives)
{
    for (const mode_t mask : {mode_t(022), mode_t(077), mode_t(027)}) {
        const Umask set(mask);
        TempDir dir;
        Replace(dir.File("neu.csv"), "x");
        EXPECT_EQ(Bits(dir.File("neu.csv")), 0666 & ~mask) << std::oct << mask;
    }
}

TEST(AtomicFileSink, ReplacedFileKeepsItsGroup)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can give a file another group for this test";
    TempDir dir;
    WriteWholeFile(dir.File("save.dat"), "alt");
    ASSERT_EQ(chown(dir.File("save.dat").c_str(), 0, 12345), 0);
    chmod(dir.File("save.dat").c_str(), 0640);
    Replace(dir.File("save.dat"), "neu");
    struct stat st {};
    stat(dir.File("save.dat").c_str(), &st);
    EXPECT_EQ(st.st_gid, 12345u);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

namespace {

// A link at linkPath pointing to linkText: after a save through the link it is still that
// link, the file it names holds the new bytes with its old bits, and no new file is left
// anywhere.
void ExpectSavedThroughLink(const TempDir& dir, const std::string& linkPath, const std::string& linkText,
                            const std::string& target, const char* what)
{
    Replace(linkPath, "neu");
    ASSERT_TRUE(std::filesystem::is_symlink(linkPath)) << what;
    EXPECT_EQ(std::filesystem::read_symlink(linkPath).string(), linkText) << what;
    EXPECT_EQ(ReadWholeFile(target), "neu") << what;
    EXPECT_EQ(ReadWholeFile(linkPath), "neu") << what;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.Path()))
        EXPECT_EQ(entry.path().string().find(".neu-"), std::string::npos) << what << ": " << entry.path();
}

}  // namespace

TEST(AtomicFileSink, LinkStaysALinkAndItsTargetIsReplaced)
{
    {
        TempDir dir;
        WriteWholeFile(dir.File("echt.dat"), "alt");
        chmod(dir.File("echt.dat").c_str(), 0600);
        ASSERT_EQ(symlink(dir.File("echt.dat").c_str(), dir.File("save.dat").c_str()), 0);
        ExpectSavedThroughLink(dir, dir.File("save.dat"), dir.File("echt.dat"), dir.File("echt.dat"), "absolute link");
        EXPECT_EQ(Bits(dir.File("echt.dat")), 0600u);
    }
    {
        // A relative link is read from the link's folder, here into another folder.
        TempDir dir;
        std::filesystem::create_directories(dir.File("daten"));
        std::filesystem::create_directories(dir.File("sicher"));
        WriteWholeFile(dir.File("sicher/save.dat"), "alt");
        ASSERT_EQ(symlink("../sicher/save.dat", dir.File("daten/save.dat").c_str()), 0);
        ExpectSavedThroughLink(dir, dir.File("daten/save.dat"), "../sicher/save.dat", dir.File("sicher/save.dat"),
                               "relative link into another folder");
    }
    {
        // A chain: save.dat -> eins -> sub/zwei (relative to eins's folder).
        TempDir dir;
        std::filesystem::create_directories(dir.File("sub"));
        WriteWholeFile(dir.File("sub/zwei"), "alt");
        chmod(dir.File("sub/zwei").c_str(), 0640);
        ASSERT_EQ(symlink("sub/zwei", dir.File("eins").c_str()), 0);
        ASSERT_EQ(symlink("eins", dir.File("save.dat").c_str()), 0);
        ExpectSavedThroughLink(dir, dir.File("save.dat"), "eins", dir.File("sub/zwei"), "chain of links");
        EXPECT_TRUE(std::filesystem::is_symlink(dir.File("eins")));
        EXPECT_EQ(Bits(dir.File("sub/zwei")), 0640u);
    }
    {
        // A dangling link: its target is created.
        TempDir dir;
        ASSERT_EQ(symlink("neu/../ziel.dat", dir.File("save.dat").c_str()), 0);
        std::filesystem::create_directories(dir.File("neu"));
        ExpectSavedThroughLink(dir, dir.File("save.dat"), "neu/../ziel.dat", dir.File("ziel.dat"), "dangling link");
    }
}

TEST(AtomicFileSink, LoopOfLinksRaisesAndChangesNothing)
{
    TempDir dir;
    ASSERT_EQ(symlink("b", dir.File("a").c_str()), 0);
    ASSERT_EQ(symlink("a", dir.File("b").c_str()), 0);
    EXPECT_THROW(AtomicFileSink sink(dir.File("a")), IoError);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("a")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("b")));
    EXPECT_EQ(FilesIn(dir.Path()), 2u);
}

TEST(AtomicFileSink, PipeOrFolderInTheTargetsPlaceIsNotReplaced)
{
    const Watchdog watchdog(20, "AtomicFileSink on a pipe");
    TempDir dir;
    ASSERT_EQ(mkfifo(dir.File("save.dat").c_str(), 0600), 0);
    try {
        AtomicFileSink sink(dir.File("save.dat"));
        FAIL() << "a pipe was taken for a file";
    } catch (const IoError& e) {
        EXPECT_EQ(e.fileName(), dir.File("save.dat"));
        EXPECT_EQ(e.systemText(), kNotRegularFileText);
    }
    std::filesystem::create_directory(dir.File("ordner"));
    EXPECT_THROW(AtomicFileSink sink(dir.File("ordner")), IoError);
    EXPECT_TRUE(std::filesystem::is_fifo(dir.File("save.dat")));
    EXPECT_EQ(FilesIn(dir.Path()), 2u);
}
