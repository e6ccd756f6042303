#include "model/checks.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <string>

#include "scratch_folder.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::WriteBytes;

// ---------------------------------------------------------------------------------------------
// FileExists

TEST(FileExists, TellsFilesFromMissingFilesAndFolders) {
  ScratchFolder folder;
  WriteBytes(folder.File("A.DSC"), "");
  std::filesystem::create_directory(folder.File("SUB.DSC"));
  EXPECT_TRUE(FileExists(folder.File("A.DSC")));
  EXPECT_FALSE(FileExists(folder.File("B.DSC")));
  EXPECT_FALSE(FileExists(folder.File("SUB.DSC")));
  EXPECT_FALSE(FileExists(""));
}

// A name that holds a named pipe, a socket or a device is taken, and it is not opened (a pipe
// nobody writes to would never let the open end); a link counts as what it leads to.
TEST(FileExists, NameHoldingAPipeOrADeviceIsTakenWithoutOpeningIt) {
  ScratchFolder folder;
  ASSERT_EQ(::mkfifo(folder.File("PIPE.DSC").c_str(), 0644), 0);
  std::filesystem::create_symlink("/dev/null", folder.File("NULL.DSC"));
  std::filesystem::create_symlink(folder.File("none"), folder.File("BROKEN.DSC"));
  EXPECT_TRUE(FileExists(folder.File("PIPE.DSC")));
  EXPECT_TRUE(FileExists(folder.File("NULL.DSC")));
  EXPECT_FALSE(FileExists(folder.File("BROKEN.DSC")));
  EXPECT_TRUE(FileExistsInAnyCase(folder.Folder(), "pipe.dsc"));
}

// ---------------------------------------------------------------------------------------------
// CheckNewFileName

TEST(CheckNewFileName, EmptyOrBlankNameIsNotYetSpecified) {
  ScratchFolder folder;
  for (const char* name : {"", " ", "     "}) {
    SCOPED_TRACE(std::string("'") + name + "'");
    FileNameCheck check = CheckNewFileName(folder.Folder(), name, "DSC", false);
    EXPECT_FALSE(check.Ok());
    EXPECT_EQ(check.Outcome, FileNameOutcome::NotSpecified);
    EXPECT_EQ(check.Name, "");
    EXPECT_EQ(check.Message, "ERROR:\nFileName is not yet specified");
  }
  EXPECT_TRUE(folder.Names().empty());
}

TEST(CheckNewFileName, RemovesBlanksAndCreatesTheFileWithOneEmptyLine) {
  ScratchFolder folder;
  FileNameCheck check = CheckNewFileName(folder.Folder(), "  My Station 2 ", " D SC ", false);
  ASSERT_TRUE(check.Ok()) << check.Message;
  EXPECT_EQ(check.Outcome, FileNameOutcome::Ok);
  EXPECT_EQ(check.Name, "MyStation2");
  EXPECT_EQ(check.Path, folder.File("MyStation2.DSC"));
  EXPECT_EQ(check.Message, "");
  EXPECT_EQ(ReadBytes(check.Path), "\r\n");
  EXPECT_EQ(folder.Names(), std::set<std::string>{"MyStation2.DSC"});
}

TEST(CheckNewFileName, ExistingFileIsRefusedAndKept) {
  ScratchFolder folder;
  WriteBytes(folder.File("ROMA.DSC"), "Roma\r\n");
  FileNameCheck check = CheckNewFileName(folder.Folder(), "ROMA", "DSC", false);
  EXPECT_EQ(check.Outcome, FileNameOutcome::Exists);
  EXPECT_EQ(check.Name, "ROMA");
  EXPECT_EQ(check.Message, "ERROR:\nFilename exists already");
  EXPECT_EQ(ReadBytes(folder.File("ROMA.DSC")), "Roma\r\n");
}

