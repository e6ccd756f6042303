#include "cli/batch.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "../workspace/station_files.h"
#include "batch_fixture.h"
#include "model/atomicfile.h"
#include "model/stationcodes.h"
#include "workspace/run.h"
#include "workspace/workingdata.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::WriteBytes;
using test_support::WriteStation;

const std::string kFahrenheitGaps =
    "        Nr       111       113       501\r\n"
    "         1      86.0    -999.0    -999.0\r\n"
    "         2      80.6      50.0    -999.0\r\n"
    "         3    -999.0      53.6    -999.0\r\n";

class BatchTest : public test_support::BatchFixture {};

// ---------------------------------------------------------------------------------------------
// The command line

TEST_F(BatchTest, HelpShowsEveryCommandAndSucceeds) {
  EXPECT_EQ(Run({"--help"}), 0);
  const std::string help = out_.str();
  for (const char* word : {"recompute STATION...", "recompute --all", "report STATION",
                           "crop-files STATION", "--data DIR", "--output DIR", "--columns LIST",
                           "--first-eto", "--last-tmax"}) {
    SCOPED_TRACE(word);
    EXPECT_NE(help.find(word), std::string::npos);
  }
  EXPECT_EQ(err_.str(), "");
}

TEST_F(BatchTest, FaultyCommandLinesAreRefusedWithTheReason) {
  struct Row {
    std::vector<std::string> args;
    const char* reason;
  };
  const Row rows[] = {
      {{}, "no command given"},
      {{"compute", "A"}, "unknown command compute"},
      {{"--verbose", "recompute", "A"}, "unknown option --verbose"},
      {{"recompute"}, "recompute needs a station name or --all"},
      {{"recompute", "A", "--all"}, "recompute takes station names or --all, not both"},
      {{"--output", "X", "recompute", "A"}, "option --output does not apply to recompute"},
      {{"report"}, "report needs exactly one station name"},
      {{"report", "A", "B"}, "report needs exactly one station name"},
      {{"report", "A", "--name"}, "option --name needs a value"},
      {{"report", "A", "--first-eto", "1"}, "unknown option --first-eto for report"},
      {{"crop-files", "A", "--columns", "nr"}, "unknown option --columns for crop-files"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.reason);
    EXPECT_EQ(Run(row.args), kBatchUsageError);
    EXPECT_EQ(err_.str(), std::string("ERROR:\n") + row.reason +
                              "\nTry 'vernoli-batch --help'.\n");
  }
}

TEST_F(BatchTest, StationNameWithAFolderIsRefusedBeforeAnythingIsOpened) {
  // A station one folder up, which a path could reach.
  ScratchFolder outside;
  const RepClimateFile station =
      WriteStation(outside.Folder(), "OUT", kDaily, {1, 7, 2001}, {3, 7, 2001},
                   test_support::kSmallDta);
  const std::string relative =
      std::filesystem::relative(outside.File("OUT"), data_.Folder()).string();
  for (const std::string& name : {relative, outside.File("OUT"), std::string("..")}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Run({"recompute", name}), kBatchUsageError);
    EXPECT_EQ(err_.str(), "ERROR:\nillegal station name \"" + name +
                              "\": give the base name of a station in the data folder\n");
  }
  // A backslash of the name is doubled in its quotes.
  EXPECT_EQ(Run({"recompute", "..\\OUT"}), kBatchUsageError);
  EXPECT_EQ(err_.str(), "ERROR:\nillegal station name \"..\\\\OUT\": give the base name of a "
                        "station in the data folder\n");
  EXPECT_EQ(Run({"report", "../OUT"}), kBatchUsageError);
  EXPECT_EQ(ReadBytes(station.DtaFileName), test_support::kSmallDta);
  EXPECT_EQ(outside.Names(), (std::set<std::string>{"OUT.DSC", "OUT.DTA"}));
}

