#include "model/atomicfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <bit>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
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

}  // namespace
}  // namespace vernoli
