#include "foundation/StaleFiles.h"
#include "support/EnvOverride.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::string> Names(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void Touch(const TempDir& dir, const std::vector<std::string>& names)
{
    for (const std::string& name : names)
        WriteWholeFile(dir.File(name), "x");
}

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

// Leftovers of killed saves beside every file that is saved through a new file.
const std::vector<std::string> kDataLeftovers = {"save.dat.neu-Ab3xYz",      "save.dat.neu-000000",
                                                 "customers.dbf.neu-q1W2e3", "customers.dbt.neu-ZZZZZZ",
                                                 "temp.dbf.neu-abcdef",      "temp.dbt.neu-a1b2c3"};
// Names like them that belong to the user or to nobody known: kept.
const std::vector<std::string> kDataForeign = {"save.dat",
                                               "customers.dbf",
                                               "customers0.dbf",
                                               "temp.dbf",
                                               "save.dat.neu-abcde",
                                               "save.dat.neu-abcdefg",
                                               "save.dat.neu-abc-ef",
                                               "save.dat.neu-",
                                               "save.dat.alt",
                                               "mysave.dat.neu-abcdef",
                                               "save.dat.NEU-abcdef",
                                               "customers0.dbf.neu-abcdef",
                                               "notizen.txt.neu-abcdef",
                                               "save.dat.neu-abcdef.bak"};

const std::vector<std::string> kTempLeftovers = {
    "temppdfimg0.bmp", "temppdfimg17.bmp",       "tempim0.jpg",
    "tempim123.jp2",   "tempim4.jpg.neu-Xy12Ab", "temppdfimg2.bmp.neu-abcdef"};
const std::vector<std::string> kTempForeign = {
    "tempim.jpg",      "tempimx.jpg",  "tempim1.jpeg", "tempim1.png",         "temppdfimg1.jpg", "xtempim1.jpg",
    "tempim1.jpg.bak", "tempim-1.jpg", "TEMPIM1.JPG",  "tempim1.jpg.neu-abc", "rekolon-test.txt"};

}  // namespace

TEST(StaleFiles, LeftoversOfKilledSavesAreRemovedAndSimilarNamesKept)
{
    TempDir dir;
    Touch(dir, kDataLeftovers);
    Touch(dir, kDataForeign);
    // A folder and a link of a leftover's name are not files of ours.
    std::filesystem::create_directory(dir.File("customers.dbf.neu-Folder"));
    ASSERT_EQ(symlink("notizen.txt.neu-abcdef", dir.File("save.dat.neu-LINK00").c_str()), 0);
    EXPECT_EQ(StaleFiles::RemoveFromDataFolder(dir.Path()), kDataLeftovers.size());
    std::vector<std::string> kept = kDataForeign;
    kept.push_back("customers.dbf.neu-Folder");
    kept.push_back("save.dat.neu-LINK00");
    EXPECT_EQ(Names(dir.Path()), Sorted(kept));
}

TEST(StaleFiles, BesideALinkedSaveDatTheLeftoversAreLookedForAtItsTarget)
{
    TempDir dir;
    std::filesystem::create_directories(dir.File("daten"));
    std::filesystem::create_directories(dir.File("sicher"));
    WriteWholeFile(dir.File("sicher/buch.dat"), "x");
    ASSERT_EQ(symlink("../sicher/buch.dat", dir.File("daten/save.dat").c_str()), 0);
    Touch(dir, {"sicher/buch.dat.neu-abc123", "sicher/save.dat.neu-abc123", "daten/save.dat.neu-abc123"});
    // Beside the link too: left there by a save from before save.dat became a link.
    EXPECT_EQ(StaleFiles::RemoveFromDataFolder(dir.File("daten/")), 2u);
    EXPECT_EQ(Names(dir.File("sicher")), (std::vector<std::string>{"buch.dat", "save.dat.neu-abc123"}));
    EXPECT_EQ(Names(dir.File("daten")), (std::vector<std::string>{"save.dat"}));
}

TEST(StaleFiles, TemporaryImagesOfKilledExportsAreRemovedAndSimilarNamesKept)
{
    TempDir dir;
    Touch(dir, kTempLeftovers);
    Touch(dir, kTempForeign);
    EXPECT_EQ(StaleFiles::RemoveFromTempFolder(dir.Path()), kTempLeftovers.size());
    EXPECT_EQ(Names(dir.Path()), Sorted(kTempForeign));
}

