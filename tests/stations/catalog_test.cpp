#include "stations/catalog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "station_folder.h"
#include "stations/fileset.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::Snapshot;
using test_support::WriteBytes;
using test_support::WriteStation;

constexpr std::string_view kEToOnly = "        Nr       501\r\n         1    -999.0\r\n";

std::vector<std::string> Files(const std::vector<StationEntry>& stations) {
  std::vector<std::string> files;
  for (const StationEntry& entry : stations) files.push_back(entry.File);
  return files;
}

// ---------------------------------------------------------------------------------------------
// The list

TEST(ListStations, ListsEveryDescriptionWithNameAndCountryInAlphabeticalOrder) {
  ScratchFolder folder;
  WriteBytes(folder.File("bravo.DSC"), "Bravo station\r\nCountry B\r\n     41.90\r\n");
  WriteBytes(folder.File("Alpha.DSC"), "Alpha station\nCountry A\n");
  WriteBytes(folder.File("charlie.DSC"), "Charlie only\r\n");
  WriteBytes(folder.File("A.B.DSC"), "Dotted\r\nName\r\n");
  std::vector<StationEntry> stations;
  ASSERT_TRUE(ListStations(folder.Folder(), stations));
  ASSERT_EQ(stations.size(), 4u);
  EXPECT_EQ(Files(stations), (std::vector<std::string>{"A", "Alpha", "bravo", "charlie"}));
  EXPECT_EQ(stations[0].ListedName, "A.B.DSC");
  EXPECT_EQ(stations[1].StationName, "Alpha station");
  EXPECT_EQ(stations[1].Country, "Country A");
  EXPECT_EQ(stations[2].ListedName, "bravo.DSC");
  EXPECT_EQ(stations[2].StationName, "Bravo station");
  EXPECT_EQ(stations[2].Country, "Country B");
  EXPECT_EQ(stations[3].StationName, "Charlie only");
  EXPECT_EQ(stations[3].Country, "");
  for (const StationEntry& entry : stations) EXPECT_TRUE(entry.Readable);
}

TEST(ListStations, UnreadableDescriptionIsListedByItsFileNameAlone) {
  ScratchFolder folder;
  WriteStation(folder, "alpha", kDaily, {1, 1, 2001}, {1, 1, 2001}, kEToOnly);
  std::filesystem::create_symlink(folder.File("nowhere.DSC"), folder.File("broken.DSC"));
  std::vector<StationEntry> stations;
  ASSERT_TRUE(ListStations(folder.Folder(), stations));
  ASSERT_EQ(stations.size(), 2u);
  EXPECT_EQ(stations[0].File, "alpha");
  EXPECT_EQ(stations[0].StationName, "Alpha");
  EXPECT_EQ(stations[1].File, "broken");
  EXPECT_EQ(stations[1].ListedName, "broken.DSC");
  EXPECT_EQ(stations[1].StationName, "");
  EXPECT_EQ(stations[1].Country, "");
  EXPECT_FALSE(stations[1].Readable);
}

TEST(ListStations, TemporaryAndOtherFilesAreNeverListed) {
  ScratchFolder folder;
  WriteStation(folder, "alpha", kDaily, {1, 1, 2001}, {1, 1, 2001}, kEToOnly);
  for (const char* name : {"FileDTA.OLD", "FullSet.TMP", "FullSet.OLD", ".alpha.DSC.new",
                           ".alpha.DSC.old", ".alpha.DSC.1234-5.part", ".hidden.DSC", "beta.dsc",
                           "gamma.DSC.bak", "notes.txt", ".DSC"}) {
    WriteBytes(folder.File(name), "Not a station\r\n");
  }
  std::filesystem::create_directory(folder.File("folder.DSC"));
  std::vector<StationEntry> stations;
  ASSERT_TRUE(ListStations(folder.Folder(), stations));
  EXPECT_EQ(Files(stations), std::vector<std::string>{"alpha"});
}

TEST(ListStations, EmptyFolderGivesAnEmptyListAndAMissingOneAnError) {
  ScratchFolder folder;
  std::vector<StationEntry> stations{StationEntry{}};
  ASSERT_TRUE(ListStations(folder.Folder(), stations));
  EXPECT_TRUE(stations.empty());
  EXPECT_EQ(InitialCandidate(stations, ""), "");
  EXPECT_EQ(CursorRow(stations, ""), -1);

  const std::string missing = folder.File("nothing") + "/";
  const Status status = ListStations(missing, stations);
  EXPECT_FALSE(status.Ok);
  EXPECT_EQ(status.Message, "ERROR:\ncannot open folder " + missing);
}

