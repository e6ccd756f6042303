#include "workspace/workingfile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "model/stationcodes.h"
#include "station_files.h"
#include "workspace/run.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::WriteBytes;
using test_support::WriteStation;

// n missing fields of the working file.
std::string Missing(int n) {
  std::string fields;
  for (int i = 0; i < n; ++i) fields += "  -999.000";
  return fields;
}

const std::string kHeader =
    "        Nr       101       102       103       111       112       113       201       202"
    "       203       210       211       221       222       223       224       225       231"
    "       232       233       234       301       302       303       304       401       402"
    "       421       422       423       424       425       431       432       433       434"
    "       435       501";

class WorkingFileTest : public ::testing::Test {
 protected:
  void TearDown() override { AtomicFile::InjectDiskFullForTesting("", SIZE_MAX); }
  ScratchFolder folder_;
  std::string working_ = folder_.File("FullSet.TMP");
};

// ---------------------------------------------------------------------------------------------
// Layout, typed from the layout

TEST(WorkingFileLayout, HeaderListsTheWholeParameterTable) {
  EXPECT_EQ(WorkingFileHeaderLine(), kHeader);
}

TEST(WorkingFileLayout, ValuesKeepFullPrecisionInFieldsOfTenOrMore) {
  struct Row {
    const char* name;
    double value;
    const char* field;
  };
  const Row rows[] = {
      {"one decimal", 12.3, "      12.3"},
      {"whole number", 85.0, "        85"},
      {"zero", 0.0, "         0"},
      {"negative", -4.25, "     -4.25"},
      {"vapour pressure", 2.2501, "    2.2501"},
      {"nine characters", 123.45678, " 123.45678"},
      {"longer than the field", 31.388888888888889, " 31.38888888888889"},
      {"sum that is no short decimal", 0.1 + 0.2, " 0.30000000000000004"},
      {"large", 100000.0, "    100000"},
      {"absurdly large", 1e300, "    1e+300"},
      {"missing", -999.0, "  -999.000"},
      {"rounds to missing", -999.4, "  -999.000"},
      {"rounds past missing", -999.5, "    -999.5"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string field;
    AppendWorkingValue(field, row.value);
    EXPECT_EQ(field, row.field);
  }
}

TEST(WorkingFileLayout, EveryValueReadsBackAsTheSameDouble) {
  const double values[] = {31.388888888888889, 0.1 + 0.2, 1.0 / 3.0, 2.2501 * 0.1, -17.77777777777778,
                           172.8 / 86.4, 250.0 * 0.0864, 1e-7, 6.02e23};
  ClimaticRecord record;
  for (int i = 0; i < static_cast<int>(std::size(values)); ++i) record[i + 1] = values[i];
  int32_t number = 0;
  ClimaticRecord read;
  ASSERT_TRUE(ParseWorkingRecord(WorkingRecordLine(7, record), "W", 2, number, read).Ok);
  EXPECT_EQ(number, 7);
  for (int row = 1; row <= kParameterCount; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(read[row], record[row]);  // exactly
  }
}

TEST(WorkingFileLayout, ParsingAShortOrBadLineNamesTheFileAndLine) {
  int32_t number = 0;
  ClimaticRecord record;
  std::string line = "         4" + Missing(36);
  Status status = ParseWorkingRecord(line, "W.TMP", 5, number, record);
  EXPECT_EQ(status.Message, "ERROR:\ntoo few values in file W.TMP, line 5");
  line = "         4" + Missing(20) + "      abc" + Missing(16);
  status = ParseWorkingRecord(line, "W.TMP", 5, number, record);
  EXPECT_EQ(status.Message, "ERROR:\ncannot read a number in file W.TMP, line 5");
  status = ParseWorkingRecord("", "W.TMP", 9, number, record);
  EXPECT_EQ(status.Message, "ERROR:\ntoo few values in file W.TMP, line 9");
  EXPECT_EQ(number, 0);
}

// ---------------------------------------------------------------------------------------------
// Building

TEST_F(WorkingFileTest, BuildPutsEachValueInItsColumn) {
  const RepClimateFile station = WriteStation(folder_.Folder(), "SMALL", kDaily, {1, 7, 2001},
                                              {3, 7, 2001}, test_support::kSmallDta);
  ASSERT_TRUE(BuildWorkingFile(station, working_).Ok);
  EXPECT_EQ(ReadBytes(working_),
            kHeader + "\r\n" +
                "         1      31.2" + Missing(1) + "      18.4" + Missing(3) + "        85" +
                Missing(1) + "        40" + Missing(11) + "       2.1" + Missing(3) +
                "      11.3" + Missing(12) + "\r\n" +
                "         2" + Missing(6) + "        80" + Missing(1) + "        35" + Missing(11) +
                "       3.4" + Missing(3) + "      10.8" + Missing(12) + "\r\n" +
                "         3      29.8" + Missing(1) + "      17.1" + Missing(3) + "        90" +
                Missing(1) + "        45" + Missing(11) + "      1.75" + Missing(16) + "\r\n");
}

TEST_F(WorkingFileTest, BuildConvertsOtherUnitsIntoTheStandardColumns) {
  const RepClimateFile station = WriteStation(
      folder_.Folder(), "FAHR", kDaily, {1, 1, 2001}, {1, 1, 2001},
      "        Nr       111       113       222       302       422       501\r\n"
      "         1      88.5      60.1   22.5013    172.80    250.00    -999.0\r\n");
  ASSERT_TRUE(BuildWorkingFile(station, working_).Ok);
  WorkingFileReader reader;
  ASSERT_TRUE(reader.Open(working_).Ok);
  int32_t number = 0;
  ClimaticRecord record;
  ASSERT_TRUE(reader.Next(number, record));
  EXPECT_EQ(record[Row::Tmax], ToStandardUnit(111, 88.5));
  EXPECT_EQ(record[Row::Tmin], ToStandardUnit(113, 60.1));
  EXPECT_EQ(record[Row::Eact], ToStandardUnit(222, 22.5013));
  EXPECT_EQ(record[Row::Wind], ToStandardUnit(302, 172.80));
  EXPECT_EQ(record[Row::Rs], ToStandardUnit(422, 250.0));
  for (int row : {Row::TmaxF, Row::TminF, 13, 22, 28, Row::ETo}) {
    SCOPED_TRACE(row);
    EXPECT_EQ(record[row], kMissing);
  }
  EXPECT_FALSE(reader.Next(number, record));
  EXPECT_TRUE(reader.status().Ok);
}

TEST_F(WorkingFileTest, BuildRefusesAShortRecordNamingFileAndLine) {
  const RepClimateFile station = WriteStation(
      folder_.Folder(), "SHORT", kDaily, {1, 1, 2001}, {2, 1, 2001},
      "        Nr       101       501\r\n"
      "         1      20.0    -999.0\r\n"
      "         2      20.0\r\n");
  const Status status = BuildWorkingFile(station, working_);
  EXPECT_EQ(status.Message, "ERROR:\ntoo few values in file " + station.DtaFileName + ", line 3");
  EXPECT_EQ(folder_.Names(), (std::set<std::string>{"SHORT.DSC", "SHORT.DTA"}));
}

TEST_F(WorkingFileTest, BuildRefusesACodeOutsideTheParameterTable) {
  const RepClimateFile station = WriteStation(folder_.Folder(), "ODD", kDaily, {1, 1, 2001},
                                              {1, 1, 2001},
                                              "        Nr       101       999       501\r\n"
                                              "         1      20.0       1.0    -999.0\r\n");
  EXPECT_EQ(BuildWorkingFile(station, working_).Message,
            "ERROR:\nunknown parameter code 999 in file " + station.DtaFileName + ", line 1");
}

TEST_F(WorkingFileTest, FailedBuildLeavesTheOldWorkingFile) {
  const RepClimateFile station = WriteStation(folder_.Folder(), "SMALL", kDaily, {1, 7, 2001},
                                              {3, 7, 2001}, test_support::kSmallDta);
  WriteBytes(working_, "old");
  AtomicFile::InjectDiskFullForTesting("FullSet.TMP", 600);
  const Status status = BuildWorkingFile(station, working_);
  EXPECT_EQ(status.Message, "ERROR:\ncannot write file " + working_);
  EXPECT_EQ(ReadBytes(working_), "old");
  EXPECT_EQ(folder_.Names(), (std::set<std::string>{"SMALL.DSC", "SMALL.DTA", "FullSet.TMP"}));
}

TEST_F(WorkingFileTest, ReaderRefusesAFileThatIsNoWorkingFile) {
  WriteBytes(working_, "        Nr       101       501\r\n");
  WorkingFileReader reader;
  EXPECT_EQ(reader.Open(working_).Message,
            "ERROR:\nfile " + working_ + " is no working file: unexpected header at line 1");
}

// ---------------------------------------------------------------------------------------------
// Writing back

class WriteBackTest : public WorkingFileTest {
 protected:
  void SetUp() override {
    // Four records; the wind column is hidden from the grid below.
    ClimaticRecord record;
    std::string bytes = kHeader + "\r\n";
    for (int32_t n = 1; n <= 4; ++n) {
      record[Row::Tmax] = 20.0 + n;
      record[Row::Tmin] = 10.0 + n;
      record[Row::Wind] = 1.5 * n;
      bytes += WorkingRecordLine(n, record) + "\r\n";
    }
    WriteBytes(working_, bytes);
    original_ = bytes;
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    const std::string bytes = ReadBytes(working_);
    for (std::size_t start = 0; start < bytes.size();) {
      const std::size_t end = bytes.find("\r\n", start);
      lines.push_back(bytes.substr(start, end - start));
      start = end + 2;
    }
    return lines;
  }
  ClimaticRecord Record(int line) const {
    int32_t number = 0;
    ClimaticRecord record;
    EXPECT_TRUE(ParseWorkingRecord(Lines()[static_cast<std::size_t>(line)], working_, line + 1,
                                   number, record)
                    .Ok);
    return record;
  }
  std::string original_;
  // The grid shows Tmax and Tmin in degF, and ETo.
  const std::vector<int16_t> codes_{111, 113, 501};
};

TEST_F(WriteBackTest, StoresTheVisibleCellsInStandardUnits) {
  const GridColumns cells = {{"  50.0", "  32.0", "   4.1"}, {"", "bad", "      "}};
  ASSERT_TRUE(WriteBackVisibleRecords(working_, codes_, 2, 3, cells).Ok);
  const std::vector<std::string> before = [this] {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < original_.size();) {
      const std::size_t end = original_.find("\r\n", start);
      lines.push_back(original_.substr(start, end - start));
      start = end + 2;
    }
    return lines;
  }();
  const std::vector<std::string> after = Lines();
  ASSERT_EQ(after.size(), 5u);
  // Header and the records outside the visible range are copied unchanged.
  EXPECT_EQ(after[0], before[0]);
  EXPECT_EQ(after[1], before[1]);
  EXPECT_EQ(after[4], before[4]);

  const ClimaticRecord second = Record(2);
  EXPECT_DOUBLE_EQ(second[Row::Tmax], 10.0);
  EXPECT_DOUBLE_EQ(second[Row::Tmin], 0.0);
  EXPECT_DOUBLE_EQ(second[Row::ETo], 4.1);   // the ETo row goes to row 37
  EXPECT_DOUBLE_EQ(second[Row::Wind], 3.0);  // not in the grid: kept
  const ClimaticRecord third = Record(3);
  EXPECT_EQ(third[Row::Tmax], kMissing);  // empty cell
  EXPECT_DOUBLE_EQ(third[Row::Tmin], ToStandardUnit(113, 0.0));  // no number counts as 0
  EXPECT_EQ(third[Row::ETo], kMissing);
  EXPECT_EQ(third[Row::TmaxF], kMissing);  // the degF columns stay empty
  EXPECT_DOUBLE_EQ(third[Row::Wind], 4.5);
}

