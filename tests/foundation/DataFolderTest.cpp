#include "foundation/DataFolder.h"
#include "support/EnvOverride.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

TEST(DataFolder, FirstStartCreatesPerUserFolder)
{
    TempDir dir;
    EnvOverride xdg("XDG_DATA_HOME", (dir.Path() + "share").c_str());
    const std::string expected = dir.Path() + "share/Vestrik/Rekolon/";
    EXPECT_EQ(GetProgramDir(false, "/prog/"), expected);
    EXPECT_FALSE(std::filesystem::exists(expected));
    EXPECT_EQ(ChooseDataFolder(DataFolderChoice{}, "/prog/"), expected);
    EXPECT_TRUE(std::filesystem::is_directory(expected));
}

TEST(DataFolder, HomeFallbackAndNoHome)
{
    TempDir dir;
    EnvOverride xdg("XDG_DATA_HOME", "relative/path");  // not absolute: ignored
    EnvOverride home("HOME", dir.Path().c_str());
    EXPECT_EQ(GetProgramDir(false, "/prog/"), dir.Path() + ".local/share/Vestrik/Rekolon/");
    EnvOverride noHome("HOME", nullptr);
    EnvOverride noXdg("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(GetProgramDir(true, "/prog/"), "/prog/");
}

TEST(DataFolder, ProgramFolderChoice)
{
    DataFolderChoice choice;
    choice.ProgramFolderCheck = true;
    choice.UserFolderCheck = false;
    EXPECT_EQ(ChooseDataFolder(choice, "/opt/rekolon/"), "/opt/rekolon/");
}

TEST(DataFolder, OwnFolderGetsTrailingSlash)
{
    DataFolderChoice choice;
    choice.UserFolderCheck = false;
    choice.UseSpecialFolderCheck = true;
    choice.DirectoryEdit1 = "/home/anna/Rechnungen";
    EXPECT_EQ(ChooseDataFolder(choice, "/prog/"), "/home/anna/Rechnungen/");
    choice.DirectoryEdit1 = "/home/anna/Rechnungen/";
    EXPECT_EQ(ChooseDataFolder(choice, "/prog/"), "/home/anna/Rechnungen/");
}

TEST(DataFolder, EmptyOwnFolderFallsBackToPerUserFolder)
{
    TempDir dir;
    EnvOverride xdg("XDG_DATA_HOME", dir.Path().c_str());
    DataFolderChoice choice;
    choice.UserFolderCheck = false;
    choice.UseSpecialFolderCheck = true;
    EXPECT_EQ(ChooseDataFolder(choice, "/prog/"), dir.Path() + "Vestrik/Rekolon/");
}
