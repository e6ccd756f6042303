#include "workspace/run.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/record.h"
#include "model/atomicfile.h"
#include "model/datafile.h"
#include "model/numbers.h"
#include "model/stationcodes.h"
#include "boundary_answers.h"
#include "station_files.h"
#include "workspace/workingdata.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::WriteBytes;
using test_support::WriteStation;

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

using test_support::Answers;

// ETo of record k of a station from values in standard units, as the engine gives it.
double EngineETo(const RepClimateFile& station, int32_t k, ClimaticRecord record) {
  RecordResults results;
  return ComputeRecord(DayOfYearForRecord(station, k), record, station, results);
}

// ---------------------------------------------------------------------------------------------
// The run and the rewritten data file

class RunTest : public ::testing::Test {
 protected:
  void TearDown() override {
    AtomicFile::InjectDiskFullForTesting("", SIZE_MAX);
    AtomicFile::InjectFailureForTesting(AtomicFile::FailAt::None);
  }
  RepClimateFile Station(const std::string& name, uint8_t type, Date from, Date to,
                         const std::string& dta) {
    RepClimateFile station = WriteStation(data_.Folder(), name, type, from, to, dta);
    SortParameterCodes(station);
    return station;
  }
  RepClimateFile Small() {
    return Station("SMALL", kDaily, {1, 7, 2001}, {3, 7, 2001}, std::string(test_support::kSmallDta));
  }
  RunResult Build(const RepClimateFile& station) {
    RunResult result;
    result.Outcome = LoadWorkingData(station, working_);
    return result;
  }
  ScratchFolder data_;
  ScratchFolder output_;
  WorkingData working_;
};

TEST_F(RunTest, RewritesTheDataFileWithTheComputedETo) {
  const RepClimateFile station = Small();
  ASSERT_TRUE(Build(station));
  const RunResult run = RunCalculation(station, working_);
  ASSERT_TRUE(run) << run.Outcome.Message;
  EXPECT_EQ(run.Records, 3);

  ClimaticRecord first;
  first[Row::Tmax] = 31.2;
  first[Row::Tmin] = 18.4;
  first[Row::RHmax] = 85.0;
  first[Row::RHmin] = 40.0;
  first[Row::Wind] = 2.1;
  first[Row::Sunshine] = 11.3;
  ClimaticRecord third = first;
  third[Row::Tmax] = 29.8;
  third[Row::Tmin] = 17.1;
  third[Row::RHmax] = 90.0;
  third[Row::RHmin] = 45.0;
  third[Row::Wind] = 1.75;
  third[Row::Sunshine] = kMissing;
  EXPECT_EQ(ReadBytes(station.DtaFileName),
            "        Nr       101       103       201       203       301       401       501\r\n"
            "         1      31.2      18.4      85.0      40.0      2.10     11.30" +
                FormatReal(EngineETo(station, 0, first), 10, 1) + "\r\n" +
                "         2    -999.0    -999.0      80.0      35.0      3.40     10.80    -999.0\r\n"
                "         3      29.8      17.1      90.0      45.0      1.75   -999.00" +
                FormatReal(EngineETo(station, 2, third), 10, 1) + "\r\n");
  EXPECT_EQ(data_.Names(), (std::set<std::string>{"SMALL.DSC", "SMALL.DTA"}));
}

// Two years of daily data in degF, mbar, km/day and W/m2 with missing values here and there,
// each value within its plausible range (radiation within that of the shortest day at 41.9 N).
std::string OtherUnitsDta() {
  const int16_t codes[] = {111, 113, 201, 203, 222, 302, 422, 501};
  std::string dta = DataHeaderLine(codes) + "\r\n";
  for (int n = 1; n <= 731; ++n) {
    const double t = n % 97;
    std::vector<double> values{40.3 + 0.7 * t,    32.1 + 0.3 * t,   60.0 + 0.3 * t,
                               20.0 + 0.1 * t,    9.8765 + 0.0123 * t, 43.21 + 3.07 * t,
                               10.17 + 1.03 * t,  -999.0};
    if (n % 13 == 0) values[static_cast<std::size_t>(n % 7)] = -999.0;
    dta += DataRecordLine(n, values, codes) + "\r\n";
  }
  return dta;
}