// ---------------------------------------------------------------------------------------------
// Candidate and cursor

TEST(SelectList, FirstStationIsTheCandidateWhenNoneIsSelected) {
  std::vector<StationEntry> stations(3);
  stations[0].File = "alpha";
  stations[1].File = "Bravo";
  stations[2].File = "charlie";
  EXPECT_EQ(InitialCandidate(stations, ""), "alpha");
  EXPECT_EQ(CursorRow(stations, InitialCandidate(stations, "")), 0);
  EXPECT_EQ(InitialCandidate(stations, "charlie"), "charlie");
}

TEST(SelectList, CursorFindsTheCandidateWithoutRegardToLetterCase) {
  std::vector<StationEntry> stations(3);
  stations[0].File = "alpha";
  stations[1].File = "Bravo";
  stations[2].File = "charlie";
  EXPECT_EQ(CursorRow(stations, "BRAVO"), 1);
  EXPECT_EQ(CursorRow(stations, "bravo"), 1);
  EXPECT_EQ(CursorRow(stations, "Charlie"), 2);
  // A candidate not in the list leaves the cursor on the last row.
  EXPECT_EQ(CursorRow(stations, "delta"), 2);
  EXPECT_EQ(FileColumn("A.B.DSC"), "A");
  EXPECT_EQ(FileColumn("alpha.DSC"), "alpha");
}

// ---------------------------------------------------------------------------------------------
// Choosing a station

TEST(ChooseStation, ReadsTheDescriptionAndTheCodesOfTheChosenStation) {
  ScratchFolder folder;
  WriteStation(folder, "alpha", kDaily, {1, 1, 2001}, {3, 1, 2001},
               "        Nr       101       103       501\r\n");
  RepClimateFile station;
  station.OutputName = "report";
  ASSERT_TRUE(ChooseStation(folder.Folder(), "  alpha ", OutputNameRule::Keep, station));
  EXPECT_EQ(station.FileName, "alpha");
  EXPECT_EQ(station.OutputName, "report");
  EXPECT_EQ(station.DscFileName, folder.File("alpha.DSC"));
  EXPECT_EQ(station.DtaFileName, folder.File("alpha.DTA"));
  EXPECT_EQ(station.StationName, "Alpha");
  EXPECT_EQ(station.NumberOfRecords, 3);
  EXPECT_EQ(station.NumberOfParameters, 3);
  EXPECT_EQ(station.ParameterCodes[1], 103);

  ASSERT_TRUE(ChooseStation(folder.Folder(), "alpha", OutputNameRule::SetToFileName, station));
  EXPECT_EQ(station.OutputName, "alpha");
}

TEST(ChooseStation, StationThatCannotBeReadLeavesTheSelectionAsItWas) {
  ScratchFolder folder;
  const RepClimateFile alpha =
      WriteStation(folder, "alpha", kDaily, {1, 1, 2001}, {3, 1, 2001}, kEToOnly);
  WriteStation(folder, "nodata", kDaily, {1, 1, 2001}, {3, 1, 2001}, kEToOnly);
  std::filesystem::remove(folder.File("nodata.DTA"));
  RepClimateFile station = alpha;
  for (const char* name : {"nodata", "missing"}) {
    SCOPED_TRACE(name);
    const Status status =
        ChooseStation(folder.Folder(), name, OutputNameRule::SetToFileName, station);
    EXPECT_FALSE(status.Ok);
    EXPECT_NE(status.Message.find(name), std::string::npos) << status.Message;
    EXPECT_EQ(station.FileName, "alpha");
    EXPECT_EQ(station.DscFileName, alpha.DscFileName);
    EXPECT_EQ(station.StationName, "Alpha");
  }
}

// ---------------------------------------------------------------------------------------------
// Deleting a station

TEST(DeleteStation, DeletesBothFilesAndNothingElse) {
  ScratchFolder folder;
  WriteStation(folder, "alpha", kDaily, {1, 1, 2001}, {1, 1, 2001}, kEToOnly);
  WriteStation(folder, "alphabet", kDaily, {1, 1, 2001}, {1, 1, 2001}, kEToOnly);
  WriteBytes(folder.File("alpha.REP"), "report");
  WriteBytes(folder.File("alpha.dta"), "other case");
  RepClimateFile selected;
  selected.FileName = "alphabet";
  const DeleteResult result = DeleteStation(folder.Folder(), "alpha", selected);
  EXPECT_TRUE(result.Result.Ok) << result.Result.Message;
  EXPECT_TRUE(result.Deleted);
  EXPECT_EQ(result.Notice, "");
  EXPECT_FALSE(result.SelectionCleared);
  EXPECT_EQ(selected.FileName, "alphabet");
  EXPECT_EQ(folder.Names(), (std::set<std::string>{"alpha.REP", "alpha.dta", "alphabet.DSC",
                                                   "alphabet.DTA"}));
}