TEST_F(BatchTest, MissingFolderOrStationNamesIt) {
  EXPECT_EQ(Run({"--data", data_.File("nowhere"), "recompute", "A"}), kBatchFailed);
  EXPECT_EQ(err_.str(), "ERROR:\ndata folder " + data_.File("nowhere") + " does not exist\n");
  Station("SMALL");
  WriteBytes(data_.File("plain"), "not a folder");
  EXPECT_EQ(Run({"--output", data_.File("plain"), "report", "SMALL"}), kBatchFailed);
  EXPECT_EQ(err_.str(), "ERROR:\noutput folder " + data_.File("plain") + " is not a folder\n");
  EXPECT_EQ(Run({"--output", output_.File("nowhere"), "crop-files", "SMALL"}), kBatchFailed);
  EXPECT_EQ(err_.str(),
            "ERROR:\noutput folder " + output_.File("nowhere") + " does not exist\n");
  EXPECT_TRUE(output_.Names().empty());
  EXPECT_EQ(Run({"recompute", "NOPE"}), kBatchFailed);
  EXPECT_EQ(err_.str(), "ERROR:\ncannot open file " + data_.Folder() +
                            "NOPE.DSC: No such file or directory\n");
}

// ---------------------------------------------------------------------------------------------
// recompute

TEST_F(BatchTest, RecomputeRewritesTheDataFileAndNothingElse) {
  const RepClimateFile station = Station("SMALL");
  const std::string dsc = ReadBytes(station.DscFileName);
  ASSERT_EQ(Run({"recompute", "SMALL"}), 0) << err_.str();
  EXPECT_EQ(out_.str(), station.DtaFileName + ": ETo of 3 records recomputed\n");
  const std::string dta = ReadBytes(station.DtaFileName);
  EXPECT_NE(dta, test_support::kSmallDta);
  // The values stay, the ETo column is filled.
  EXPECT_EQ(dta.substr(0, 152), std::string(test_support::kSmallDta).substr(0, 152));
  EXPECT_EQ(ReadBytes(station.DscFileName), dsc);
  // Nothing else is left in the data folder.
  EXPECT_EQ(data_.Names(), (std::set<std::string>{"SMALL.DSC", "SMALL.DTA"}));
  // A second recompute changes nothing more.
  ASSERT_EQ(Run({"recompute", "SMALL"}), 0);
  EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
}

TEST_F(BatchTest, RecomputeAllGoesOnAfterABrokenStation) {
  Station("A");
  Station("B", "        Nr       101       501\r\n         1      20.0\r\n");
  Station("C");
  WriteBytes(data_.File("notes.txt"), "not a station");
  EXPECT_EQ(Run({"recompute", "--all"}), kBatchFailed);
  EXPECT_EQ(out_.str(), data_.Folder() + "A.DTA: ETo of 3 records recomputed\n" +
                            data_.Folder() + "C.DTA: ETo of 3 records recomputed\n");
  EXPECT_EQ(err_.str(), "ERROR:\ntoo few values in file " + data_.Folder() + "B.DTA, line 2\n"
                        "2 stations recomputed, 1 failed\n");
  EXPECT_EQ(ReadBytes(data_.File("B.DTA")), "        Nr       101       501\r\n         1      20.0\r\n");
  EXPECT_EQ(data_.Names(), (std::set<std::string>{"A.DSC", "A.DTA", "B.DSC", "B.DTA", "C.DSC",
                                                  "C.DTA", "notes.txt"}));
}