TEST_F(RunTest, SavingWithoutEditsGivesBackEveryStoredValueInOtherUnits) {
  const std::string dta = OtherUnitsDta();
  const RepClimateFile station = Station("UNITS", kDaily, {1, 1, 2003}, {31, 12, 2004}, dta);
  ASSERT_TRUE(Build(station));
  ASSERT_TRUE(RunCalculation(station, working_));
  const std::vector<std::string> before = SplitLines(dta);
  const std::vector<std::string> after = SplitLines(ReadBytes(station.DtaFileName));
  ASSERT_EQ(after.size(), before.size());
  EXPECT_EQ(after[0], before[0]);
  int computed = 0;
  for (std::size_t i = 1; i < before.size(); ++i) {
    SCOPED_TRACE(before[i]);
    ASSERT_EQ(after[i].size(), before[i].size());
    EXPECT_EQ(after[i].substr(0, 80), before[i].substr(0, 80));  // every column but ETo
    if (after[i].substr(80) != "    -999.0") ++computed;
  }
  EXPECT_GT(computed, 700);
}

// Nothing the reader would refuse reaches the run from a file; the run still writes no number
// that would not read back, whatever its working data hold.
TEST_F(RunTest, RefusesANumberThatDoesNotFitItsFieldBeforeWritingAnything) {
  const RepClimateFile station = Small();
  ASSERT_TRUE(Build(station));
  const std::string before = ReadBytes(station.DtaFileName);
  const struct {
    void (*change)(WorkingData&);
    const char* reason;
  } rows[] = {
      {[](WorkingData& d) { d.Records[1][Row::Tmax] = 1e15; },
       ", line 3, column 2 (Tmax, \xB0" "C): the value 1e+15 does not fit the 10 characters of its "
       "field; nothing was written"},
      {[](WorkingData& d) { d.Records[2][Row::Wind] = 1.7976931348623157e308; },
       ", line 4, column 6 (u(x), m/sec): the value 1.7976931348623157e+308 does not fit the 10 "
       "characters of its field; nothing was written"},
      {[](WorkingData& d) { d.Numbers[0] = INT32_MIN; },
       ", line 2, column 1 (Nr): the record number -2147483648 does not fit the 10 characters of "
       "its field; nothing was written"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.reason);
    WorkingData data = working_;
    row.change(data);
    const RunResult run = RunCalculation(station, data);
    EXPECT_FALSE(run);
    EXPECT_EQ(run.Outcome.Message, "ERROR:\nfile " + station.DtaFileName + row.reason);
    EXPECT_EQ(ReadBytes(station.DtaFileName), before);
    EXPECT_EQ(data_.Names(), (std::set<std::string>{"SMALL.DSC", "SMALL.DTA"}));
  }
}

TEST_F(RunTest, RefusesADataSetWhoseLastColumnIsNotETo) {
  const RepClimateFile station =
      Station("NOETO", kDaily, {1, 1, 2001}, {1, 1, 2001},
              "        Nr       101       103\r\n         1      20.0      10.0\r\n");
  ASSERT_TRUE(Build(station));
  const RunResult run = RunCalculation(station, working_);
  EXPECT_EQ(run.Outcome.Message,
            "ERROR:\nthe last column of file " + station.DtaFileName + " is not ETo (code 501)");
  EXPECT_EQ(ReadBytes(station.DtaFileName),
            "        Nr       101       103\r\n         1      20.0      10.0\r\n");
}

// ---------------------------------------------------------------------------------------------
// Failures part-way through a save leave the old data file exactly as it was