TEST_F(WriteBackTest, WritingBackWhatTheFileHoldsChangesNoByte) {
  const std::vector<int16_t> codes{101, 103, 301};
  const GridColumns cells = {{"21.0", "11.0", "1.50"}, {"22", "12", "3"}};
  ASSERT_TRUE(WriteBackVisibleRecords(working_, codes, 1, 2, cells).Ok);
  EXPECT_EQ(ReadBytes(working_), original_);
}

TEST_F(WriteBackTest, RecordsBeyondTheEndOfTheFileAreAdded) {
  const GridColumns cells = {{"50.0", "", ""}, {"68.0", "", ""}, {"86.0", "", ""}};
  ASSERT_TRUE(WriteBackVisibleRecords(working_, codes_, 4, 6, cells).Ok);
  const std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[5], "         5        20" + Missing(36));
  EXPECT_EQ(lines[6], "         6        30" + Missing(36));
}

TEST_F(WriteBackTest, FailureAnywhereLeavesTheOldWorkingFile) {
  const GridColumns cells = {{"50.0", "32.0", ""}};
  const std::size_t line = original_.find("\r\n") + 2;
  for (std::size_t bytes : {std::size_t{0}, line, 3 * line, original_.size() - 1}) {
    SCOPED_TRACE(bytes);
    AtomicFile::InjectDiskFullForTesting("FullSet.TMP", bytes);
    EXPECT_EQ(WriteBackVisibleRecords(working_, codes_, 1, 1, cells).Message,
              "ERROR:\ncannot write file " + working_);
    EXPECT_EQ(ReadBytes(working_), original_);
    EXPECT_EQ(folder_.Names(), std::set<std::string>{"FullSet.TMP"});
  }
}