TEST(CheckNewFileName, ExistingFileInAnotherLetterCaseIsRefusedToo) {
  ScratchFolder folder;
  WriteBytes(folder.File("DEBILT.DSC"), "De Bilt\r\n");
  WriteBytes(folder.File("roma.dsc"), "Roma\r\n");
  for (const char* name : {"debilt", "DeBilt", "ROMA"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(CheckNewFileName(folder.Folder(), name, "DSC", false).Message,
              "ERROR:\nFilename exists already");
  }
  EXPECT_EQ(folder.Names(), (std::set<std::string>{"DEBILT.DSC", "roma.dsc"}));
  // An output file of another letter case may be replaced like any existing one.
  EXPECT_TRUE(CheckNewFileName(folder.Folder(), "debilt", "DSC", true).Ok());
}

// The old output file stays whole until the new one replaces it (a failed or cancelled export
// must not leave it emptied), and a new name leaves no stub behind.
TEST(CheckNewFileName, ExistingFileIsKeptWhenAllowed) {
  ScratchFolder folder;
  WriteBytes(folder.File("OUT.REP"), "an old report\r\nof two lines\r\n");
  FileNameCheck check = CheckNewFileName(folder.Folder(), "OUT", "REP", true);
  ASSERT_TRUE(check.Ok()) << check.Message;
  EXPECT_EQ(ReadBytes(folder.File("OUT.REP")), "an old report\r\nof two lines\r\n");
  check = CheckNewFileName(folder.Folder(), " NEW ", "REP", true);
  ASSERT_TRUE(check.Ok()) << check.Message;
  EXPECT_EQ(check.Path, folder.File("NEW.REP"));
  EXPECT_EQ(folder.Names(), std::set<std::string>{"OUT.REP"});
}

// An output name that holds a link or a named pipe may be used: the new file will replace it.
// The check neither writes through the link nor waits on the pipe, and leaves both as they are.
TEST(CheckNewFileName, OutputNameHoldingALinkOrAPipeIsKeptUntilReplaced) {
  ScratchFolder folder;
  ScratchFolder elsewhere;
  WriteBytes(elsewhere.File("victim.txt"), "precious\n");
  std::filesystem::create_symlink(elsewhere.File("victim.txt"), folder.File("LINK.REP"));
  std::filesystem::create_symlink(elsewhere.File("none"), folder.File("NOWHERE.REP"));
  ASSERT_EQ(::mkfifo(folder.File("PIPE.REP").c_str(), 0644), 0);
  std::filesystem::create_directory(folder.File("SUB.REP"));
  for (const char* name : {"LINK", "NOWHERE", "PIPE"}) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(CheckNewFileName(folder.Folder(), name, "REP", true).Ok());
  }
  EXPECT_EQ(CheckNewFileName(folder.Folder(), "SUB", "REP", true).Message,
            "ERROR:\nillegal filename");
  EXPECT_EQ(ReadBytes(elsewhere.File("victim.txt")), "precious\n");
  EXPECT_FALSE(std::filesystem::exists(elsewhere.File("none")));
  EXPECT_TRUE(std::filesystem::is_symlink(folder.File("LINK.REP")));
  EXPECT_TRUE(std::filesystem::is_symlink(folder.File("NOWHERE.REP")));
  EXPECT_TRUE(std::filesystem::is_fifo(folder.File("PIPE.REP")));
}

TEST(CheckNewFileName, RefusesNamesThatLeaveTheFolderOrHoldControlCharacters) {
  // A point is refused as well: the program adds the extension, and the station list cuts a
  // name at its first point.
  const char* names[] = {"a/b", "/abs", "a\\b", "..", "../up", "a..b", "tab\there",
                         "line\nbreak", "bell\x07", "del\x7F", "my.station", ".hidden", "a."};
  ScratchFolder folder;
  std::filesystem::create_directory(folder.File("a"));
  for (const char* name : names) {
    SCOPED_TRACE(name);
    FileNameCheck check = CheckNewFileName(folder.Folder(), name, "DSC", false);
    EXPECT_EQ(check.Outcome, FileNameOutcome::Illegal);
    EXPECT_EQ(check.Message, "ERROR:\nillegal filename");
  }
  // Nothing was created, neither here nor in the folder above.
  EXPECT_EQ(folder.Names(), std::set<std::string>{"a"});
  EXPECT_TRUE(std::filesystem::is_empty(folder.File("a")));
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(folder.Folder()).parent_path().parent_path() /
                                       "up.DSC"));
}

TEST(CheckNewFileName, AFileThatCannotBeCreatedIsAnIllegalName) {
  ScratchFolder folder;
  FileNameCheck check = CheckNewFileName(folder.File("no-such-folder"), "ROMA", "DSC", false);
  EXPECT_EQ(check.Outcome, FileNameOutcome::Illegal);
  EXPECT_EQ(check.Message, "ERROR:\nillegal filename");

  // A folder in the file's place passes the existence test but cannot be replaced.
  std::filesystem::create_directory(folder.File("DIR.DSC"));
  check = CheckNewFileName(folder.Folder(), "DIR", "DSC", true);
  EXPECT_EQ(check.Outcome, FileNameOutcome::Illegal);
  EXPECT_TRUE(std::filesystem::is_directory(folder.File("DIR.DSC")));
  EXPECT_EQ(folder.Names(), std::set<std::string>{"DIR.DSC"});
}