TEST_F(RunTest, WriteFailingAtAnyLineLeavesTheOldDataFile) {
  const std::string dta = OtherUnitsDta();
  const RepClimateFile station = Station("UNITS", kDaily, {1, 1, 2003}, {31, 12, 2004}, dta);
  ASSERT_TRUE(Build(station));
  const std::size_t header = dta.find("\r\n") + 2;
  const std::size_t line = 92;  // I(10) and eight fields of 10, CR LF
  struct Row {
    const char* name;
    std::size_t bytes;
  };
  const Row rows[] = {
      {"the header", 10},
      {"the first line", header},
      {"a middle line", header + 300 * line},
      {"the last line", dta.size() - 1},
      {"disk full inside a line", header + 500 * line + 37},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    AtomicFile::InjectDiskFullForTesting("UNITS.DTA", row.bytes);
    const RunResult run = RunCalculation(station, working_);
    EXPECT_EQ(run.Outcome.Message,
              "ERROR:\ncannot write file " + station.DtaFileName + ": No space left on device");
    EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
    EXPECT_EQ(data_.Names(), (std::set<std::string>{"UNITS.DSC", "UNITS.DTA"}));
  }
  AtomicFile::InjectDiskFullForTesting("", SIZE_MAX);
  for (AtomicFile::FailAt step :
       {AtomicFile::FailAt::Write, AtomicFile::FailAt::Sync, AtomicFile::FailAt::Rename}) {
    AtomicFile::InjectFailureForTesting(step);
    EXPECT_FALSE(RunCalculation(station, working_));
    EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
  }
  // With the disk back, the same run succeeds.
  EXPECT_TRUE(RunCalculation(station, working_));
}

// ---------------------------------------------------------------------------------------------
// The report

TEST_F(RunTest, ReportWithEveryBlock) {
  const RepClimateFile station = Small();
  ASSERT_TRUE(Build(station));
  ExportRequest request;
  request.Kind = OutputKind::Report;
  request.OutputFolder = output_.Folder();
  request.Name = " My File ";
  request.Description = "Alpha report";
  request.Content = ReportContent{true, true, true, true};
  const RunResult run = ExportFile(station, working_, request);
  ASSERT_TRUE(run) << run.Outcome.Message;
  EXPECT_EQ(request.Name, "MyFile");
  EXPECT_EQ(output_.Names(), std::set<std::string>{"MyFile.REP"});

  const std::vector<std::string> lines = SplitLines(ReadBytes(output_.File("MyFile.REP")));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "Alpha report");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2],
            "      Nr     Day   Month    Year        Tmax        Tmin       RHmax       RHmin"
            "        u(x)           n         ETo     e(act)*      e(sat)         u2*          Ra"
            "          n*           N         Rs*         Rnl         Rn*");
  EXPECT_EQ(lines[3], std::string(32, ' ') +
                          "          \xB0" "C          \xB0" "C           %           %"
                          "       m/sec    hour/day      mm/day"
                          "         kPa         kPa       m/sec   MJ/m2.day    hour/day"
                          "    hour/day   MJ/m2.day   MJ/m2.day   MJ/m2.day");
  EXPECT_EQ(lines[4].substr(0, 104),
            "       1       1       7    2001        31.2        18.4        85.0        40.0"
            "        2.10       11.30");
  EXPECT_EQ(lines[5].substr(0, 116),
            "       2       2       7    2001      -999.0      -999.0        80.0        35.0"
            "        3.40       10.80      -999.0");
  EXPECT_EQ(lines[6].substr(0, 104),
            "       3       3       7    2001        29.8        17.1        90.0        45.0"
            "        1.75     -999.00");
  for (std::size_t i = 4; i < 7; ++i) EXPECT_EQ(lines[i].size(), 8u + 24u + 12u * 7u + 108u);
  // The .DTA is rewritten by the same run.
  EXPECT_NE(ReadBytes(station.DtaFileName), test_support::kSmallDta);
}

TEST_F(RunTest, TenDailyReportCountsDecadesFromTheFirstOne) {
  const RepClimateFile station =
      Station("DEC", kTenDaily, {11, 4, 2001}, {10, 5, 2001},
              "        Nr       101       103       501\r\n"
              "         1      20.0      10.0    -999.0\r\n"
              "         2      21.0      11.0    -999.0\r\n"
              "         3      22.0      12.0    -999.0\r\n");
  ASSERT_TRUE(Build(station));
  ExportRequest request;
  request.OutputFolder = output_.Folder();
  request.Name = "DEC";
  request.Description = "Decades";
  request.Content = ReportContent{false, true, false, true};
  ASSERT_TRUE(ExportFile(station, working_, request));
  const std::vector<std::string> lines = SplitLines(ReadBytes(output_.File("DEC.REP")));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[2].substr(0, 24), "  Decade   Month    Year");
  EXPECT_EQ(lines[4].substr(0, 24), "       2       4    2001");
  EXPECT_EQ(lines[5].substr(0, 24), "       3       4    2001");
  EXPECT_EQ(lines[6].substr(0, 24), "       1       5    2001");
  EXPECT_EQ(lines[6].size(), 24u + 108u);
}