TEST_F(WriteBackTest, BadLineInTheVisibleRangeIsRefusedNamingIt) {
  WriteBytes(working_, original_ + "         5      20.0\r\n");
  const GridColumns cells = {{"50.0", "32.0", ""}};
  EXPECT_EQ(WriteBackVisibleRecords(working_, codes_, 5, 5, cells).Message,
            "ERROR:\ntoo few values in file " + working_ + ", line 6");
  EXPECT_EQ(ReadBytes(working_), original_ + "         5      20.0\r\n");
}

TEST_F(WriteBackTest, AnUnchangedPageLeavesTheFileItselfAlone) {
  struct stat before {};
  ASSERT_EQ(::stat(working_.c_str(), &before), 0);
  const GridColumns cells = {{"21.0", "11.0", "1.50"}};
  ASSERT_TRUE(WriteBackVisibleRecords(working_, std::vector<int16_t>{101, 103, 301}, 1, 1, cells).Ok);
  struct stat after {};
  ASSERT_EQ(::stat(working_.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);  // not replaced by a new file
}

TEST_F(WriteBackTest, LongFileKeepsEveryOtherLineByteForByte) {
  // Some 3 MB, beyond many read buffers; the page sits in the middle.
  std::string bytes = WorkingFileHeaderLine() + "\r\n";
  std::vector<std::string> lines{WorkingFileHeaderLine()};
  for (int32_t n = 1; n <= 8000; ++n) {
    ClimaticRecord record;
    record[Row::Tmax] = 20.0 + n / 1000.0;
    record[Row::Wind] = 0.1 * (n % 50);
    lines.push_back(WorkingRecordLine(n, record));
    bytes += lines.back() + "\r\n";
  }
  WriteBytes(working_, bytes);
  const GridColumns cells = {{"30.5"}, {""}};
  ASSERT_TRUE(WriteBackVisibleRecords(working_, std::vector<int16_t>{101}, 4000, 4001, cells).Ok);
  const std::vector<std::string> after = Lines();
  ASSERT_EQ(after.size(), lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i == 4000 || i == 4001) continue;
    ASSERT_EQ(after[i], lines[i]) << "line " << i + 1;
  }
  EXPECT_EQ(Record(4000)[Row::Tmax], 30.5);
  EXPECT_EQ(Record(4001)[Row::Tmax], kMissing);
  EXPECT_EQ(Record(4001)[Row::Wind], 0.1 * (4001 % 50));
}

