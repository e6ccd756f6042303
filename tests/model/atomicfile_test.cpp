#include "model/atomicfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/numbers.h"
#include "scratch_folder.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::WriteBytes;

// ---------------------------------------------------------------------------------------------
// AtomicFile

class AtomicFileTest : public ::testing::Test {
 protected:
  void TearDown() override { AtomicFile::InjectFailureForTesting(AtomicFile::FailAt::None); }
  ScratchFolder folder_;
};

// A process that ends mid-write leaves its temporary file; the next writer of the target takes
// it over, so it neither blocks nor stays. Two writers of one target at once each get their own.
TEST_F(AtomicFileTest, TemporaryLeftByAnEndedWriterIsTakenOverByTheNext) {
  const std::string path = folder_.File("A.DSC");
  std::ofstream(folder_.File(".A.DSC.part")) << "half a file of an ended process";
  AtomicFile first(path);
  AtomicFile second(path);
  first.WriteLine("first");
  second.WriteLine("second");
  ASSERT_TRUE(first.Commit());
  EXPECT_EQ(ReadBytes(path), "first\r\n");
  ASSERT_TRUE(second.Commit());
  EXPECT_EQ(ReadBytes(path), "second\r\n");
  EXPECT_EQ(folder_.Names(), std::set<std::string>{"A.DSC"});
}

TEST_F(AtomicFileTest, WritesTheContentWithCrLfAndLeavesNoTemporaryFile) {
  std::string path = folder_.File("A.DSC");
  AtomicFile file(path);
  file.WriteLine("Alpha");
  file.Write("12");
  file.WriteLine("");
  file.WriteLine("");
  EXPECT_TRUE(file.Good());
  // Nothing reaches the target before the commit.
  EXPECT_FALSE(std::filesystem::exists(path));
  ASSERT_TRUE(file.Commit().Ok);
  EXPECT_EQ(ReadBytes(path), "Alpha\r\n12\r\n\r\n");
  EXPECT_EQ(folder_.Names(), std::set<std::string>{"A.DSC"});
}

TEST_F(AtomicFileTest, ReplacesAnExistingFileAndKeepsItsPermissions) {
  std::string path = folder_.File("A.DTA");
  WriteBytes(path, "old content that is longer than the new one\r\n");
  ::chmod(path.c_str(), 0640);
  AtomicFile file(path);
  file.WriteLine("new");
  ASSERT_TRUE(file.Commit().Ok);
  EXPECT_EQ(ReadBytes(path), "new\r\n");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(folder_.Names(), std::set<std::string>{"A.DTA"});
}

TEST_F(AtomicFileTest, WritesContentLargerThanItsBuffer) {
  std::string path = folder_.File("big.DTA");
  std::string expected;
  AtomicFile file(path);
  for (int i = 0; i < 20000; ++i) {
    std::string line = FormatInt(i, 10) + FormatReal(i * 0.5, 10, 1);
    file.WriteLine(line);
    expected += line + "\r\n";
  }
  ASSERT_TRUE(file.Commit().Ok);
  EXPECT_EQ(ReadBytes(path), expected);
}

TEST_F(AtomicFileTest, DroppedWithoutCommitLeavesTheTargetAsItWas) {
  std::string path = folder_.File("A.DSC");
  WriteBytes(path, "old\r\n");
  {
    AtomicFile file(path);
    file.WriteLine("new");
  }
  EXPECT_EQ(ReadBytes(path), "old\r\n");
  EXPECT_EQ(folder_.Names(), std::set<std::string>{"A.DSC"});
}

TEST_F(AtomicFileTest, FailureAtAnyStepLeavesTheOldFileAndNoTemporaryFile) {
  struct Row {
    const char* name;
    AtomicFile::FailAt step;
  };
  const Row rows[] = {
      {"write", AtomicFile::FailAt::Write},
      {"sync", AtomicFile::FailAt::Sync},
      {"rename", AtomicFile::FailAt::Rename},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string path = folder_.File("A.DSC");
    WriteBytes(path, "old\r\n");
    AtomicFile::InjectFailureForTesting(row.step);
    AtomicFile file(path);
    file.WriteLine("new");
    Status status = file.Commit();
    EXPECT_FALSE(status.Ok);
    EXPECT_EQ(status.Message, "ERROR:\ncannot write file " + path);
    EXPECT_EQ(ReadBytes(path), "old\r\n");
    EXPECT_EQ(folder_.Names(), std::set<std::string>{"A.DSC"});
  }
}

