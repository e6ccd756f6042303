// `vernoli-batch import` of a delimited file of several stations: each station named by the
// pattern and described by the station list, all or nothing per station, the stations missing
// from the list or from the file reported, the exit status, and the files of a station byte for
// byte those of the same lines imported as a file of their own.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "import_fixture.h"
#include "model/station.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::Snapshot;
using test_support::WriteBytes;

const std::string kList =
    "id,name,country,latitude,longitude,altitude,wind height\r\n"
    "260,De Bilt,Netherlands,52.10,5.18,2,10\r\n"
    "270,Leeuwarden,Netherlands,53.22,5.75,1,\r\n";

const std::string kHeader = "# a weather service\r\nSTN,YYYYMMDD,TX,TN,UX\r\n";
const std::string k260 =
    "260,20200101,62,12,99\r\n"
    "260,20200102,95,30,98\r\n"
    "260,20200104,102,59,97\r\n";
const std::string k270 =
    "270,20200101,51,-4,95\r\n"
    "270,20200102,77,8,96\r\n";

using Outcome = test_support::ImportOutcome;

struct SeveralStationsImport : test_support::BatchImport {
  // The file and the list written into the input folder, imported with the options after them;
  // the texts with the folders left out.
  Outcome Import(const std::string& bytes, const std::string& list,
                 std::vector<std::string> options = {}) const {
    WriteBytes(input.File("daily.txt"), bytes);
    WriteBytes(input.File("stations.csv"), list);
    std::vector<std::string> arguments = {input.File("daily.txt"), "--station-column", "STN",
                                          "--stations", input.File("stations.csv"),
                                          "--columns", "TX=101*0.1,TN=103*0.1,UX=201",
                                          "--name", "NL_{station}"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return RunWith(arguments);
  }
  Outcome RunWith(const std::vector<std::string>& arguments) const {
    const Outcome outcome = Run(arguments);
    return {outcome.status, Plain(outcome.out), Plain(outcome.err)};
  }
  RepClimateFile Station(const std::string& name) const {
    RepClimateFile station;
    SetStationFiles(station, data.Folder(), name);
    EXPECT_TRUE(ReadStationDescription(station)) << name;
    return station;
  }
};

// ---------------------------------------------------------------------------------------------
// The stations of a file

TEST(SeveralStationsBatch, EachStationIsNamedByThePatternAndDescribedByTheList) {
  SeveralStationsImport run;
  const Outcome done = run.Import(kHeader + k260 + k270, kList);
  EXPECT_EQ(done.status, 0) << done.err;
  EXPECT_EQ(done.out,
            "NL_260.DSC, NL_260.DTA: station NL_260 imported, 4 records\n"
            "NL_270.DSC, NL_270.DTA: station NL_270 imported, 2 records\n");
  EXPECT_EQ(done.err, "2 stations imported, 0 failed\n");
  const RepClimateFile bilt = run.Station("NL_260");
  EXPECT_EQ(bilt.StationName, "De Bilt");
  EXPECT_EQ(bilt.Country, "Netherlands");
  EXPECT_EQ(bilt.Latitude, 52.1);
  EXPECT_EQ(bilt.Longitude, 5.18);
  EXPECT_EQ(bilt.Altitude, 2);
  EXPECT_EQ(bilt.WindHeight, 10.0);
  EXPECT_EQ(bilt.From(), (Date{1, 1, 2020}));
  EXPECT_EQ(bilt.To(), (Date{4, 1, 2020}));
  const RepClimateFile leeuwarden = run.Station("NL_270");
  EXPECT_EQ(leeuwarden.Latitude, 53.22);
  EXPECT_EQ(leeuwarden.WindHeight, 2.0);  // none in the list: --wind-height's default
  EXPECT_EQ(ReadBytes(run.data.File("NL_270.DTA")),
            "        Nr       101       103       201       501\r\n"
            "         1       5.1      -0.4      95.0    -999.0\r\n"
            "         2       7.7       0.8      96.0    -999.0\r\n");
}

TEST(SeveralStationsBatch, AStationIsTheSameBytesAsItsLinesInAFileOfTheirOwn) {
  // Interleaved lines too: the station read is the same whatever lies between its lines.
  const std::string interleaved =
      kHeader + k260.substr(0, 23) + k270.substr(0, 23) + k260.substr(23) + k270.substr(23);
  for (const std::string& bytes : {kHeader + k270 + k260, interleaved}) {
    SeveralStationsImport several;
    const Outcome done = several.Import(bytes, kList, {"--wind-height", "4"});
    ASSERT_EQ(done.status, 0) << done.err;

    SeveralStationsImport single;
    WriteBytes(single.input.File("one.txt"), kHeader + k260);
    const Outcome alone = single.RunWith(
        {single.input.File("one.txt"), "--columns", "TX=101*0.1,TN=103*0.1,UX=201", "--name",
         "NL_260", "--station", "De Bilt", "--country", "Netherlands", "--latitude", "52.10",
         "--longitude", "5.18", "--altitude", "2", "--wind-height", "10"});
    ASSERT_EQ(alone.status, 0) << alone.err;
    WriteBytes(single.input.File("two.txt"), "STN,YYYYMMDD,TX,TN,UX\n" + k270);
    const Outcome other = single.RunWith(
        {single.input.File("two.txt"), "--columns", "TX=101*0.1,TN=103*0.1,UX=201", "--name",
         "NL_270", "--station", "Leeuwarden", "--country", "Netherlands", "--latitude",
         "53.22", "--longitude", "5.75", "--altitude", "1", "--wind-height", "4"});
    ASSERT_EQ(other.status, 0) << other.err;
    EXPECT_EQ(Snapshot(several.data), Snapshot(single.data));
  }
}

// ---------------------------------------------------------------------------------------------
// All or nothing per station

TEST(SeveralStationsBatch, AStationRefusedWritesNothingAndTheOthersAreImported) {
  SeveralStationsImport run;
  // 270's maximum temperature of 1 January is 95.1 degrees: beyond the limits.
  std::string bytes = kHeader + k260 + k270;
  bytes.replace(bytes.find("270,20200101,51"), 15, "270,20200101,951");
  const Outcome done = run.Import(bytes, kList);
  EXPECT_EQ(done.status, 1);
  EXPECT_EQ(done.out, "NL_260.DSC, NL_260.DTA: station NL_260 imported, 4 records\n");
  EXPECT_EQ(done.err,
            "station \"270\" of file daily.txt (lines 6 to 7), as NL_270:\n"
            "ERROR:\nCANNOT import data\nCHECK climatic parameters\n"
            "column 3 (TX) as 101 (Tmax, \xC2\xB0" "C): Update data range, data 7.7 .. 95.1 beyond "
            "the limits -15.0 .. 45.0, all in \xC2\xB0" "C; --limit-tmax (whole \xC2\xB0" "C) sets "
            "the upper limit; or --beyond-limits missing|clip changes the values beyond them\n"
            "1 stations imported, 1 failed\n");
  EXPECT_EQ(run.data.Names(), (std::set<std::string>{"NL_260.DSC", "NL_260.DTA"}));
}

TEST(SeveralStationsBatch, APatternGivingAnIllegalNameRefusesThatStation) {
  SeveralStationsImport run;
  const Outcome done = run.Import(kHeader + k260 + "2.70,20200101,51,-4,95\r\n",
                              kList.substr(0, kList.find("270")) +
                                  "2.70,Dot,Netherlands,52,5,0,\r\n");
  EXPECT_EQ(done.status, 1);
  EXPECT_EQ(done.err,
            "station \"2.70\" of file daily.txt (line 6), as NL_2.70:\n"
            "ERROR:\nthe name NL_2.70 that --name NL_{station} gives station \"2.70\" is refused: "
            "illegal filename\n"
            "1 stations imported, 1 failed\n");
  EXPECT_EQ(run.data.Names(), (std::set<std::string>{"NL_260.DSC", "NL_260.DTA"}));
}

// ---------------------------------------------------------------------------------------------
// The file and the list do not agree

TEST(SeveralStationsBatch, StationsMissingFromTheListOrFromTheFileAreReported) {
  SeveralStationsImport run;
  const std::string list =
      "id,name,country,latitude,longitude,altitude\r\n"
      "260,De Bilt,Netherlands,52.10,5.18,2\r\n"
      "280,Eelde,Netherlands,53.13,6.59,5\r\n";
  const Outcome done = run.Import(kHeader + k260 + k270, list);
  EXPECT_EQ(done.status, 1);
  EXPECT_EQ(done.out, "NL_260.DSC, NL_260.DTA: station NL_260 imported, 4 records\n");
  EXPECT_EQ(done.err,
            "ERROR:\nfile daily.txt, lines 6 to 7, column 1 (STN): station \"270\" is not in "
            "the station list stations.csv; its 2 lines are not imported: a station is imported "
            "with the name, country and location the list gives it\n"
            "vernoli-batch: station \"280\" of list stations.csv (line 3) has no lines in file "
            "daily.txt; nothing is imported for it\n"
            "1 stations imported, 1 failed\n");

  // Only a station of the list missing: every line of the file is imported.
  SeveralStationsImport fewer;
  const Outcome all = fewer.Import(kHeader + k260, list);
  EXPECT_EQ(all.status, 0) << all.err;
}

TEST(SeveralStationsBatch, ABrokenListOrFileImportsNothing) {
  SeveralStationsImport run;
  const Outcome list = run.Import(kHeader + k260, "id,name,country,latitude,longitude,altitude\n"
                                              "260,De Bilt,Netherlands,north,5.18,2\n");
  EXPECT_EQ(list.status, 1);
  EXPECT_EQ(list.err,
            "ERROR:\nfile stations.csv, line 2, column 4 (latitude): \"north\" is no number; the "
            "latitude is a number with a decimal point (such as 52.1)\n");
  const Outcome file = run.Import(kHeader + k260 + ",20200105,1,1,1\r\n", kList);
  EXPECT_EQ(file.status, 1);
  EXPECT_EQ(file.err,
            "ERROR:\nfile daily.txt, line 6, column 1 (STN): the station column is empty; each "
            "data line names its station there\n");
  EXPECT_TRUE(run.data.Names().empty());
}

TEST(SeveralStationsBatch, RefusesACommandLineThatCannotNameOrDescribeEachStation) {
  SeveralStationsImport run;
  WriteBytes(run.input.File("daily.txt"), kHeader + k260);
  const std::string file = run.input.File("daily.txt");
  struct Case {
    std::vector<std::string> arguments;
    std::string message;
  };
  const Case cases[] = {
      {{file, "--name", "NL_{station}", "--station-column", "STN"},
       "options --station-column and --stations go together: the column that names the station "
       "of each line, and the list (id, name, country, latitude, longitude, altitude) that "
       "describes each station"},
      {{file, "--name", "NL", "--station-column", "STN", "--stations", "l.csv"},
       "option --name: with --station-column it is a pattern holding {station} (such as "
       "CO_{station}), which each station's id replaces, not \"NL\""},
      {{file, "--name", "NL_{station}", "--station-column", "STN", "--stations", "l.csv",
        "--latitude", "52"},
       "option --latitude does not apply to a file of several stations: the station list gives "
       "each station its name, country and location"},
      {{"daily.CXT", "--name", "NL_{station}", "--columns", "101", "--station-column", "STN",
        "--stations", "l.csv"},
       "option --station-column applies to a delimited file, not to a free-format text file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    const Outcome refused = run.RunWith(c.arguments);
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err, "ERROR:\n" + c.message + "\nTry 'vernoli-batch --help'.\n");
  }
  EXPECT_TRUE(run.data.Names().empty());
}

}  // namespace
}  // namespace vernoli