TEST_F(RunTest, DailyReportOfALeapYearListsTheTwentyNinthOfFebruary) {
  const RepClimateFile station =
      Station("LEAP", kDaily, {28, 2, 2004}, {1, 3, 2004},
              "        Nr       101       501\r\n"
              "         1      20.0    -999.0\r\n"
              "         2      21.0    -999.0\r\n"
              "         3      22.0    -999.0\r\n");
  ASSERT_TRUE(Build(station));
  ExportRequest request;
  request.OutputFolder = output_.Folder();
  request.Name = "LEAP";
  request.Description = "Leap";
  ASSERT_TRUE(ExportFile(station, working_, request));
  EXPECT_EQ(ReadBytes(output_.File("LEAP.REP")),
            "Leap\r\n"
            "\r\n"
            "     Day   Month    Year        Tmax         ETo\r\n"
            "                                  \xB0" "C      mm/day\r\n"
            "      28       2    2004        20.0      -999.0\r\n"
            "      29       2    2004        21.0      -999.0\r\n"
            "       1       3    2004        22.0      -999.0\r\n");
}

TEST_F(RunTest, ReportNameMustBeGiven) {
  const RepClimateFile station = Small();
  ASSERT_TRUE(Build(station));
  ExportRequest request;
  request.OutputFolder = output_.Folder();
  request.Name = "   ";
  const RunResult run = ExportFile(station, working_, request);
  EXPECT_TRUE(run.NameRefused);
  EXPECT_EQ(run.Outcome.Message, "ERROR:\nFileName is not yet specified");
  EXPECT_EQ(ReadBytes(station.DtaFileName), test_support::kSmallDta);
}

TEST_F(RunTest, FailedReportLeavesTheDataFile) {
  const RepClimateFile station = Small();
  ASSERT_TRUE(Build(station));
  ExportRequest request;
  request.OutputFolder = output_.Folder();
  request.Name = "R";
  AtomicFile::InjectDiskFullForTesting("R.REP", 400);
  RunResult run = ExportFile(station, working_, request);
  EXPECT_EQ(run.Outcome.Message,
            "ERROR:\ncannot write file " + output_.File("R.REP") + ": No space left on device");
  EXPECT_EQ(ReadBytes(station.DtaFileName), test_support::kSmallDta);
  // The name check leaves no stub behind: no report at all rather than a broken one.
  EXPECT_TRUE(output_.Names().empty());
  // An older report of that name stays whole.
  test_support::WriteBytes(output_.File("R.REP"), "an older report\r\n");
  run = ExportFile(station, working_, request);
  EXPECT_EQ(run.Outcome.Message,
            "ERROR:\ncannot write file " + output_.File("R.REP") + ": No space left on device");
  EXPECT_EQ(ReadBytes(output_.File("R.REP")), "an older report\r\n");
}

// ---------------------------------------------------------------------------------------------
// The crop-model files