TEST_F(AtomicFileTest, AFullDiskIsNamedAsTheReason) {
  const std::string path = folder_.File("A.DTA");
  WriteBytes(path, "old\r\n");
  AtomicFile::InjectDiskFullForTesting("A.DTA", 10);
  AtomicFile file(path);
  file.WriteLine("more than ten bytes");
  EXPECT_FALSE(file.Good());
  EXPECT_EQ(file.ErrorNumber(), ENOSPC);
  EXPECT_EQ(file.Commit().Message,
            "ERROR:\ncannot write file " + path + ": No space left on device");
  AtomicFile::InjectDiskFullForTesting("", SIZE_MAX);
  EXPECT_EQ(ReadBytes(path), "old\r\n");
  EXPECT_EQ(folder_.Names(), std::set<std::string>{"A.DTA"});
}

TEST_F(AtomicFileTest, TargetThatIsAFolderFailsAndStaysUntouched) {
  // Tests may run with every permission, so a read-only folder would not fail; a folder in
  // the target's place makes the final rename fail instead.
  std::string path = folder_.File("A.DSC");
  std::filesystem::create_directory(path);
  WriteBytes(path + "/inside", "kept");
  AtomicFile file(path);
  file.WriteLine("new");
  Status status = file.Commit();
  EXPECT_FALSE(status.Ok);
  EXPECT_EQ(status.Message, "ERROR:\ncannot write file " + path + ": Is a directory");
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_EQ(ReadBytes(path + "/inside"), "kept");
  EXPECT_EQ(folder_.Names(), std::set<std::string>{"A.DSC"});
}

TEST_F(AtomicFileTest, MissingFolderFailsNamingTheTarget) {
  std::string path = folder_.File("no-such-folder/A.DSC");
  AtomicFile file(path);
  EXPECT_FALSE(file.Good());
  file.WriteLine("new");
  Status status = file.Commit();
  EXPECT_EQ(status.Message,
            "ERROR:\ncannot write file " + path + ": No such file or directory");
  EXPECT_TRUE(folder_.Names().empty());
}

TEST_F(AtomicFileTest, CommitsOnlyOnce) {
  std::string path = folder_.File("A.DSC");
  AtomicFile file(path);
  file.WriteLine("first");
  ASSERT_TRUE(file.Commit().Ok);
  file.WriteLine("second");
  EXPECT_FALSE(file.Commit().Ok);
  EXPECT_EQ(ReadBytes(path), "first\r\n");
}

// ---------------------------------------------------------------------------------------------
// What a shared folder may hold under the names a writer uses