TEST(CheckNewFileName, AcceptsWindows1252Names) {
  ScratchFolder folder;
  FileNameCheck check = CheckNewFileName(folder.Folder(), "Bras\xEDlia", "DSC", false);
  ASSERT_TRUE(check.Ok()) << check.Message;
  EXPECT_EQ(check.Name, "Bras\xEDlia");
}

// ---------------------------------------------------------------------------------------------
// Range check of an entry

TEST(CheckIntegerEntry, ForcesTheValueIntoTheRangeWithTheMessage) {
  struct Row {
    const char* name;
    int64_t value, minimum, maximum;
    int width;
    RangeOutcome outcome;
    int64_t corrected;
    std::string field;
    std::string message;
  };
  const Row rows[] = {
      {"minutes above 59", 75, 0, 59, 2, RangeOutcome::Above, 59, "59",
       "ERROR:\nvalue is larger than Maximum (=  59)"},
      {"minutes below 0", -3, 0, 59, 2, RangeOutcome::Below, 0, " 0",
       "ERROR:\nvalue is smaller than Minimum (=   0)"},
      {"inside", 30, 0, 59, 2, RangeOutcome::Inside, 30, "30", ""},
      {"on the minimum", 0, 0, 59, 2, RangeOutcome::Inside, 0, " 0", ""},
      {"on the maximum", 59, 0, 59, 2, RangeOutcome::Inside, 59, "59", ""},
      {"negative limit", -200, -100, 100, 4, RangeOutcome::Below, -100, "-100",
       "ERROR:\nvalue is smaller than Minimum (=  -100)"},
      {"altitude", 9000, -500, 8848, 5, RangeOutcome::Above, 8848, " 8848",
       "ERROR:\nvalue is larger than Maximum (=   8848)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    IntegerEntryCheck check = CheckIntegerEntry(row.value, row.minimum, row.maximum, row.width);
    EXPECT_EQ(check.Outcome, row.outcome);
    EXPECT_EQ(check.Inside(), row.outcome == RangeOutcome::Inside);
    EXPECT_EQ(check.Value, row.corrected);
    EXPECT_EQ(check.FieldText, row.field);
    EXPECT_EQ(check.Message, row.message);
  }
}

TEST(CheckRealEntry, ForcesTheValueIntoTheRangeWithTheMessage) {
  struct Row {
    const char* name;
    double value, minimum, maximum;
    int width, decimals;
    RangeOutcome outcome;
    double corrected;
    std::string field;
    std::string message;
  };
  const Row rows[] = {
      {"limit with two more decimals in width 11", 70.0, 0.0, 69.99, 9, 2, RangeOutcome::Above,
       69.99, "    69.99", "ERROR:\nvalue is larger than Maximum (=    69.9900)"},
      {"Angstrom a below 0.01", 0.0, 0.01, 0.99, 7, 2, RangeOutcome::Below, 0.01, "   0.01",
       "ERROR:\nvalue is smaller than Minimum (=   0.0100)"},
      {"undefined value of an import", -1.0e9, -99999999.0, 99999999.0, 10, 3,
       RangeOutcome::Below, -99999999.0, "-99999999.000",
       "ERROR:\nvalue is smaller than Minimum (=-99999999.00000)"},
      {"inside, rounded for the field", 0.12345, 0.0, 1.0, 6, 3, RangeOutcome::Inside, 0.12345,
       " 0.123", ""},
      {"inside on the limit", 69.99, 0.0, 69.99, 9, 2, RangeOutcome::Inside, 69.99, "    69.99", ""},
      {"negative limit", -60.0, -50.5, 60.0, 6, 1, RangeOutcome::Below, -50.5, " -50.5",
       "ERROR:\nvalue is smaller than Minimum (= -50.500)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RealEntryCheck check =
        CheckRealEntry(row.value, row.minimum, row.maximum, row.width, row.decimals);
    EXPECT_EQ(check.Outcome, row.outcome);
    EXPECT_EQ(check.Inside(), row.outcome == RangeOutcome::Inside);
    EXPECT_EQ(check.Value, row.corrected);
    EXPECT_EQ(check.FieldText, row.field);
    EXPECT_EQ(check.Message, row.message);
  }
}

TEST(CheckRealEntry, NotANumberBecomesTheMinimum) {
  RealEntryCheck check =
      CheckRealEntry(std::numeric_limits<double>::quiet_NaN(), 1.0, 5.0, 5, 1);
  EXPECT_EQ(check.Outcome, RangeOutcome::Below);
  EXPECT_EQ(check.Value, 1.0);
  EXPECT_EQ(check.FieldText, "  1.0");
}

}  // namespace
}  // namespace vernoli