// A shared folder may hold a named pipe under a station's name: it is refused at once, naming it,
// and the other stations are recomputed.
TEST_F(BatchTest, RecomputeAllRefusesAStationFileThatIsNoRegularFile) {
  Station("A");
  Station("B");
  std::filesystem::remove(data_.File("B.DSC"));
  ASSERT_EQ(::mkfifo(data_.File("B.DSC").c_str(), 0644), 0);
  std::filesystem::create_directory(data_.File("SUB.DSC"));
  EXPECT_EQ(Run({"recompute", "--all", "--jobs", "1"}), kBatchFailed);
  EXPECT_EQ(out_.str(), data_.Folder() + "A.DTA: ETo of 3 records recomputed\n");
  const std::string accepted = "; a regular file, or a link to one, is read\n";
  EXPECT_EQ(err_.str(), "ERROR:\n" + data_.Folder() + "B.DSC is not a regular file (a named pipe)" +
                            accepted + "ERROR:\n" + data_.Folder() +
                            "SUB.DSC is not a regular file (a folder)" + accepted +
                            "1 stations recomputed, 2 failed\n");
}

TEST_F(BatchTest, RecomputeAllOfAnEmptyFolderFails) {
  EXPECT_EQ(Run({"recompute", "--all"}), kBatchFailed);
  EXPECT_EQ(err_.str(), "ERROR:\nno station description file (.DSC) in folder " +
                            data_.Folder() + "\n");
}

// ---------------------------------------------------------------------------------------------
// report

TEST_F(BatchTest, ReportDefaultsToTheStationsNameDescriptionAndDateAndData) {
  const RepClimateFile station = Station("SMALL");
  ASSERT_EQ(Run({"report", "SMALL"}), 0) << err_.str();
  const std::string report = ReadBytes(output_.File("SMALL.REP"));
  EXPECT_EQ(report.substr(0, report.find("\r\n")), station.Description);
  EXPECT_NE(report.find("\r\n\r\n     Day   Month    Year        Tmax"), std::string::npos);
  EXPECT_NE(report.find("\r\n       1       7    2001        31.2"), std::string::npos);
  // The station's files are left as they are.
  EXPECT_EQ(ReadBytes(station.DtaFileName), test_support::kSmallDta);
  EXPECT_EQ(data_.Names(), (std::set<std::string>{"SMALL.DSC", "SMALL.DTA"}));
}

TEST_F(BatchTest, ReportWithNameDescriptionAndColumns) {
  Station("SMALL");
  ASSERT_EQ(Run({"--output", output_.Folder(), "report", "SMALL", "--name", "My Report",
                 "--description", "Alpha 2001", "--columns=nr,results"}),
            0)
      << err_.str();
  const std::string report = ReadBytes(output_.File("MyReport.REP"));
  EXPECT_EQ(report.substr(0, 34), "Alpha 2001\r\n\r\n      Nr     e(act)*");
  EXPECT_EQ(output_.Names(), std::set<std::string>{"MyReport.REP"});
}

TEST_F(BatchTest, ReportRefusesUnknownColumnsAndIllegalNames) {
  Station("SMALL");
  EXPECT_EQ(Run({"report", "SMALL", "--columns", "date,wind"}), kBatchUsageError);
  EXPECT_EQ(err_.str(),
            "ERROR:\nunknown report column \"wind\" (choose from nr, date, data, results)\n");
  EXPECT_EQ(Run({"report", "SMALL", "--name", "../up"}), kBatchFailed);
  EXPECT_EQ(err_.str(), "ERROR:\nillegal filename\n");
  EXPECT_EQ(Run({"report", "SMALL", "--name", "  "}), kBatchFailed);
  EXPECT_EQ(err_.str(), "ERROR:\nFileName is not yet specified\n");
  EXPECT_TRUE(output_.Names().empty());
}

// ---------------------------------------------------------------------------------------------
// results