TEST_F(RunTest, EToFileFillsItsGaps) {
  // Records 1, 2 and 4 have no data at all, so no ETo; the series ends with a value.
  const RepClimateFile station =
      Station("GAPS", kDaily, {1, 7, 2001}, {5, 7, 2001},
              "        Nr       101       103       501\r\n"
              "         1    -999.0    -999.0    -999.0\r\n"
              "         2    -999.0    -999.0    -999.0\r\n"
              "         3      30.0      16.0    -999.0\r\n"
              "         4    -999.0    -999.0    -999.0\r\n"
              "         5      28.0      14.0    -999.0\r\n");
  ASSERT_TRUE(Build(station));
  ClimaticRecord third;
  third[Row::Tmax] = 30.0;
  third[Row::Tmin] = 16.0;
  ClimaticRecord fifth;
  fifth[Row::Tmax] = 28.0;
  fifth[Row::Tmin] = 14.0;
  const double e3 = EngineETo(station, 2, third);
  const double e5 = EngineETo(station, 4, fifth);

  Answers answers;
  answers.values = {2.0};
  ExportRequest request;
  request.Kind = OutputKind::EToFile;
  request.OutputFolder = output_.Folder();
  request.Name = "GAPS";
  request.Description = "Alpha ETo";
  request.Boundary = answers.Source();
  ASSERT_TRUE(ExportFile(station, working_, request));
  ASSERT_EQ(answers.asked.size(), 1u);
  EXPECT_EQ(answers.asked[0].Parameter, "ETo");
  EXPECT_TRUE(answers.asked[0].First);
  EXPECT_TRUE(answers.asked[0].Celsius);
  EXPECT_EQ(ReadBytes(output_.File("GAPS.ETo")),
            "Alpha ETo\r\n"
            "     1  : Daily records (1=daily, 2=10-daily and 3=monthly data)\r\n"
            "     1  : First day of record (1, 11 or 21 for 10-day or 1 for months)\r\n"
            "     7  : First month of record\r\n"
            "  2001  : First year of record (1901 if not linked to a specific year)\r\n"
            "\r\n"
            "  Average ETo (mm/day)\r\n"
            "=======================\r\n"
            "         2.0\r\n" +
                FormatReal(2.0 + (e3 - 2.0) / 2.0, 12, 1) + "\r\n" + FormatReal(e3, 12, 1) +
                "\r\n" + FormatReal(e3 + (e5 - e3) / 2.0, 12, 1) + "\r\n" + FormatReal(e5, 12, 1) +
                "\r\n");
}

TEST_F(RunTest, CancelledEToRequestWritesNothing) {
  const RepClimateFile station =
      Station("GAPS", kDaily, {1, 7, 2001}, {2, 7, 2001},
              "        Nr       101       103       501\r\n"
              "         1      30.0      16.0    -999.0\r\n"
              "         2    -999.0    -999.0    -999.0\r\n");
  ASSERT_TRUE(Build(station));
  const std::string dta = ReadBytes(station.DtaFileName);
  Answers cancel;
  ExportRequest request;
  request.Kind = OutputKind::EToFile;
  request.OutputFolder = output_.Folder();
  request.Name = "GAPS";
  request.Boundary = cancel.Source();
  const RunResult run = ExportFile(station, working_, request);
  EXPECT_TRUE(run.Cancelled);
  EXPECT_FALSE(run);
  ASSERT_EQ(cancel.asked.size(), 1u);
  EXPECT_FALSE(cancel.asked[0].First);
  EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
  EXPECT_TRUE(output_.Names().empty());
}

const std::string kFahrenheitDta =
    "        Nr       111       113       501\r\n"
    "         1      86.0    -999.0    -999.0\r\n"
    "         2      80.6      50.0    -999.0\r\n"
    "         3    -999.0      53.6    -999.0\r\n";

TEST_F(RunTest, TemperatureFileInDegreesCelsiusFromFahrenheitData) {
  const RepClimateFile station = Station("FAHR", kDaily, {1, 7, 2001}, {3, 7, 2001}, kFahrenheitDta);
  ASSERT_TRUE(Build(station));
  Answers answers;
  answers.values = {41.0, 77.0};  // first Tmin, last Tmax, in degF
  ExportRequest request;
  request.Kind = OutputKind::TemperatureFile;
  request.OutputFolder = output_.Folder();
  request.Name = "FAHR";
  request.Description = "Alpha temperatures";
  request.Boundary = answers.Source();
  request.Fahrenheit = true;
  const RunResult run = ExportFile(station, working_, request);
  ASSERT_TRUE(run) << run.Outcome.Message;
  ASSERT_EQ(answers.asked.size(), 2u);
  EXPECT_EQ(answers.asked[0].Parameter, "Tmin");
  EXPECT_TRUE(answers.asked[0].First);
  EXPECT_FALSE(answers.asked[0].Celsius);
  EXPECT_EQ(answers.asked[1].Parameter, "Tmax");
  EXPECT_FALSE(answers.asked[1].First);
  EXPECT_EQ(ReadBytes(output_.File("FAHR.TMP")),
            "Alpha temperatures\r\n"
            "     1  : Daily records (1=daily, 2=10-daily and 3=monthly data)\r\n"
            "     1  : First day of record (1, 11 or 21 for 10-day or 1 for months)\r\n"
            "     7  : First month of record\r\n"
            "  2001  : First year of record (1901 if not linked to a specific year)\r\n"
            "\r\n"
            "  Tmin (C)   TMax (C)\r\n"
            "=======================\r\n"
            "         5.0        30.0\r\n"
            "        10.0        27.0\r\n"
            "        12.0        25.0\r\n");
  // The scratch file is gone.
  EXPECT_EQ(output_.Names(), std::set<std::string>{"FAHR.TMP"});
}

