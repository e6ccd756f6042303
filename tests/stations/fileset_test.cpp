#include "stations/fileset.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "station_folder.h"
#include "stations/catalog.h"

namespace vernoli {
namespace {

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

}  // namespace
}  // namespace vernoli