TEST_F(BatchTest, ResultsGoToStandardOutputOrThroughATemporaryFileToTheFileGiven) {
  const RepClimateFile station = Station("SMALL");
  ASSERT_EQ(Run({"results", "SMALL"}), 0) << err_.str();
  const std::string table = out_.str();
  EXPECT_EQ(table.substr(0, 32), "record,date,Tmean_C,RHmean_pct,e");
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 4);
  EXPECT_NE(table.find("\n2,2001-07-02,"), std::string::npos);
  EXPECT_EQ(err_.str(), "");
  // The station's files are left as they are.
  EXPECT_EQ(ReadBytes(station.DtaFileName), test_support::kSmallDta);

  const std::string file = output_.File("small.tsv");
  ASSERT_EQ(Run({"results", "SMALL", "--output", file, "--separator", "tab", "--missing", "-999"}),
            0)
      << err_.str();
  EXPECT_EQ(out_.str(), file + ": results of 3 records written\n");
  std::string tabs = table;
  std::replace(tabs.begin(), tabs.end(), ',', '\t');
  const std::string written = ReadBytes(file);
  EXPECT_EQ(written.substr(0, 200), tabs.substr(0, 200));  // header and record 1 have no gaps
  EXPECT_EQ(output_.Names(), std::set<std::string>{"small.tsv"});
  EXPECT_EQ(data_.Names(), (std::set<std::string>{"SMALL.DSC", "SMALL.DTA"}));
}

TEST_F(BatchTest, ResultsRefuseUnknownChoicesAndAFolderForOutput) {
  Station("SMALL");
  const struct {
    std::vector<std::string> args;
    const char* reason;
  } rows[] = {
      {{"results", "SMALL", "--separator", "semicolon"},
       "option --separator takes comma or tab, not \"semicolon\""},
      {{"results", "SMALL", "--missing", "nan"}, "option --missing takes empty or -999, not \"nan\""},
      {{"--output", "X", "results", "SMALL"},
       "option --output DIR does not apply to results (give --output FILE after the station)"},
      {{"results", "SMALL", "--name", "A"}, "unknown option --name for results"},
      {{"results"}, "results needs exactly one station name"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.reason);
    EXPECT_EQ(Run(row.args), kBatchUsageError);
    EXPECT_EQ(err_.str(), std::string("ERROR:\n") + row.reason + "\nTry 'vernoli-batch --help'.\n");
  }
  // A file that cannot be written names itself and leaves nothing behind.
  EXPECT_EQ(Run({"results", "SMALL", "--output", output_.File("no/such/folder.csv")}), kBatchFailed);
  EXPECT_EQ(err_.str(), "ERROR:\ncannot write file " + output_.File("no/such/folder.csv") +
                            ": No such file or directory\n");
  EXPECT_TRUE(output_.Names().empty());
}

// ---------------------------------------------------------------------------------------------
// recompute of many stations

TEST_F(BatchTest, RecomputeOfAListOnAnyNumberOfJobsSummarisesTheFailures) {
  const std::string broken = "        Nr       101       501\r\n         1      20.0\r\n";
  for (const char* jobs : {"1", "2", "8"}) {
    SCOPED_TRACE(jobs);
    Station("A");
    Station("B", broken);
    Station("C");
    Station("D", "        Nr       101       103\r\n         1      20.0      10.0\r\n");
    out_.str("");
    err_.str("");
    const ProgramFolders folders = Folders();
    // As on a terminal: the progress line is rewritten and cleared before the messages.
    EXPECT_EQ(RunBatch({"recompute", "A", "B", "C", "D", "NONE", "--jobs", jobs}, out_, err_,
                       folders, true),
              kBatchFailed);
    EXPECT_EQ(out_.str(), data_.Folder() + "A.DTA: ETo of 3 records recomputed\n" +
                              data_.Folder() + "C.DTA: ETo of 3 records recomputed\n");
    const std::string err = err_.str();
    EXPECT_NE(err.find("\r5 of 5 stations done, 3 failed"), std::string::npos);
    const std::string messages = err.substr(err.rfind('\r') + 1);
    EXPECT_EQ(messages, "ERROR:\ntoo few values in file " + data_.Folder() + "B.DTA, line 2\n" +
                            "ERROR:\nthe last column of file " + data_.Folder() +
                            "D.DTA is not ETo (code 501)\n" + "ERROR:\ncannot open file " +
                            data_.Folder() + "NONE.DSC: No such file or directory\n" +
                            "2 stations recomputed, 3 failed\n");
    // The failed stations are as they were, the others recomputed, nothing else left behind.
    EXPECT_EQ(ReadBytes(data_.File("B.DTA")), broken);
    EXPECT_NE(ReadBytes(data_.File("A.DTA")), test_support::kSmallDta);
    EXPECT_EQ(data_.Names(), (std::set<std::string>{"A.DSC", "A.DTA", "B.DSC", "B.DTA", "C.DSC",
                                                    "C.DTA", "D.DSC", "D.DTA"}));
  }
  EXPECT_EQ(Run({"recompute", "A", "--jobs", "0"}), kBatchUsageError);
  EXPECT_EQ(err_.str(), "ERROR:\noption --jobs needs a whole number from 1 to 4096, not \"0\"\n"
                        "Try 'vernoli-batch --help'.\n");
}