// A file outside the folder that someone points a link at; it must never change.
class OutsideFile {
 public:
  explicit OutsideFile(const ScratchFolder& elsewhere) : path_(elsewhere.File("victim.txt")) {
    WriteBytes(path_, "precious content\n");
    ::chmod(path_.c_str(), 0600);
  }
  const std::string& Path() const { return path_; }
  void ExpectUnchanged() const {
    EXPECT_EQ(ReadBytes(path_), "precious content\n");
    struct stat info {};
    ASSERT_EQ(::lstat(path_.c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(info.st_mode & 07777, 0600u);
  }

 private:
  std::string path_;
};

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// Whatever is left under the temporary file's name (a link leading out of the folder, a named
// pipe) is removed and the temporary file made afresh: the write neither goes through the link
// nor waits on the pipe. A folder stays, and the writer takes a name of its own.
TEST_F(AtomicFileTest, WritesNothingThroughWhatIsLeftUnderTheTemporaryName) {
  ScratchFolder elsewhere;
  const OutsideFile outside(elsewhere);
  const std::string path = folder_.File("A.DTA");
  const std::string part = folder_.File(".A.DTA.part");
  const std::vector<std::pair<const char*, std::function<void()>>> plants = {
      {"link", [&] { std::filesystem::create_symlink(outside.Path(), part); }},
      {"link nowhere", [&] { std::filesystem::create_symlink(elsewhere.File("none"), part); }},
      {"named pipe", [&] { EXPECT_EQ(::mkfifo(part.c_str(), 0644), 0); }},
      {"folder", [&] { std::filesystem::create_directory(part); }},
  };
  for (const auto& [name, plant] : plants) {
    SCOPED_TRACE(name);
    WriteBytes(path, "old\r\n");
    ::chmod(path.c_str(), 0640);
    plant();
    AtomicFile file(path);
    file.WriteLine("new");
    ASSERT_TRUE(file.Commit().Ok);
    EXPECT_EQ(ReadBytes(path), "new\r\n");
    EXPECT_TRUE(IsRegularFile(path));
    EXPECT_EQ(ModeOf(path), 0640u);
    outside.ExpectUnchanged();
    EXPECT_FALSE(std::filesystem::exists(elsewhere.File("none")));
    const bool folderStays = std::string(name) == "folder";
    std::set<std::string> left = {"A.DTA"};
    if (folderStays) left.insert(".A.DTA.part");
    EXPECT_EQ(folder_.Names(), left);
    std::filesystem::remove_all(part);
  }
}

// A target that is a link is replaced by a file; the file it led to stays as it was, and its
// permissions are not taken over.
TEST_F(AtomicFileTest, ReplacesATargetThatIsALinkInsteadOfWritingThroughIt) {
  ScratchFolder elsewhere;
  const OutsideFile outside(elsewhere);
  const std::string path = folder_.File("A.DTA");
  std::filesystem::create_symlink(outside.Path(), path);
  AtomicFile file(path);
  file.WriteLine("new");
  ASSERT_TRUE(file.Commit().Ok);
  EXPECT_TRUE(IsRegularFile(path));
  EXPECT_EQ(ReadBytes(path), "new\r\n");
  EXPECT_NE(ModeOf(path), 0600u);
  outside.ExpectUnchanged();
  EXPECT_EQ(folder_.Names(), std::set<std::string>{"A.DTA"});
}

// A named pipe in the target's place is replaced too; nothing waits on it.
TEST_F(AtomicFileTest, ReplacesATargetThatIsANamedPipe) {
  const std::string path = folder_.File("A.REP");
  ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
  AtomicFile file(path);
  file.WriteLine("report");
  ASSERT_TRUE(file.Commit().Ok);
  EXPECT_TRUE(IsRegularFile(path));
  EXPECT_EQ(ReadBytes(path), "report\r\n");
}

// The permissions of a replaced file are its read, write and execute bits, never set-user-ID,
// set-group-ID or sticky: a file someone left with those does not hand them to the new one.
TEST_F(AtomicFileTest, TakesOverOnlyThePermissionBitsOfTheReplacedFile) {
  const std::string path = folder_.File("A.DTA");
  WriteBytes(path, "old\r\n");
  ASSERT_EQ(::chmod(path.c_str(), 06754), 0);
  AtomicFile file(path);
  file.WriteLine("new");
  ASSERT_TRUE(file.Commit().Ok);
  EXPECT_EQ(ModeOf(path), 0754u);
}

// CreateFileAfresh and CopyFileAfresh, which make the files that are not written through a
// temporary one (the copies kept while station files are replaced, the sample files).
TEST(CreateFileAfresh, RemovesWhatIsLeftUnderTheNameAndMakesTheFileNew) {
  ScratchFolder folder;
  ScratchFolder elsewhere;
  const OutsideFile outside(elsewhere);
  const std::string path = folder.File(".A.DTA.old");
  for (int kind = 0; kind < 3; ++kind) {
    SCOPED_TRACE(kind);
    std::filesystem::remove(path);
    if (kind == 0) WriteBytes(path, "left over\r\n");
    if (kind == 1) std::filesystem::create_symlink(outside.Path(), path);
    if (kind == 2) {
      ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    }
    const int fd = CreateFileAfresh(path);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(::write(fd, "x", 1), 1);
    ::close(fd);
    EXPECT_TRUE(IsRegularFile(path));
    EXPECT_EQ(ReadBytes(path), "x");
    outside.ExpectUnchanged();
  }
  std::filesystem::remove(path);
  std::filesystem::create_directory(path);
  EXPECT_EQ(CreateFileAfresh(path), -1);
  EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST(CopyFileAfresh, CopiesARegularFileWithItsPermissionsAndRefusesAnythingElse) {
  ScratchFolder folder;
  ScratchFolder elsewhere;
  const OutsideFile outside(elsewhere);
  const std::string source = folder.File("A.DTA");
  const std::string copy = folder.File(".A.DTA.old");
  WriteBytes(source, "data\r\n");
  ::chmod(source.c_str(), 0640);
  std::filesystem::create_symlink(outside.Path(), copy);
  ASSERT_TRUE(CopyFileAfresh(source, copy));
  EXPECT_TRUE(IsRegularFile(copy));
  EXPECT_EQ(ReadBytes(copy), "data\r\n");
  EXPECT_EQ(ModeOf(copy), 0640u);
  outside.ExpectUnchanged();

  // A source that is no regular file is not read, and leaves no copy.
  const std::string pipe = folder.File("PIPE.DTA");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  std::filesystem::remove(copy);
  EXPECT_FALSE(CopyFileAfresh(pipe, copy));
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(copy)));
}

}  // namespace
}  // namespace vernoli