TEST_F(WriteBackTest, PageBeyondTheEndOfTheFileFillsTheRecordsBetween) {
  const GridColumns cells = {{"50.0", "", ""}};
  ASSERT_TRUE(WriteBackVisibleRecords(working_, codes_, 7, 7, cells).Ok);
  const std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(ReadBytes(working_).substr(0, original_.size()), original_);
  EXPECT_EQ(lines[5], "         5" + Missing(37));
  EXPECT_EQ(lines[6], "         6" + Missing(37));
  EXPECT_EQ(lines[7], "         7        10" + Missing(36));
}

TEST(WorkingFileLayout, ValueFieldIsTheShortestRoundTripText) {
  // Values with few decimals, as a .DTA gives them, and values that conversions give.
  std::vector<double> values;
  for (int k = -200000; k <= 200000; k += 7) values.push_back(k / 1000.0);
  for (int k = 1; k <= 50000; k += 3) values.push_back(k / 10000.0);
  for (int k = 1; k <= 20000; ++k) values.push_back(ToStandardUnit(112, k / 10.0));
  for (double v : {0.1, 0.0001, 0.00005, 123456789.5, 999999999.9999, 1e9, 1e-7, 3e15}) {
    values.push_back(v);
    values.push_back(-v);
  }
  for (double value : values) {
    if (IsMissing(value)) continue;
    std::string field;
    AppendWorkingValue(field, value);
    char text[64];
    std::to_chars_result shortest =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    const std::string expected(text, shortest.ptr);
    const std::string_view trimmed = std::string_view(field).substr(field.find_first_not_of(' '));
    ASSERT_EQ(trimmed, expected) << value;
    ASSERT_EQ(field.size(), std::max<std::size_t>(10, expected.size() + 1)) << value;
  }
}

}  // namespace
}  // namespace vernoli