TEST_F(BatchTest, RunsOnOneStationAtOnceLeaveItComplete) {
  const RepClimateFile station = Station("SMALL");
  ASSERT_EQ(Run({"recompute", "SMALL"}), 0);
  const std::string expected = ReadBytes(station.DtaFileName);
  // Four runs side by side, many times over, while the file is read: it is always complete.
  std::atomic<bool> stop{false};
  std::atomic<int> failures{0};
  std::vector<std::thread> runs;
  for (int t = 0; t < 4; ++t) {
    runs.emplace_back([&] {
      for (int i = 0; i < 25; ++i) {
        std::ostringstream out, err;
        if (RunBatch({"recompute", "SMALL", "SMALL"}, out, err, Folders()) != 0) ++failures;
      }
    });
  }
  int reads = 0;
  std::thread reader([&] {
    while (!stop) {
      EXPECT_EQ(ReadBytes(station.DtaFileName), expected);
      ++reads;
    }
  });
  for (std::thread& run : runs) run.join();
  stop = true;
  reader.join();
  EXPECT_EQ(failures, 0);
  EXPECT_GT(reads, 0);
  EXPECT_EQ(data_.Names(), (std::set<std::string>{"SMALL.DSC", "SMALL.DTA"}));
}

TEST_F(BatchTest, RecomputeAllOfAThousandStationsEqualsRecomputingThemOneByOne) {
  // Thousands of commits: the disk is not asked to sync each one.
  AtomicFile::SyncForTesting(false);
  const char* lines[] = {
      "         1      31.2      18.4      85.0      40.0      2.10      3.30    -999.0\r\n",
      "         2    -999.0    -999.0      80.0      35.0      3.40      2.80    -999.0\r\n",
      "         3      29.8      17.1      90.0      45.0      1.75   -999.00    -999.0\r\n",
  };
  std::vector<std::string> names, originals, all;
  for (int n = 0; n < 1000; ++n) {
    // Small stations, each unlike its neighbours: another record first, another latitude (60 S
    // to 60 N, where July has at least 5.6 hours of daylight for the sunshine).
    std::string dta(test_support::kSmallDta.substr(0, 82));
    for (int k = 0; k < 3; ++k) dta += lines[(n + k) % 3];
    char name[8];
    std::snprintf(name, sizeof name, "S%04d", n);
    RepClimateFile station = NewStation();
    SetStationFiles(station, data_.Folder(), name);
    station.Latitude = -60.0 + 0.12 * n;
    station.FromDay = 1;
    station.FromMonth = 7;
    station.FromYear = 2001;
    station.ToDay = 3;
    station.ToMonth = 7;
    station.ToYear = 2001;
    ASSERT_TRUE(WriteStationDescription(station));
    WriteBytes(station.DtaFileName, dta);
    names.emplace_back(name);
    originals.push_back(dta);
  }
  ASSERT_EQ(Run({"recompute", "--all"}), 0) << err_.str();
  EXPECT_EQ(err_.str(), "1000 stations recomputed, 0 failed\n");
  for (const std::string& name : names) all.push_back(ReadBytes(data_.File(name + ".DTA")));
  for (std::size_t n = 0; n < names.size(); ++n) {
    const std::string dta = data_.File(names[n] + ".DTA");
    WriteBytes(dta, originals[n]);
    ASSERT_EQ(Run({"recompute", names[n]}), 0) << err_.str();
    ASSERT_EQ(ReadBytes(dta), all[n]) << names[n];
    ASSERT_NE(all[n], originals[n]);
  }
  AtomicFile::SyncForTesting(true);
  EXPECT_EQ(data_.Names().size(), 2000u);
}

