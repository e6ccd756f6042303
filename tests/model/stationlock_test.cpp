#include "model/stationlock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <future>
#include <string>

#include "scratch_folder.h"

namespace vernoli {
namespace {

using test_support::ScratchFolder;

// Another thread stands for another process: its lock is a lock of its own.
bool TakenElsewhere(const std::string& file, StationLock::Mode mode) {
  return std::async(std::launch::async, [&] {
           StationLock lock;
           return lock.TryTake(file, mode);
         }).get();
}

struct ShortWait {
  ShortWait() { StationLock::SetWaitForTesting(50); }
  ~ShortWait() { StationLock::SetWaitForTesting(5000); }
};

TEST(StationLock, KeepsOthersOutUntilReleasedAndLeavesNoFileBehind) {
  ScratchFolder folder;
  const ShortWait wait;
  const std::string dta = folder.File("ALPHA.DTA");
  EXPECT_EQ(StationLock::LockFileName(dta), folder.File(".ALPHA.lock"));
  EXPECT_EQ(StationLock::LockFileName(folder.File("a.b.ETo")), folder.File(".a.b.lock"));
  {
    StationLock lock;
    ASSERT_TRUE(lock.Take(dta, StationLock::Mode::Exclusive));
    EXPECT_TRUE(std::filesystem::exists(folder.File(".ALPHA.lock")));
    // Any file of the station is the station.
    EXPECT_FALSE(TakenElsewhere(folder.File("ALPHA.DSC"), StationLock::Mode::Exclusive));
    EXPECT_FALSE(TakenElsewhere(dta, StationLock::Mode::Shared));
    EXPECT_TRUE(TakenElsewhere(folder.File("BRAVO.DSC"), StationLock::Mode::Exclusive));
    const Status refused = std::async(std::launch::async, [&] {
                             StationLock other;
                             return other.Take(dta, StationLock::Mode::Exclusive);
                           }).get();
    EXPECT_EQ(refused.Message, "ERROR:\nstation ALPHA is being changed by another process");

    // This thread takes it again at no cost, and it stays held until the first holder lets go.
    StationLock again;
    ASSERT_TRUE(again.Take(folder.File("ALPHA.DSC"), StationLock::Mode::Exclusive));
    EXPECT_TRUE(again.Nested());
    again.Release();
    EXPECT_FALSE(TakenElsewhere(dta, StationLock::Mode::Exclusive));
  }
  EXPECT_TRUE(TakenElsewhere(dta, StationLock::Mode::Exclusive));
  EXPECT_EQ(folder.Names(), std::set<std::string>{});
}

TEST(StationLock, ReadersShareItAndKeepAWriterOut) {
  ScratchFolder folder;
  const std::string dsc = folder.File("ALPHA.DSC");
  const ShortWait wait;
  StationLock reader;
  ASSERT_TRUE(reader.Take(dsc, StationLock::Mode::Shared));
  EXPECT_TRUE(TakenElsewhere(dsc, StationLock::Mode::Shared));
  EXPECT_FALSE(TakenElsewhere(dsc, StationLock::Mode::Exclusive));
  // Reading it is no leave to change it, not even for the reader.
  StationLock writer;
  EXPECT_EQ(writer.Take(dsc, StationLock::Mode::Exclusive).Message,
            "ERROR:\nstation ALPHA is being changed by another process");
  reader.Release();
  EXPECT_TRUE(TakenElsewhere(dsc, StationLock::Mode::Exclusive));
  EXPECT_EQ(folder.Names(), std::set<std::string>{});
}

// Anyone may leave anything under the lock file's name: it is never opened through a link or
// waited on as a pipe; a folder there keeps writers out (and readers read without).
TEST(StationLock, WhateverIsLeftUnderItsNameIsNeverUsed) {
  ScratchFolder folder;
  ScratchFolder outside;
  const std::string victim = outside.File("victim.txt");
  {
    std::FILE* file = std::fopen(victim.c_str(), "wb");
    std::fputs("precious", file);
    std::fclose(file);
  }
  ::chmod(victim.c_str(), 0600);
  const std::string dta = folder.File("ALPHA.DTA");
  const std::string lockFile = folder.File(".ALPHA.lock");

  std::filesystem::create_symlink(victim, lockFile);
  StationLock lock;
  ASSERT_TRUE(lock.Take(dta, StationLock::Mode::Exclusive));
  EXPECT_FALSE(std::filesystem::is_symlink(lockFile));
  lock.Release();
  struct stat info {};
  ASSERT_EQ(::stat(victim.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
  EXPECT_EQ(info.st_size, 8);

  ASSERT_EQ(::mkfifo(lockFile.c_str(), 0644), 0);
  ASSERT_TRUE(lock.Take(dta, StationLock::Mode::Exclusive));
  EXPECT_TRUE(std::filesystem::is_regular_file(lockFile));
  lock.Release();

  std::filesystem::create_directory(lockFile);
  EXPECT_EQ(lock.Take(dta, StationLock::Mode::Exclusive).Message,
            "ERROR:\ncannot write file " + lockFile + ": Is a directory");
  EXPECT_TRUE(lock.Take(dta, StationLock::Mode::Shared));
  EXPECT_FALSE(lock.Held());
}

}  // namespace
}  // namespace vernoli