TEST(DeleteStation, DeletingTheSelectedStationClearsTheSelection) {
  ScratchFolder folder;
  RepClimateFile selected =
      WriteStation(folder, "alpha", kDaily, {1, 1, 2001}, {1, 1, 2001}, kEToOnly);
  const std::string dsc = selected.DscFileName;
  const DeleteResult result = DeleteStation(folder.Folder(), "alpha", selected);
  EXPECT_TRUE(result.Result.Ok);
  EXPECT_TRUE(result.SelectionCleared);
  EXPECT_EQ(selected.FileName, "");
  EXPECT_EQ(selected.StationName, "");
  EXPECT_EQ(selected.Country, "");
  EXPECT_EQ(selected.DscFileName, dsc);  // the paths stay, as when any selection is cleared
  EXPECT_TRUE(folder.Names().empty());
}

TEST(DeleteStation, MissingDataFileOnlyReportsThatItWasNotThere) {
  ScratchFolder folder;
  WriteStation(folder, "alpha", kDaily, {1, 1, 2001}, {1, 1, 2001}, kEToOnly);
  WriteStation(folder, "bravo", kDaily, {1, 1, 2001}, {1, 1, 2001}, kEToOnly);
  std::filesystem::remove(folder.File("alpha.DTA"));
  RepClimateFile selected;
  const DeleteResult result = DeleteStation(folder.Folder(), "alpha", selected);
  EXPECT_TRUE(result.Result.Ok) << result.Result.Message;
  EXPECT_TRUE(result.Deleted);
  EXPECT_EQ(result.Notice, "data file " + folder.File("alpha.DTA") + " was not there");
  EXPECT_EQ(folder.Names(), (std::set<std::string>{"bravo.DSC", "bravo.DTA"}));
}

TEST(DeleteStation, MissingDescriptionIsAnErrorAndDeletesNothing) {
  ScratchFolder folder;
  WriteBytes(folder.File("alpha.DTA"), kEToOnly);
  RepClimateFile selected;
  selected.FileName = "alpha";
  const auto before = Snapshot(folder);
  const DeleteResult result = DeleteStation(folder.Folder(), "alpha", selected);
  EXPECT_FALSE(result.Result.Ok);
  EXPECT_EQ(result.Result.Message, "ERROR:\ncannot delete file " + folder.File("alpha.DSC"));
  EXPECT_FALSE(result.Deleted);
  EXPECT_FALSE(result.SelectionCleared);
  EXPECT_EQ(selected.FileName, "alpha");
  EXPECT_EQ(Snapshot(folder), before);
}

TEST(DeleteStation, FailureAtEitherFileDeletesNeither) {
  for (int failing : {1, 2}) {  // the .DSC, then the .DTA
    SCOPED_TRACE(failing);
    ScratchFolder folder;
    RepClimateFile selected =
        WriteStation(folder, "alpha", kDaily, {1, 1, 2001}, {1, 1, 2001}, kEToOnly);
    const auto before = Snapshot(folder);
    FileSet::InjectRenameFailureForTesting(failing);
    const DeleteResult result = DeleteStation(folder.Folder(), "alpha", selected);
    FileSet::InjectRenameFailureForTesting(0);
    EXPECT_FALSE(result.Result.Ok);
    EXPECT_FALSE(result.Deleted);
    EXPECT_FALSE(result.SelectionCleared);
    EXPECT_EQ(Snapshot(folder), before);
  }
}

TEST(DeleteStation, NameLeavingTheFolderIsRefused) {
  ScratchFolder folder;
  WriteStation(folder, "alpha", kDaily, {1, 1, 2001}, {1, 1, 2001}, kEToOnly);
  const auto before = Snapshot(folder);
  RepClimateFile selected;
  for (const char* name : {"", "../alpha", "sub/alpha", ".."}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(DeleteStation(folder.Folder(), name, selected).Result.Ok);
  }
  EXPECT_EQ(Snapshot(folder), before);
}

TEST(DeleteStation, QuestionNamesTheStationBetweenGuillemets) {
  EXPECT_EQ(DeleteQuestion("alpha"), "Delete File \xAB" "alpha\xBB ?");
}

}  // namespace
}  // namespace vernoli