// An interpolated temperature half-way at its last decimal is rounded as by hand, away from
// zero: 2.25 is 2.3 and -1.25 is -1.3 (not the even digit).
TEST_F(RunTest, TemperatureFileRoundsInterpolatedHalvesAwayFromZero) {
  const RepClimateFile station =
      Station("HALF", kDaily, {1, 7, 2001}, {5, 7, 2001},
              "        Nr       101       103       501\r\n"
              "         1      -1.0       2.0    -999.0\r\n"
              "         2    -999.0    -999.0    -999.0\r\n"
              "         3      -1.5       2.5    -999.0\r\n"
              "         4    -999.0    -999.0    -999.0\r\n"
              "         5       0.0      -0.5    -999.0\r\n");
  ASSERT_TRUE(Build(station));
  ExportRequest request;
  request.Kind = OutputKind::TemperatureFile;
  request.OutputFolder = output_.Folder();
  request.Name = "HALF";
  request.Description = "halves";
  const RunResult run = ExportFile(station, working_, request);
  ASSERT_TRUE(run) << run.Outcome.Message;
  const std::string file = ReadBytes(output_.File("HALF.TMP"));
  EXPECT_EQ(file.substr(file.find("=\r\n") + 3),
            "         2.0        -1.0\r\n"
            "         2.3        -1.3\r\n"
            "         2.5        -1.5\r\n"
            "         1.0        -0.8\r\n"
            "        -0.5         0.0\r\n");
}

TEST_F(RunTest, CancelledTemperatureRequestRemovesTheScratchFile) {
  const RepClimateFile station = Station("FAHR", kDaily, {1, 7, 2001}, {3, 7, 2001}, kFahrenheitDta);
  ASSERT_TRUE(Build(station));
  for (std::size_t given : {0, 1}) {  // cancel at the first Tmin, then at the last Tmax
    SCOPED_TRACE(given);
    Answers answers;
    if (given == 1) answers.values = {41.0};
    ExportRequest request;
    request.Kind = OutputKind::TemperatureFile;
    request.OutputFolder = output_.Folder();
    request.Name = "FAHR";
    request.Boundary = answers.Source();
    request.Fahrenheit = true;
    EXPECT_TRUE(ExportFile(station, working_, request).Cancelled);
    EXPECT_TRUE(output_.Names().empty());
  }
}

TEST_F(RunTest, TemperatureFileWithoutTminAndTmaxIsRefusedBeforeAnythingIsWritten) {
  const std::string dta =
      "        Nr       101       103       211       501\r\n"
      "         1      30.0      16.0      50.0    -999.0\r\n";
  const RepClimateFile station = Station("MIXED", kDaily, {1, 7, 2001}, {1, 7, 2001}, dta);
  ASSERT_TRUE(Build(station));
  ExportRequest request;
  request.Kind = OutputKind::TemperatureFile;
  request.OutputFolder = output_.Folder();
  request.Name = "MIXED";
  request.Fahrenheit = TemperaturesInFahrenheit(StationCodes(station));  // Tdew in degF
  const RunResult run = ExportFile(station, working_, request);
  EXPECT_EQ(run.Outcome.Message, "ERROR:\ncannot write the temperature file " +
                                     output_.File("MIXED.TMP") +
                                     ": the data set has no minimum and maximum air temperature "
                                     "in Fahrenheit (codes 113 and 111)");
  EXPECT_TRUE(output_.Names().empty());
  EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
}

}  // namespace
}  // namespace vernoli

