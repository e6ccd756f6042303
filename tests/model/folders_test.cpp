// Where the program keeps its data, report and import folders: beside a build, in the user's
// data folder for an installed program, which starts with the samples.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "model/folders.h"
#include "scratch_folder.h"

namespace vernoli {
namespace {

namespace fs = std::filesystem;
using test_support::ReadBytes;
using test_support::ScratchFolder;

const std::string kSamples = std::string(VERNOLI_SAMPLES) + "/";

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

TEST(UserDataFolder, FollowsXdgDataHomeElseTheHomeFolder) {
  struct Case {
    const char* Name;
    const char* Xdg;
    const char* Home;
    const char* Expected;
  };
  const Case cases[] = {
      {"XDG_DATA_HOME wins", "/data/me", "/users/me", "/data/me/Vernoli/"},
      {"its trailing slash is not doubled", "/data/me/", "/users/me", "/data/me/Vernoli/"},
      {"unset XDG_DATA_HOME", "", "/users/me", "/users/me/.local/share/Vernoli/"},
      {"a relative XDG_DATA_HOME is ignored", "data", "/users/me", "/users/me/.local/share/Vernoli/"},
      {"no home at all", "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(UserDataFolder(c.Xdg, c.Home), c.Expected);
  }
}

// ---------------------------------------------------------------------------------------------
// Which place

TEST(ChooseFolders, BesideABuildUnderTheUsersFolderForAnInstalledOrUnwritableProgram) {
  ScratchFolder scratch;
  fs::create_directories(scratch.File("build/bin"));
  fs::create_directories(scratch.File("usr/bin"));
  fs::create_directories(scratch.File("usr/share/vernoli/samples/DATA"));
  struct Case {
    const char* Name;
    const char* Program;  // the executable's folder
    const char* Base;     // of DATA/, REPORT/ and IMPORT/
    const char* Samples;  // "" for none
  };
  const Case cases[] = {
      {"a build", "build/bin/", "build/bin/", ""},
      // Its own folder can be written (as root, or an unpacked package): still the user's.
      {"an installed program", "usr/bin/", "home/Vernoli/",
       "usr/share/vernoli/samples/"},
      // A folder that does not exist cannot be written, even by root.
      {"a folder that cannot be written", "gone/", "home/Vernoli/", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string program = scratch.File(c.Program);
    const FolderChoice choice = ChooseFolders(program + "vernoli", scratch.File("home/Vernoli"));
    const std::string base = scratch.File(c.Base);
    EXPECT_EQ(choice.UserFolders, base != program);
    EXPECT_EQ(choice.Samples, *c.Samples ? scratch.File(c.Samples) : "");
    EXPECT_EQ(choice.Folders.Program, program);
    EXPECT_EQ(choice.Folders.Data, base + "DATA/");
    EXPECT_EQ(choice.Folders.Report, base + "REPORT/");
    EXPECT_EQ(choice.Folders.Import, base + "IMPORT/");
  }
  // Without a home there is no other place: the program's folder stays.
  EXPECT_EQ(ChooseFolders(scratch.File("gone/vernoli"), "").Folders.Data,
            scratch.File("gone/DATA/"));
}

// ---------------------------------------------------------------------------------------------
// The first start

TEST(PrepareUserFolders, FirstStartMakesTheFoldersWithTheSamples) {
  ScratchFolder scratch;
  const ProgramFolders folders = ChooseFolders(scratch.File("gone/vernoli"),
                                               scratch.File("home/Vernoli")).Folders;
  ASSERT_TRUE(PrepareUserFolders(folders, kSamples));
  for (const char* name : {"DATA/DEBILT.DSC", "DATA/DEBILT.DTA", "DATA/SYDNEY.DSC",
                           "DATA/SYDNEY.DTA", "DATA/MADRID.DSC", "DATA/MADRID.DTA",
                           "IMPORT/DEBILT.CXT"}) {
    SCOPED_TRACE(name);
    const std::string copy = ReadBytes(scratch.File(std::string("home/Vernoli/") + name));
    EXPECT_FALSE(copy.empty());
    EXPECT_EQ(copy, ReadBytes(kSamples + name));
  }
  // Nothing else: no copy left under a hidden name.
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folders.Data)) {
    names.insert(entry.path().filename().string());
  }
  EXPECT_EQ(names, (std::set<std::string>{"DEBILT.DSC", "DEBILT.DTA", "MADRID.DSC", "MADRID.DTA",
                                          "SYDNEY.DSC", "SYDNEY.DTA"}));
  EXPECT_TRUE(fs::is_directory(folders.Report));
  EXPECT_TRUE(fs::is_empty(folders.Report));
}

TEST(PrepareUserFolders, LaterStartsKeepTheUsersFilesAndDeletions) {
  ScratchFolder scratch;
  const std::string base = scratch.File("home/Vernoli/");
  const ProgramFolders folders = ChooseFolders(scratch.File("gone/vernoli"), base).Folders;
  ASSERT_TRUE(PrepareUserFolders(folders, kSamples));
  WriteFile(base + "DATA/DEBILT.DSC", "changed by the user");
  fs::remove(base + "DATA/MADRID.DSC");
  fs::remove(base + "DATA/MADRID.DTA");
  fs::remove_all(base + "IMPORT");

  ASSERT_TRUE(PrepareUserFolders(folders, kSamples));
  EXPECT_EQ(ReadBytes(base + "DATA/DEBILT.DSC"), "changed by the user");
  EXPECT_FALSE(fs::exists(base + "DATA/MADRID.DSC"));
  // A folder made again gets its samples again.
  EXPECT_EQ(ReadBytes(base + "IMPORT/DEBILT.CXT"), ReadBytes(kSamples + "IMPORT/DEBILT.CXT"));
}

TEST(PrepareUserFolders, NamesTheFolderItCannotMake) {
  ScratchFolder scratch;
  WriteFile(scratch.File("home"), "a file where the folder should be");
  const ProgramFolders folders = ChooseFolders(scratch.File("gone/vernoli"),
                                               scratch.File("home/Vernoli")).Folders;
  const Status status = PrepareUserFolders(folders, kSamples);
  EXPECT_FALSE(status);
  EXPECT_EQ(status.Message.rfind("ERROR:\ncannot make the folder " + folders.Data, 0), 0u)
      << status.Message;
}

TEST(CheckFolder, NamesTheFolderWithItsRole) {
  ScratchFolder folder;
  EXPECT_TRUE(CheckFolder(folder.Folder(), "output folder"));
  const std::string missing = folder.Folder() + "GONE/";
  EXPECT_EQ(CheckFolder(missing, "output folder").Message,
            "ERROR:\noutput folder " + missing + " does not exist");
  EXPECT_EQ(CheckFolder("", "import folder").Message, "ERROR:\nimport folder  does not exist");
  const std::string plain = folder.Folder() + "plain";
  WriteFile(plain, "x");
  EXPECT_EQ(CheckFolder(plain, "data folder").Message,
            "ERROR:\ndata folder " + plain + " is not a folder");
  EXPECT_EQ(CheckFolder(plain + "/", "data folder").Message,
            "ERROR:\ndata folder " + plain + "/ is not a folder");
}

// XDG_DATA_HOME naming a file: the user's data folder lies beyond it, and was reported as a folder
// that does not exist.
TEST(CheckFolder, NamesTheFileThatStandsWhereTheFolderNeedsAFolder) {
  ScratchFolder folder;
  const std::string xdg = folder.File("xdg");
  WriteFile(xdg, "x");
  const std::string data = UserDataFolder(xdg, folder.File("home")) + "DATA/";
  EXPECT_EQ(CheckFolder(data, "data folder").Message,
            "ERROR:\ndata folder " + data + " cannot be a folder: " + xdg +
                " is a file, not a folder");
  // Making the user's folders fails there too, naming the folder.
  ProgramFolders folders;
  folders.Data = data;
  folders.Report = UserDataFolder(xdg, "") + "REPORT/";
  folders.Import = UserDataFolder(xdg, "") + "IMPORT/";
  EXPECT_EQ(PrepareUserFolders(folders, "").Message,
            "ERROR:\ncannot make the folder " + data + ": Not a directory");
}

TEST(CheckFolder, GivesTheSystemsReasonForAFolderItCannotRead) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every folder";
  ScratchFolder folder;
  const std::string locked = folder.Folder() + "locked/";
  std::filesystem::create_directory(locked);
  std::filesystem::permissions(locked, std::filesystem::perms::none);
  EXPECT_EQ(CheckFolder(locked, "data folder").Message,
            "ERROR:\ndata folder " + locked + " cannot be read: Permission denied");
  EXPECT_EQ(CheckFolder(locked + "DATA/", "data folder").Message,
            "ERROR:\ndata folder " + locked + "DATA/ cannot be opened: Permission denied");
  std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
}

}  // namespace
}  // namespace vernoli