// ---------------------------------------------------------------------------------------------
// crop-files

TEST_F(BatchTest, CropFilesTakeTheBoundaryValuesFromTheOptions) {
  const RepClimateFile station = Station("FAHR", kFahrenheitGaps);
  WriteBytes(output_.File("FAHR.Tmi"), "the user's own");  // no name of the run's
  ASSERT_EQ(Run({"crop-files", "FAHR", "--first-tmin", "41", "--last-tmax", "77", "--first-eto",
                 "2", "--last-eto", "3"}),
            0)
      << err_.str();
  EXPECT_EQ(err_.str(), "");
  EXPECT_EQ(output_.Names(), (std::set<std::string>{"FAHR.ETo", "FAHR.TMP", "FAHR.Tmi"}));
  EXPECT_EQ(ReadBytes(output_.File("FAHR.Tmi")), "the user's own");
  const std::string tmp = ReadBytes(output_.File("FAHR.TMP"));
  EXPECT_EQ(tmp.substr(tmp.find("=======================\r\n") + 25),
            "         5.0        30.0\r\n"
            "        10.0        27.0\r\n"
            "        12.0        25.0\r\n");
  EXPECT_EQ(ReadBytes(station.DtaFileName), kFahrenheitGaps);
}

TEST_F(BatchTest, CropFilesClampAValueWithTheProgramsMessage) {
  Station("FAHR", kFahrenheitGaps);
  ASSERT_EQ(Run({"crop-files", "FAHR", "--first-tmin", "0", "--last-tmax", "77",
                 "--first-eto", "22", "--last-eto", "3"}),
            0);
  EXPECT_EQ(err_.str(),
            "ERROR:\nvalue is larger than Maximum (=  15.000)\n"
            "ERROR:\nvalue is smaller than Minimum (=   5.000)\n");
  const std::string eto = ReadBytes(output_.File("FAHR.ETo"));
  EXPECT_NE(eto.find("=======================\r\n        15.0\r\n"), std::string::npos);
  const std::string tmp = ReadBytes(output_.File("FAHR.TMP"));
  EXPECT_NE(tmp.find("=======================\r\n       -15.0        30.0\r\n"),
            std::string::npos);
}

TEST_F(BatchTest, CropFilesNameTheMissingOptionAndWriteNothing) {
  const RepClimateFile station = Station("FAHR", kFahrenheitGaps);
  EXPECT_EQ(Run({"crop-files", "FAHR", "--first-eto", "2", "--last-eto", "3", "--first-tmin",
                 "41"}),
            kBatchFailed);
  EXPECT_EQ(err_.str(), "ERROR:\nthe Tmax series of " + output_.File("FAHR.TMP") +
                            " ends with missing records: give its last value with --last-tmax\n");
  EXPECT_TRUE(output_.Names().empty());
  EXPECT_EQ(ReadBytes(station.DtaFileName), kFahrenheitGaps);

  EXPECT_EQ(Run({"crop-files", "FAHR"}), kBatchFailed);
  EXPECT_EQ(err_.str(), "ERROR:\nthe ETo series of " + output_.File("FAHR.ETo") +
                            " starts with missing records: give its first value with --first-eto\n");
  EXPECT_EQ(Run({"crop-files", "FAHR", "--first-eto", "two"}), kBatchUsageError);
  EXPECT_EQ(err_.str(), "ERROR:\noption --first-eto needs a number, not \"two\"\n");
  EXPECT_TRUE(output_.Names().empty());
}