namespace vernoli {
namespace {

// ---------------------------------------------------------------------------------------------
// The run straight over the data file

// Recomputing straight from the .DTA gives the bytes of the run over the working data, whatever
// the units, the column order, the missing values and the oddities of a hand-edited file.
TEST_F(RunTest, RecomputeFromTheDataFileGivesTheBytesOfTheRunOverTheWorkingData) {
  struct Row {
    const char* name;
    uint8_t type;
    Date from, to;
    std::string dta;
  };
  const Row rows[] = {
      {"standard units with gaps", kDaily, {1, 7, 2001}, {3, 7, 2001},
       std::string(test_support::kSmallDta)},
      {"Fahrenheit, mbar, km/day and W/m2, ETo in the middle", kDaily, {30, 12, 2003}, {2, 1, 2004},
       "        Nr       111       501       113       222       302       422\r\n"
       "         1      88.1    -999.0      60.3   21.5000    172.80    100.00\r\n"
       "         2    -999.0       3.2      58.0 -999.0000    -999.0    -999.0\r\n"
       "         3      86.0    -999.0    -999.0   19.0000     86.40    110.50\r\n"
       "         4      77.0    -999.0      50.0   17.2500      0.00      0.00\r\n"},
      {"psi, knots, J/cm2 and mm/day radiation, 10-daily", kTenDaily, {11, 5, 1999}, {1, 6, 1999},
       "        Nr       101       103       223       303       423       434       501\r\n"
       "         1      25.0      12.0    0.1800      3.00   2100.00      3.10    -999.0\r\n"
       "         2      26.0      13.0 -999.0000      4.00   -999.00      3.40    -999.0\r\n"
       "         3      27.0    -999.0    0.2000   -999.00   2300.00   -999.00    -999.0\r\n"},
      {"monthly, not linked, dew point, bulbs and relative sunshine", kMonthly, {1, 1, 1901},
       {1, 3, 1901},
       "        Nr       102       210       231       232       402       501\r\n"
       "         1       5.0      -1.0       6.0       4.0      0.35    -999.0\r\n"
       "         2       7.5    -999.0       8.0       5.5      0.42    -999.0\r\n"
       "         3    -999.0       3.0    -999.0    -999.0   -999.00    -999.0\r\n"},
      {"hand-edited: LF ends, blank line, odd spacing, extra decimals, near-missing, exponent",
       kDaily, {1, 7, 2001}, {4, 7, 2001},
       "        Nr       101       111       224       203       501\n"
       "1 31.25 -999 0.0190 40 -999\n"
       "\n"
       "  2   -999.3   86.0   2.5e-2   35.04   7\n"
       "3 29.8 84.2 -999.0 -998.6 -999.0\n"
       "4 +30.0 -999.0 .02 45 -999.0"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const RepClimateFile station = Station("S", row.type, row.from, row.to, row.dta);
    ASSERT_TRUE(LoadWorkingData(station, working_));
    const RunResult throughWorkingData = RunCalculation(station, working_);
    ASSERT_TRUE(throughWorkingData) << throughWorkingData.Outcome.Message;
    const std::string expected = ReadBytes(station.DtaFileName);

    WriteBytes(station.DtaFileName, row.dta);
    const RunResult straight = RecomputeDataFile(station);
    ASSERT_TRUE(straight) << straight.Outcome.Message;
    EXPECT_EQ(straight.Records, throughWorkingData.Records);
    EXPECT_EQ(ReadBytes(station.DtaFileName), expected);
  }
}

TEST_F(RunTest, RecomputeFromTheDataFileRefusesWhatTheWorkingDataRefuse) {
  const std::string unknownCode = "        Nr       101       999       501\r\n"
                                  "         1      20.0       1.0    -999.0\r\n";
  const std::string shortLine = "        Nr       101       501\r\n         1      20.0\r\n";
  // A value far beyond its plausible range: once converted it would be no number at all.
  const std::string huge = "        Nr       101       224       501\r\n"
                           "         1      20.0     1e308    -999.0\r\n";
  for (const std::string& dta : {unknownCode, shortLine, huge}) {
    const RepClimateFile station = Station("S", kDaily, {1, 7, 2001}, {1, 7, 2001}, dta);
    const Status working = LoadWorkingData(station, working_);
    const RunResult straight = RecomputeDataFile(station);
    EXPECT_FALSE(straight);
    EXPECT_EQ(straight.Outcome.Message, working.Message);
    EXPECT_EQ(ReadBytes(station.DtaFileName), dta);
  }
}

}  // namespace
}  // namespace vernoli