TEST(StaleFiles, TemporaryImagesOfOtherUsersAreKept)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only root can make a file of another user for this test";
    TempDir dir;
    Touch(dir, {"tempim0.jpg", "tempim1.jpg"});
    ASSERT_EQ(chown(dir.File("tempim1.jpg").c_str(), 12345, 12345), 0);
    EXPECT_EQ(StaleFiles::RemoveFromTempFolder(dir.Path()), 1u);
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"tempim1.jpg"});
}

TEST(StaleFiles, NothingIsRemovedWhileAnotherInstanceHoldsTheLock)
{
    TempDir data;
    TempDir temp;
    EnvOverride tmpdir("TMPDIR", temp.Path().c_str());
    Touch(data, kDataLeftovers);
    Touch(temp, kTempLeftovers);
    const auto expectNothingRemoved = [&] {
        for (const std::string& name : kDataLeftovers)
            EXPECT_TRUE(std::filesystem::exists(data.File(name))) << name;
        for (const std::string& name : kTempLeftovers)
            EXPECT_TRUE(std::filesystem::exists(temp.File(name))) << name;
    };
    {
        // Another instance at work in both folders: it holds the locks shared.
        const int dataLock = open(StaleFiles::DataFolderLockPath(data.Path()).c_str(), O_RDWR | O_CREAT, 0600);
        const int tempLock = open(StaleFiles::TempFolderLockPath(temp.Path()).c_str(), O_RDWR | O_CREAT, 0600);
        ASSERT_EQ(flock(dataLock, LOCK_SH), 0);
        ASSERT_EQ(flock(tempLock, LOCK_SH), 0);
        StaleFiles::ClaimFolders(data.Path());
        expectNothingRemoved();
        // The instance that started last holds the locks too, so that one started after it
        // leaves its files alone as well.
        EXPECT_NE(flock(dataLock, LOCK_EX | LOCK_NB), 0);
        close(dataLock);
        close(tempLock);
    }
    {
        // Only the temporary folder in use by another instance.
        const int tempLock = open(StaleFiles::TempFolderLockPath(temp.Path()).c_str(), O_RDWR);
        ASSERT_EQ(flock(tempLock, LOCK_SH), 0);
        StaleFiles::ClaimFolders(data.Path());
        for (const std::string& name : kDataLeftovers)
            EXPECT_FALSE(std::filesystem::exists(data.File(name))) << name;
        for (const std::string& name : kTempLeftovers)
            EXPECT_TRUE(std::filesystem::exists(temp.File(name))) << name;
        close(tempLock);
    }
}

TEST(StaleFiles, WithNoOtherInstanceBothFoldersAreCleared)
{
    TempDir data;
    TempDir temp;
    EnvOverride tmpdir("TMPDIR", temp.Path().c_str());
    Touch(data, kDataLeftovers);
    Touch(data, {"save.dat"});
    Touch(temp, kTempLeftovers);
    StaleFiles::ClaimFolders(data.Path());
    EXPECT_EQ(Names(data.Path()), (std::vector<std::string>{".rekolon.lock", "save.dat"}));
    EXPECT_EQ(Names(temp.Path()), std::vector<std::string>{"rekolon-" + std::to_string(geteuid()) + ".lock"});
    // The lock file that stays behind stops nobody, this process's own shared lock included.
    Touch(data, {"save.dat.neu-abcdef"});
    StaleFiles::ClaimFolders(data.Path());
    EXPECT_FALSE(std::filesystem::exists(data.File("save.dat.neu-abcdef")));
}

TEST(StaleFiles, AFolderThatCannotBeLockedIsLeftAsItIs)
{
    TempDir data;
    Touch(data, kDataLeftovers);
    // A pipe in the lock file's place: no lock, so no knowledge, so nothing is removed.
    ASSERT_EQ(mkfifo(StaleFiles::DataFolderLockPath(data.Path()).c_str(), 0600), 0);
    StaleFiles::ClaimFolders(data.Path());
    for (const std::string& name : kDataLeftovers)
        EXPECT_TRUE(std::filesystem::exists(data.File(name))) << name;
}