namespace vernoli {
namespace {

// The workspace keeps its working data in memory; loaded, written back and run, they must give
// what the working file gives, to the byte.
TEST_F(WorkingFileTest, WorkingDataInMemoryAgreeWithTheWorkingFile) {
  RepClimateFile station = WriteStation(
      folder_.Folder(), "FAHR", kDaily, {1, 1, 2001}, {3, 1, 2001},
      "        Nr       111       113       222       302       422       501\r\n"
      "         1      88.5      60.1   22.5013    172.80    250.00    -999.0\r\n"
      "         2    -999.0      59.9    1.0E99    -999.0    -999.0      3.1\r\n"
      "         3      91.3    -999.0   21.0007     80.64    199.50    -999.0\r\n");
  ASSERT_TRUE(BuildWorkingFile(station, working_).Ok);
  WorkingData data;
  ASSERT_TRUE(LoadWorkingData(station, data).Ok);
  const auto agree = [&] {
    WorkingFileReader reader;
    ASSERT_TRUE(reader.Open(working_).Ok);
    int32_t number = 0;
    ClimaticRecord record;
    for (std::size_t i = 0; i < data.Records.size(); ++i) {
      ASSERT_TRUE(reader.Next(number, record));
      EXPECT_EQ(number, data.Numbers[i]);
      EXPECT_EQ(WorkingRecordLine(number, record), WorkingRecordLine(number, data.Records[i]));
    }
    EXPECT_FALSE(reader.Next(number, record));
  };
  ASSERT_EQ(data.Records.size(), 3u);
  agree();

  // Records 2..5: two of them beyond the end; the vapour pressure cell is no number.
  const std::vector<int16_t> codes{111, 113, 222, 501};
  const GridColumns cells = {{"50.0", "", "x", "2.0"}, {"", "41.0", "", ""}, {"", "", "", ""},
                             {"77.7", "", "", ""}};
  ASSERT_TRUE(WriteBackVisibleRecords(working_, codes, 2, 5, cells).Ok);
  WriteBackVisibleRecords(data, codes, 2, 5, cells);
  ASSERT_EQ(data.Records.size(), 5u);
  agree();

  SortParameterCodes(station);
  station.NumberOfRecords = 5;
  const RepClimateFile fromFile = station;
  ASSERT_TRUE(RunCalculation(fromFile, working_).Outcome.Ok);
  const std::string bytes = ReadBytes(station.DtaFileName);
  ASSERT_TRUE(RunCalculation(station, data).Outcome.Ok);
  EXPECT_EQ(ReadBytes(station.DtaFileName), bytes);
}

}  // namespace
}  // namespace vernoli