TEST_F(BatchTest, CropFilesNeedTminAndTmax) {
  Station("SMALL", "        Nr       101       501\r\n         1      20.0    -999.0\r\n");
  EXPECT_EQ(Run({"crop-files", "SMALL"}), kBatchFailed);
  EXPECT_EQ(err_.str(), "ERROR:\ncannot write the temperature file " + output_.File("SMALL.TMP") +
                            ": the data set has no minimum and maximum air temperature in Celsius "
                            "(codes 103 and 101)\n");
  EXPECT_TRUE(output_.Names().empty());
}

// ---------------------------------------------------------------------------------------------
// The workspace's files

// The report and the crop-model files of the batch are those the workspace exports, to the byte:
// a station in other units, its columns out of order, with gaps inside and at both ends.
TEST_F(BatchTest, ReportAndCropFilesAreTheWorkspacesExports) {
  const std::string dta =
      "        Nr       302       501       111       113       202\r\n"
      "         1    -999.0    -999.0    -999.0    -999.0    -999.0\r\n"
      "         2    172.80    -999.0      86.5      60.1      71.0\r\n"
      "         3    -999.0       3.3      88.0    -999.0      65.0\r\n"
      "         4     86.40    -999.0      84.2      58.6    -999.0\r\n"
      "         5    100.00    -999.0    -999.0    -999.0      80.0\r\n";
  const RepClimateFile station =
      WriteStation(data_.Folder(), "MIXED", kDaily, {30, 12, 2003}, {3, 1, 2004}, dta);
  ASSERT_EQ(Run({"report", "MIXED", "--columns", "nr,date,data,results", "--description", "D"}),
            0)
      << err_.str();
  ASSERT_EQ(Run({"crop-files", "MIXED", "--description", "D", "--first-eto", "1.5", "--last-eto",
                 "0.8", "--first-tmin", "41", "--last-tmin", "50", "--first-tmax", "77",
                 "--last-tmax", "70"}),
            0)
      << err_.str();
  EXPECT_EQ(err_.str(), "");
  EXPECT_EQ(ReadBytes(station.DtaFileName), dta);

  RepClimateFile sorted = station;
  SortParameterCodes(sorted);
  WorkingData working;
  ASSERT_TRUE(LoadWorkingData(sorted, working));
  ScratchFolder workspace;
  const std::pair<OutputKind, const char*> files[] = {{OutputKind::Report, "MIXED.REP"},
                                                      {OutputKind::EToFile, "MIXED.ETo"},
                                                      {OutputKind::TemperatureFile, "MIXED.TMP"}};
  for (const auto& [kind, file] : files) {
    SCOPED_TRACE(file);
    ExportRequest request;
    request.Kind = kind;
    request.OutputFolder = workspace.Folder();
    request.Name = "MIXED";
    request.Description = "D";
    request.Content = ReportContent{true, true, true, true};
    request.Fahrenheit = true;
    request.RewriteDataFile = false;
    request.Boundary = [](const BoundaryRequest& asked) -> std::optional<double> {
      if (asked.Parameter == "ETo") return asked.First ? 1.5 : 0.8;
      if (asked.Parameter == "Tmin") return asked.First ? 41.0 : 50.0;
      return asked.First ? 77.0 : 70.0;
    };
    ASSERT_TRUE(ExportFile(sorted, working, request));
    const std::string exported = ReadBytes(workspace.File(file));
    EXPECT_GT(exported.size(), 150u);
    EXPECT_EQ(ReadBytes(output_.File(file)), exported);
  }
}

}  // namespace
}  // namespace vernoli
