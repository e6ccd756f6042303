#include "stations/fileset.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <future>
#include <map>
#include <string>

#include "station_folder.h"
#include "model/atomicfile.h"
#include "model/stationlock.h"
#include "stations/catalog.h"

namespace vernoli {
namespace {

using test_support::FailureHooksLifted;
using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::Snapshot;
using test_support::WriteBytes;

// What an ended process leaves in the middle of a commit, and what the next look at the folder
// makes of it: the new files when the journal says "commit", the old ones when it says "undo".
TEST(FileSetRecovery, FinishesOrTakesBackTheCommitItsJournalNames) {
  struct Row {
    const char* name;
    std::map<std::string, std::string> left;
    std::map<std::string, std::string> after;
  };
  const Row rows[] = {
      {"the data file replaced, the description not yet",
       {{"alpha.DTA", "new data"}, {".alpha.DTA.old", "old data"}, {"alpha.DSC", "old dsc"},
        {".alpha.DSC.new", "new dsc"}, {".alpha.DSC.old", "old dsc"},
        {".alpha.DTA.commit", "commit\r\nreplace existed alpha.DTA\r\nreplace existed alpha.DSC\r\n"}},
       {{"alpha.DTA", "new data"}, {"alpha.DSC", "new dsc"}}},
      {"a new station with only its data file in place",
       {{"alpha.DTA", "new data"}, {".alpha.DSC.new", "new dsc"},
        {".alpha.DTA.commit", "commit\r\nreplace new alpha.DTA\r\nreplace new alpha.DSC\r\n"}},
       {{"alpha.DTA", "new data"}, {"alpha.DSC", "new dsc"}}},
      {"a deletion that removed the description only",
       {{"alpha.DTA", "data"}, {".alpha.DSC.old", "dsc"}, {".alpha.DTA.old", "data"},
        {".alpha.DSC.commit", "commit\r\nremove existed alpha.DSC\r\nremove existed alpha.DTA\r\n"}},
       {}},
      {"a failed commit being undone",
       {{"alpha.DTA", "new data"}, {".alpha.DTA.old", "old data"}, {"alpha.DSC", "old dsc"},
        {".alpha.DSC.new", "new dsc"}, {".alpha.DSC.old", "old dsc"},
        {".alpha.DTA.commit", "undo\r\nreplace existed alpha.DTA\r\nreplace existed alpha.DSC\r\n"}},
       {{"alpha.DTA", "old data"}, {"alpha.DSC", "old dsc"}}},
      {"a journal naming the staged files of the process that wrote it, a name with a blank",
       {{"my alpha.DTA", "new data"}, {".my alpha.DSC.0123456789abcdef-7.new", "new dsc"},
        {".my alpha.DTA.commit", "commit\r\nreplace new 0123456789abcdef-6 my alpha.DTA\r\n"
                                 "replace new 0123456789abcdef-7 my alpha.DSC\r\n"}},
       {{"my alpha.DTA", "new data"}, {"my alpha.DSC", "new dsc"}}},
      {"a journal of a name outside the folder is not followed",
       {{".x.commit", "commit\r\nremove existed ../alpha.DSC\r\n"}},
       {{".x.commit", "commit\r\nremove existed ../alpha.DSC\r\n"}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ScratchFolder folder;
    for (const auto& [name, bytes] : row.left) WriteBytes(folder.File(name), bytes);
    std::vector<StationEntry> stations;
    ASSERT_TRUE(ListStations(folder.Folder(), stations));
    EXPECT_EQ(Snapshot(folder), row.after);
  }
}

// ---------------------------------------------------------------------------------------------
// What a shared folder may hold under the names of a commit

// Writes "new NAME" into the staged file of every target and commits.
Status CommitNew(FileSet& files, const std::vector<std::string>& targets) {
  for (const std::string& target : targets) {
    AtomicFile staged(files.Add(target));
    staged.Write("new " + target.substr(target.find_last_of('/') + 1));
    if (Status s = staged.Commit(); !s) return s;
  }
  return files.Commit();
}

// A station file that is a link to a file elsewhere is replaced by a file of its own; the file
// it led to is never written. When the commit fails, the link is put back as it was.
TEST(FileSet, ReplacesATargetThatIsALinkAndPutsTheLinkBackOnFailure) {
  const FailureHooksLifted lifted;
  ScratchFolder folder;
  ScratchFolder elsewhere;
  const std::string victim = elsewhere.File("victim.txt");
  WriteBytes(victim, "precious content\n");
  const std::string dta = folder.File("alpha.DTA");
  const std::string dsc = folder.File("alpha.DSC");
  WriteBytes(dsc, "old dsc");
  std::filesystem::create_symlink(victim, dta);

  FileSet::InjectRenameFailureForTesting(2);
  FileSet failing;
  EXPECT_FALSE(CommitNew(failing, {dta, dsc}));
  EXPECT_TRUE(std::filesystem::is_symlink(dta));
  EXPECT_EQ(std::filesystem::read_symlink(dta), victim);
  EXPECT_EQ(Snapshot(folder), (std::map<std::string, std::string>{
                                  {"alpha.DSC", "old dsc"}, {"alpha.DTA", "precious content\n"}}));

  FileSet files;
  ASSERT_TRUE(CommitNew(files, {dta, dsc}));
  EXPECT_FALSE(std::filesystem::is_symlink(dta));
  EXPECT_EQ(Snapshot(folder), (std::map<std::string, std::string>{{"alpha.DSC", "new alpha.DSC"},
                                                                  {"alpha.DTA", "new alpha.DTA"}}));
  EXPECT_EQ(ReadBytes(victim), "precious content\n");
}

// Links and pipes left under the hidden names of a commit that anyone can foresee (the lock, the
// copies, the journal; the staged files' names are the process's own) are replaced, never
// written through or waited on. A folder under one of them fails
// the commit, which leaves the station's files as they were.
TEST(FileSet, NothingLeftUnderItsHiddenNamesIsWrittenThrough) {
  for (const char* hidden :
       {".alpha.lock", ".alpha.DTA.old", ".alpha.DTA.commit", "..alpha.DTA.commit.part"}) {
    for (const char* kind : {"link", "pipe", "folder"}) {
      SCOPED_TRACE(std::string(hidden) + " " + kind);
      ScratchFolder folder;
      ScratchFolder elsewhere;
      const std::string victim = elsewhere.File("victim.txt");
      WriteBytes(victim, "precious content\n");
      WriteBytes(folder.File("alpha.DTA"), "old dta");
      WriteBytes(folder.File("alpha.DSC"), "old dsc");
      const std::string planted = folder.File(hidden);
      if (std::string(kind) == "link") std::filesystem::create_symlink(victim, planted);
      if (std::string(kind) == "pipe") {
        ASSERT_EQ(::mkfifo(planted.c_str(), 0644), 0);
      }
      if (std::string(kind) == "folder") std::filesystem::create_directory(planted);

      Status status;
      {
        FileSet files;
        status = CommitNew(files, {folder.File("alpha.DTA"), folder.File("alpha.DSC")});
      }
      // The regular files of the folder but the one planted (a pipe is never opened here).
      std::map<std::string, std::string> station;
      for (const std::string& name : folder.Names()) {
        if (name != hidden && std::filesystem::is_regular_file(
                                  std::filesystem::symlink_status(folder.File(name)))) {
          station[name] = ReadBytes(folder.File(name));
        }
      }
      if (status) {
        EXPECT_EQ(station, (std::map<std::string, std::string>{{"alpha.DSC", "new alpha.DSC"},
                                                               {"alpha.DTA", "new alpha.DTA"}}));
      } else {
        EXPECT_EQ(std::string(kind), "folder");
        EXPECT_EQ(status.Message.rfind("ERROR:\n", 0), 0u);
        EXPECT_EQ(station, (std::map<std::string, std::string>{{"alpha.DSC", "old dsc"},
                                                               {"alpha.DTA", "old dta"}}));
      }
      EXPECT_EQ(ReadBytes(victim), "precious content\n");
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Several processes (here: threads, each with locks of its own)

struct ShortWait {
  ShortWait() { StationLock::SetWaitForTesting(50); }
  ~ShortWait() { StationLock::SetWaitForTesting(5000); }
};

// While one process changes a station, another neither changes it nor takes its commit for one
// left by an ended process; a new station made meanwhile by another is not replaced.
TEST(FileSetProcesses, AStationChangedElsewhereIsLeftToItsWriter) {
  const ShortWait wait;
  ScratchFolder folder;
  const std::string dta = folder.File("alpha.DTA");
  const std::string dsc = folder.File("alpha.DSC");
  WriteBytes(dta, "new data");
  WriteBytes(folder.File(".alpha.DTA.old"), "old data");
  WriteBytes(dsc, "old dsc");
  WriteBytes(folder.File(".alpha.DSC.0123456789abcdef-1.new"), "new dsc");
  const std::string journal = "commit\r\nreplace existed 0123456789abcdef-0 alpha.DTA\r\n"
                              "replace existed 0123456789abcdef-1 alpha.DSC\r\n";
  WriteBytes(folder.File(".alpha.DTA.commit"), journal);
  const auto before = Snapshot(folder);
  {
    StationLock writer;  // the process whose commit it is, still running
    ASSERT_TRUE(writer.Take(dta, StationLock::Mode::Exclusive));
    std::async(std::launch::async, [&] {
      EXPECT_FALSE(FileSet::Recover(folder.Folder()));
      FileSet files;
      EXPECT_EQ(CommitNew(files, {dta, dsc}).Message,
                "ERROR:\nstation alpha is being changed by another process");
    }).get();
    std::map<std::string, std::string> now = Snapshot(folder);
    now.erase(".alpha.lock");
    EXPECT_EQ(now, before);
  }
  // Once its writer is gone, the next one finishes the commit first.
  EXPECT_TRUE(FileSet::Recover(folder.Folder()));
  EXPECT_EQ(Snapshot(folder), (std::map<std::string, std::string>{{"alpha.DSC", "new dsc"},
                                                                  {"alpha.DTA", "new data"}}));

  FileSet creation;
  AtomicFile staged(creation.Add(folder.File("beta.DTA"), FileSet::Target::New));
  staged.Write("mine");
  ASSERT_TRUE(staged.Commit());
  WriteBytes(folder.File("beta.DTA"), "another process's");
  EXPECT_EQ(creation.Commit().Message, "ERROR:\nfile " + folder.File("beta.DTA") +
                                           " has been made by another process meanwhile; "
                                           "nothing was written");
  EXPECT_EQ(ReadBytes(folder.File("beta.DTA")), "another process's");
  EXPECT_EQ(folder.Names().size(), 3u);
}

// The clean-up takes exactly the names the program makes for itself, and none that a live
// process holds.
TEST(FileSetProcesses, TheCleanUpTakesOnlyOwnLeftoversOfEndedProcesses) {
  ScratchFolder folder;
  WriteBytes(folder.File("alpha.DTA"), "data");
  const char* leftovers[] = {".alpha.DTA.0123456789abcdef-0.new",
                             "..alpha.DTA.0123456789abcdef-0.new.part",
                             ".alpha.DTA.0123456789abcdef-12.part", ".beta.lock"};
  const char* others[] = {".alpha.DTA.mine.new",  ".alpha.DTA.0123456789ABCDEF-0.new",
                          ".alpha.DTA.0123456789abcdef-01.new", ".notes.part",
                          ".gamma.DTA.0123456789abcdef-3.new", "alpha.DTA.0123456789abcdef-0.new"};
  for (const char* name : leftovers) WriteBytes(folder.File(name), "left");
  for (const char* name : others) WriteBytes(folder.File(name), "someone's");
  StationLock gamma;  // a live process staging gamma
  ASSERT_TRUE(gamma.Take(folder.File("gamma.DTA"), StationLock::Mode::Exclusive));
  std::async(std::launch::async, [&] { EXPECT_TRUE(FileSet::Recover(folder.Folder())); }).get();
  std::set<std::string> expected = {"alpha.DTA", ".gamma.lock"};
  for (const char* name : others) expected.insert(name);
  EXPECT_EQ(folder.Names(), expected);
}

}  // namespace
}  // namespace vernoli
