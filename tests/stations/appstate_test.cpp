#include "stations/appstate.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "../model/scratch_folder.h"
#include "model/datafile.h"
#include "model/station.h"

namespace vernoli {
namespace {

using test_support::ScratchFolder;
using test_support::WriteBytes;

// A station "ALPHA" with codes 101 103 501 written into `folder`.
void WriteAlpha(const ScratchFolder& folder) {
  RepClimateFile station = NewStation();
  SetStationFiles(station, folder.Folder(), "ALPHA");
  station.StationName = "Alpha";
  station.Country = "Beta";
  station.Latitude = -12.5;
  station.FromYear = station.ToYear = 2001;
  ASSERT_TRUE(WriteStationDescription(station));
  WriteBytes(station.DtaFileName, "        Nr       101       103       501\r\n");
}

AppState StateIn(const ScratchFolder& folder) {
  AppState state = NewAppState(FoldersOfExecutable("/opt/v/vernoli"));
  state.DataFolder = folder.Folder();
  return state;
}

TEST(AppState, StartsWithNoSelectionAndTheProgramsFolders) {
  const AppState state = NewAppState(FoldersOfExecutable("/opt/v/vernoli"));
  EXPECT_FALSE(HasSelection(state));
  EXPECT_EQ(state.DataFolder, "/opt/v/DATA/");
  EXPECT_EQ(state.OutputFolder, "/opt/v/REPORT/");
  EXPECT_EQ(state.ImportFolder, "/opt/v/IMPORT/");
}

TEST(AppState, ClearSelectionEmptiesTheNamesAndKeepsThePaths) {
  AppState state = NewAppState(FoldersOfExecutable("/opt/v/vernoli"));
  SetStationFiles(state.Station, state.DataFolder, "ALPHA");
  state.Station.StationName = "Alpha";
  state.Station.Country = "Beta";
  ASSERT_TRUE(HasSelection(state));
  ClearSelection(state);
  EXPECT_FALSE(HasSelection(state));
  EXPECT_EQ(state.Station.StationName, "");
  EXPECT_EQ(state.Station.Country, "");
  EXPECT_EQ(state.Station.DscFileName, "/opt/v/DATA/ALPHA.DSC");
  EXPECT_EQ(state.Station.DtaFileName, "/opt/v/DATA/ALPHA.DTA");
}

TEST(SelectStation, ReadsTheDescriptionAndTheCodesOfTheDataFile) {
  ScratchFolder folder;
  WriteAlpha(folder);
  AppState state = StateIn(folder);
  ASSERT_TRUE(SelectStation(state, "ALPHA"));
  EXPECT_EQ(state.Station.FileName, "ALPHA");
  EXPECT_EQ(state.Station.OutputName, "ALPHA");
  EXPECT_EQ(state.Station.DscFileName, folder.File("ALPHA.DSC"));
  EXPECT_EQ(state.Station.DtaFileName, folder.File("ALPHA.DTA"));
  EXPECT_EQ(state.Station.StationName, "Alpha");
  EXPECT_DOUBLE_EQ(state.Station.Latitude, -12.5);
  ASSERT_EQ(state.Station.NumberOfParameters, 3);
  EXPECT_EQ(state.Station.ParameterCodes[2], 501);
}

TEST(SelectStation, AnUnreadableDescriptionNamesFileAndLineAndKeepsTheSelection) {
  ScratchFolder folder;
  WriteAlpha(folder);
  // Line 3 holds no latitude.
  WriteBytes(folder.File("BROKEN.DSC"), "Broken\r\nNowhere\r\n  north\r\n");
  WriteBytes(folder.File("BROKEN.DTA"), "        Nr       501\r\n");
  AppState state = StateIn(folder);
  ASSERT_TRUE(SelectStation(state, "ALPHA"));

  const Status status = SelectStation(state, "BROKEN");
  EXPECT_FALSE(status);
  EXPECT_EQ(status.Message.rfind("ERROR:\n", 0), 0u) << status.Message;
  EXPECT_NE(status.Message.find(folder.File("BROKEN.DSC")), std::string::npos) << status.Message;
  EXPECT_NE(status.Message.find("line 3"), std::string::npos) << status.Message;
  EXPECT_EQ(state.Station.FileName, "ALPHA");
  EXPECT_EQ(state.Station.StationName, "Alpha");
  EXPECT_EQ(state.Station.DscFileName, folder.File("ALPHA.DSC"));
}

TEST(SelectStation, AMissingDataFileKeepsTheSelection) {
  ScratchFolder folder;
  WriteAlpha(folder);
  RepClimateFile lonely = NewStation();
  SetStationFiles(lonely, folder.Folder(), "LONELY");
  ASSERT_TRUE(WriteStationDescription(lonely));
  AppState state = StateIn(folder);
  ASSERT_TRUE(SelectStation(state, "ALPHA"));

  const Status status = SelectStation(state, "LONELY");
  EXPECT_FALSE(status);
  EXPECT_NE(status.Message.find(folder.File("LONELY.DTA")), std::string::npos) << status.Message;
  EXPECT_EQ(state.Station.FileName, "ALPHA");
  EXPECT_EQ(state.Station.NumberOfParameters, 3);
}

TEST(CheckDataFolder, NamesAFolderThatDoesNotExistOrIsAFile) {
  ScratchFolder folder;
  EXPECT_TRUE(CheckDataFolder(folder.Folder()));

  const std::string missing = folder.Folder() + "GONE/";
  EXPECT_EQ(CheckDataFolder(missing).Message, "ERROR:\ndata folder " + missing + " does not exist");

  WriteBytes(folder.File("plain"), "x");
  EXPECT_EQ(CheckDataFolder(folder.File("plain")).Message,
            "ERROR:\ndata folder " + folder.File("plain") + " is not a folder");
}

TEST(CheckDataFolder, NamesAFolderThatCannotBeRead) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser reads every folder";
  ScratchFolder folder;
  const std::string locked = folder.Folder() + "LOCKED";
  ASSERT_EQ(::mkdir(locked.c_str(), 0300), 0);
  EXPECT_EQ(CheckDataFolder(locked).Message,
            "ERROR:\ndata folder " + locked + " cannot be read");
  ::chmod(locked.c_str(), 0700);
}

}  // namespace
}  // namespace vernoli
