#include "model/datafile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/atomicfile.h"
#include "scratch_folder.h"

namespace vernoli {
namespace {

using test_support::Fixture;
using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::WriteBytes;

// ---------------------------------------------------------------------------------------------
// Layout of the lines, typed from the layout

TEST(DtaWriter, WritesTheHeaderWithNothingAfterTheLastCode) {
  const int16_t eto[] = {501};
  EXPECT_EQ(DataHeaderLine(eto), "        Nr       501");
  const int16_t four[] = {101, 103, 301, 501};
  EXPECT_EQ(DataHeaderLine(four), "        Nr       101       103       301       501");
  EXPECT_EQ(DataHeaderLine({}), "        Nr");
}

TEST(DtaWriter, WritesEachValueWithTheDecimalsOfItsCode) {
  struct Row {
    const char* name;
    int32_t number;
    std::vector<int16_t> codes;
    std::vector<double> values;
    std::string expected;
  };
  const Row rows[] = {
      {"new station", 1, {501}, {-999.0}, "         1    -999.0"},
      {"missing in a 4-decimal column", 1, {221}, {-999.0}, "         1 -999.0000"},
      {"one code of each number of decimals", 12, {101, 221, 301, 501}, {25.37, 1.23456, 3.456, 4.05001},
       "        12      25.4    1.2346      3.46       4.1"},
      {"almost -999 is written as -999", 365, {101, 301}, {-999.4, -998.6},
       "       365    -999.0   -999.00"},
      {"-999.5 is not missing", 2, {101}, {-999.5}, "         2    -999.5"},
      {"no minus zero", 3, {103, 402}, {-0.04, -0.001}, "         3       0.0      0.00"},
      {"missing values at the end", 4, {101, 103, 501}, {30.0}, "         4      30.0    -999.0    -999.0"},
      {"code outside the table", 5, {999}, {1.26}, "         5       1.3"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(DataRecordLine(row.number, row.values, row.codes), row.expected);
  }
}

TEST(DtaWriter, CreatesTheEmptyFileOfANewStation) {
  ScratchFolder folder;
  RepClimateFile station = NewStation();
  SetStationFiles(station, folder.Folder(), "NEW");
  station.NumberOfRecords = 3;
  ASSERT_TRUE(CreateEmptyDataFile(station).Ok);
  EXPECT_EQ(ReadBytes(station.DtaFileName),
            "        Nr       501\r\n"
            "         1    -999.0\r\n"
            "         2    -999.0\r\n"
            "         3    -999.0\r\n");
  EXPECT_EQ(folder.Names(), std::set<std::string>{"NEW.DTA"});
}

TEST(DtaWriter, CreatesOneLinePerRecordOfTheSpan) {
  ScratchFolder folder;
  RepClimateFile station = NewStation();  // 365 days not linked to a year
  SetStationFiles(station, folder.Folder(), "NEW");
  ASSERT_TRUE(CreateEmptyDataFile(station).Ok);
  DataFileReader reader;
  ASSERT_TRUE(reader.Open(station.DtaFileName).Ok);
  DataRecord record;
  int32_t count = 0;
  while (reader.Next(record)) {
    ++count;
    ASSERT_EQ(record.Number, count);
    ASSERT_EQ(record.Values, std::vector<double>{-999.0});
  }
  EXPECT_TRUE(reader.status().Ok);
  EXPECT_EQ(count, 365);
}

TEST(DtaWriter, WritesAFileThatReadsBack) {
  ScratchFolder folder;
  std::string path = folder.File("R.DTA");
  const int16_t codes[] = {111, 203, 222, 302, 402, 501};
  const std::vector<double> values[] = {
      {77.5, 45.3, 12.3456, 172.8, 0.55, 3.4},
      {-999.0, -999.0, -999.0, -999.0, -999.0, -999.0},
      {-40.0, 100.0, 0.0001, 0.0, 1.0, 0.0},
  };
  AtomicFile file(path);
  WriteDataHeader(file, codes);
  for (int i = 0; i < 3; ++i) WriteDataRecord(file, i + 1, values[i], codes);
  ASSERT_TRUE(file.Commit().Ok);

  DataFileReader reader;
  ASSERT_TRUE(reader.Open(path).Ok);
  EXPECT_EQ(reader.Codes(), std::vector<int16_t>(std::begin(codes), std::end(codes)));
  DataRecord record;
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i + 1);
    ASSERT_TRUE(reader.Next(record));
    EXPECT_EQ(record.Number, i + 1);
    EXPECT_EQ(record.Values, values[i]);
  }
  EXPECT_FALSE(reader.Next(record));
  EXPECT_TRUE(reader.status().Ok);
}

// ---------------------------------------------------------------------------------------------
// Copy

TEST(CopyDataFile, CopiesLineByLineWithCrLf) {
  ScratchFolder folder;
  std::string copy = folder.File("COPY.DTA");
  ASSERT_TRUE(CopyDataFile(Fixture("dta_lf_no_final_line_end.DTA"), copy).Ok);
  EXPECT_EQ(ReadBytes(copy),
            "        Nr       101       103       301       501\r\n"
            "         1      25.0      12.5      2.10       4.2\r\n"
            "         2    -999.0      13.0    -999.00    -999.0\r\n"
            "         3      27.5      14.0      1.75       5.0\r\n");
  EXPECT_EQ(folder.Names(), std::set<std::string>{"COPY.DTA"});
}

TEST(CopyDataFile, KeepsTheBytesOfEveryLine) {
  ScratchFolder folder;
  std::string source = folder.File("A.DTA");
  std::string bytes = "        Nr       501\r\n\t 1   -999.0  \r\n\r\n  \xB0 odd\r\n";
  WriteBytes(source, bytes);
  ASSERT_TRUE(CopyDataFile(source, folder.File("B.DTA")).Ok);
  EXPECT_EQ(ReadBytes(folder.File("B.DTA")), bytes);
}

TEST(CopyDataFile, MissingSourceLeavesTheDestinationAlone) {
  ScratchFolder folder;
  std::string destination = folder.File("B.DTA");
  WriteBytes(destination, "old\r\n");
  std::string source = folder.File("NONE.DTA");
  Status status = CopyDataFile(source, destination);
  EXPECT_EQ(status.Message,
            "ERROR:\ncannot open file " + source + ": No such file or directory");
  EXPECT_EQ(ReadBytes(destination), "old\r\n");
  EXPECT_EQ(folder.Names(), std::set<std::string>{"B.DTA"});
}

TEST(CopyDataFile, FailedWriteLeavesTheDestinationAlone) {
  ScratchFolder folder;
  std::string destination = folder.File("B.DTA");
  WriteBytes(destination, "old\r\n");
  AtomicFile::InjectFailureForTesting(AtomicFile::FailAt::Sync);
  Status status = CopyDataFile(Fixture("dta_fahrenheit.DTA"), destination);
  AtomicFile::InjectFailureForTesting(AtomicFile::FailAt::None);
  EXPECT_EQ(status.Message, "ERROR:\ncannot write file " + destination);
  EXPECT_EQ(ReadBytes(destination), "old\r\n");
  EXPECT_EQ(folder.Names(), std::set<std::string>{"B.DTA"});
}

// ---------------------------------------------------------------------------------------------
// Parameter codes

TEST(ReadParameterCodes, ReadsTheCodesOfTheHeader) {
  RepClimateFile station;
  station.DtaFileName = Fixture("dta_lf_no_final_line_end.DTA");
  station.ParameterCodes.fill(7);
  ASSERT_TRUE(ReadParameterCodes(station).Ok);
  EXPECT_EQ(station.NumberOfParameters, 4);
  EXPECT_EQ(station.ParameterCodes[0], 101);
  EXPECT_EQ(station.ParameterCodes[1], 103);
  EXPECT_EQ(station.ParameterCodes[2], 301);
  EXPECT_EQ(station.ParameterCodes[3], 501);
  for (std::size_t i = 4; i < station.ParameterCodes.size(); ++i) {
    EXPECT_EQ(station.ParameterCodes[i], -999) << "entry " << i + 1;
  }
}

TEST(ReadParameterCodes, StopsAtThirtySevenCodes) {
  RepClimateFile station;
  station.DtaFileName = Fixture("dta_38_codes.DTA");
  ASSERT_TRUE(ReadParameterCodes(station).Ok);
  EXPECT_EQ(station.NumberOfParameters, 37);
  EXPECT_EQ(station.ParameterCodes[0], 101);
  EXPECT_EQ(station.ParameterCodes[36], 501);
}

TEST(ReadParameterCodes, RejectsAFieldThatIsNoCodeChangingNothing) {
  RepClimateFile station = NewStation();
  station.DtaFileName = Fixture("dta_bad_code.DTA");
  Status status = ReadParameterCodes(station);
  EXPECT_EQ(status.Message,
            "ERROR:\ncannot read a number in file " + station.DtaFileName + ", line 1");
  EXPECT_EQ(station.NumberOfParameters, 1);
  EXPECT_EQ(station.ParameterCodes[0], 501);
  EXPECT_EQ(station.ParameterCodes[1], -999);
}

TEST(ReadParameterCodes, HandlesShortAndEmptyHeaders) {
  struct Row {
    const char* name;
    std::string bytes;
    bool ok;
    int count;
  };
  const Row rows[] = {
      {"only the 10 characters", "        Nr\r\n", true, 0},
      {"line shorter than 10 characters", "   Nr\r\n", true, 0},
      {"the empty line of a checked name", "\r\n", true, 0},
      {"blanks after the last code", "        Nr       501   \r\n", true, 1},
      {"other spacing", "Nr\t\t\t\t\t\t\t\t101 102\t501\n", true, 3},
      {"code beyond 16 bits", "        Nr     40000\r\n", false, 0},
  };
  ScratchFolder folder;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RepClimateFile station;
    station.DtaFileName = folder.File("H.DTA");
    WriteBytes(station.DtaFileName, row.bytes);
    Status status = ReadParameterCodes(station);
    EXPECT_EQ(status.Ok, row.ok);
    EXPECT_EQ(station.NumberOfParameters, row.count);
  }
}

TEST(ReadParameterCodes, EmptyOrMissingFileIsAnErrorNamingIt) {
  ScratchFolder folder;
  RepClimateFile station;
  station.DtaFileName = folder.File("NONE.DTA");
  EXPECT_EQ(ReadParameterCodes(station).Message,
            "ERROR:\ncannot open file " + station.DtaFileName + ": No such file or directory");
  WriteBytes(station.DtaFileName, "");
  EXPECT_EQ(ReadParameterCodes(station).Message,
            "ERROR:\nfile " + station.DtaFileName + " ends before line 1");
}

// ---------------------------------------------------------------------------------------------
// Records

TEST(ReadDataRecord, ReadsTheNumberAndTheValuesFreeFormat) {
  struct Row {
    const char* line;
    int count;
    int32_t number;
    std::vector<double> values;
  };
  const Row rows[] = {
      {"         1      25.4    -999.0", 2, 1, {25.4, -999.0}},
      {"\t7\t+1.5e1  -3", 2, 7, {15.0, -3.0}},
      {"   12   1.0   2.0   3.0   4.0", 2, 12, {1.0, 2.0}},  // the rest is skipped
      {"   12   1.0   text after", 1, 12, {1.0}},
      {"  5", 0, 5, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    DataRecord record;
    Status status = ReadDataRecord(row.line, row.count, "X.DTA", 2, record);
    ASSERT_TRUE(status.Ok) << status.Message;
    EXPECT_EQ(record.Number, row.number);
    EXPECT_EQ(record.Values, row.values);
  }
}

TEST(ReadDataRecord, RejectsAShortOrFaultyLineNamingFileAndLine) {
  struct Row {
    const char* line;
    std::string message;
  };
  const Row rows[] = {
      {"         3      25.4", "ERROR:\ntoo few values in file X.DTA, line 4"},
      {"", "ERROR:\ntoo few values in file X.DTA, line 4"},
      {"    \t ", "ERROR:\ntoo few values in file X.DTA, line 4"},
      {"         3      25.4      2,5", "ERROR:\ncannot read a number in file X.DTA, line 4"},
      {"       3.0      25.4       2.5", "ERROR:\ncannot read a number in file X.DTA, line 4"},
      {"         3      25.4       n/a", "ERROR:\ncannot read a number in file X.DTA, line 4"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    DataRecord record;
    record.Number = 77;
    record.Values = {1.0, 2.0};
    Status status = ReadDataRecord(row.line, 2, "X.DTA", 4, record);
    EXPECT_EQ(status.Message, row.message);
    EXPECT_EQ(record.Number, 77);
    EXPECT_EQ(record.Values, (std::vector<double>{1.0, 2.0}));
  }
}

std::vector<DataRecord> ReadAll(const std::string& path, Status& status) {
  std::vector<DataRecord> records;
  DataFileReader reader;
  status = reader.Open(path);
  if (!status) return records;
  DataRecord record;
  while (reader.Next(record)) records.push_back(record);
  status = reader.status();
  return records;
}

TEST(DataFileReader, ReadsEveryRecordOfTolerantFiles) {
  for (const char* fixture : {"dta_lf_no_final_line_end.DTA", "dta_free_format.DTA"}) {
    SCOPED_TRACE(fixture);
    Status status;
    std::vector<DataRecord> records = ReadAll(Fixture(fixture), status);
    ASSERT_TRUE(status.Ok) << status.Message;
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].Number, 1);
    EXPECT_EQ(records[0].Values, (std::vector<double>{25.0, 12.5, 2.1, 4.2}));
    EXPECT_EQ(records[1].Number, 2);
    EXPECT_EQ(records[1].Values, (std::vector<double>{-999.0, 13.0, -999.0, -999.0}));
    EXPECT_EQ(records[2].Number, 3);
    EXPECT_EQ(records[2].Values, (std::vector<double>{27.5, 14.0, 1.75, 5.0}));
  }
}

TEST(DataFileReader, StopsAtAShortRecordNamingFileAndLine) {
  DataFileReader reader;
  std::string path = Fixture("dta_short_record.DTA");
  ASSERT_TRUE(reader.Open(path).Ok);
  DataRecord record;
  ASSERT_TRUE(reader.Next(record));
  EXPECT_EQ(record.Number, 1);
  EXPECT_FALSE(reader.Next(record));
  EXPECT_EQ(reader.status().Message, "ERROR:\ntoo few values in file " + path + ", line 3");
  EXPECT_EQ(record.Number, 1);  // the failed line changed nothing
  EXPECT_FALSE(reader.Next(record));
}

TEST(DataFileReader, ReadsAHeaderOnlyFileAsNoRecords) {
  ScratchFolder folder;
  std::string path = folder.File("H.DTA");
  WriteBytes(path, "        Nr       501\r\n");
  Status status;
  EXPECT_TRUE(ReadAll(path, status).empty());
  EXPECT_TRUE(status.Ok);
}

TEST(DataFileReader, MissingFileOrFaultyHeaderIsAnError) {
  ScratchFolder folder;
  Status status;
  ReadAll(folder.File("NONE.DTA"), status);
  EXPECT_EQ(status.Message,
            "ERROR:\ncannot open file " + folder.File("NONE.DTA") + ": No such file or directory");
  ReadAll(Fixture("dta_bad_code.DTA"), status);
  EXPECT_EQ(status.Message,
            "ERROR:\ncannot read a number in file " + Fixture("dta_bad_code.DTA") + ", line 1");
}

// ---------------------------------------------------------------------------------------------
// Columns and the climatic record

TEST(ColumnMapping, StandardCodesGoToTheirRowsUnconverted) {
  const int16_t codes[] = {101, 103, 203, 301, 421, 501};
  ColumnMapping mapping(codes);
  EXPECT_FALSE(mapping.NeedsConversion());
  const double values[] = {30.5, 12.25, -999.0, 2.5, 20.0, 4.5};
  ClimaticRecord record = mapping.ToRecord(values);
  EXPECT_EQ(record[Row::Tmax], 30.5);
  EXPECT_EQ(record[Row::Tmin], 12.25);
  EXPECT_EQ(record[Row::RHmin], -999.0);
  EXPECT_EQ(record[Row::Wind], 2.5);
  EXPECT_EQ(record[Row::Rs], 20.0);
  EXPECT_EQ(record[Row::ETo], 4.5);
  // Slots of parameters the station does not have hold -999.
  EXPECT_EQ(record[Row::Tmean], -999.0);
  EXPECT_EQ(record[Row::Sunshine], -999.0);
}

TEST(ColumnMapping, FahrenheitColumnsGoToTheCelsiusRows) {
  Status status;
  std::vector<DataRecord> records = ReadAll(Fixture("dta_fahrenheit.DTA"), status);
  ASSERT_TRUE(status.Ok);
  ASSERT_EQ(records.size(), 2u);
  const int16_t codes[] = {111, 113, 501};
  ColumnMapping mapping(codes);
  EXPECT_TRUE(mapping.NeedsConversion());
  EXPECT_EQ(mapping.RowOfColumn(0), Row::Tmax);
  EXPECT_EQ(mapping.RowOfColumn(1), Row::Tmin);
  EXPECT_EQ(mapping.RowOfColumn(2), Row::ETo);

  ClimaticRecord first = mapping.ToRecord(records[0].Values);
  EXPECT_NEAR(first[Row::Tmax], 10.0, 1e-12);
  EXPECT_NEAR(first[Row::Tmin], 0.0, 1e-12);
  EXPECT_EQ(first[Row::ETo], 3.2);
  EXPECT_EQ(first[Row::TmaxF], -999.0);
  EXPECT_EQ(first[Row::TminF], -999.0);

  ClimaticRecord second = mapping.ToRecord(records[1].Values);
  EXPECT_EQ(second[Row::Tmax], -999.0);  // missing is not converted
  EXPECT_NEAR(second[Row::Tmin], 5.0, 1e-12);
  EXPECT_EQ(second[Row::ETo], -999.0);
}

TEST(ColumnMapping, ConvertsEveryUnitToTheStandardRowAndBack) {
  struct Row {
    int16_t code;
    double value;     // in the code's unit
    int row;          // standard row
    double standard;  // in the standard unit
  };
  const Row rows[] = {
      {112, 212.0, 2, 100.0}, {211, 50.0, 10, 10.0},  {225, 10.0, 12, 1.33322},
      {234, 41.0, 18, 5.0},   {302, 86.4, 21, 1.0},   {425, 100.0, 27, 4.1868},
      {435, 100.0, 32, 4.1868},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.code);
    const int16_t codes[] = {row.code, 501};
    ColumnMapping mapping(codes);
    const double values[] = {row.value, 1.5};
    ClimaticRecord record = mapping.ToRecord(values);
    EXPECT_NEAR(record[row.row], row.standard, 1e-9);
    EXPECT_EQ(record[vernoli::Row::ETo], 1.5);
    std::vector<double> back = mapping.FromRecord(record);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_NEAR(back[0], row.value, 1e-9);
    EXPECT_EQ(back[1], 1.5);
  }
}

TEST(ColumnMapping, MissingValuesStayMissingBothWays) {
  const int16_t codes[] = {111, 422, 501};
  ColumnMapping mapping(codes);
  const double values[] = {-999.0, -999.3, -999.0};
  ClimaticRecord record = mapping.ToRecord(values);
  EXPECT_EQ(record[Row::Tmax], -999.0);
  EXPECT_EQ(record[Row::Rs], -999.0);  // not -86.3136
  record[Row::Tmax] = -999.2;
  std::vector<double> back = mapping.FromRecord(record);
  EXPECT_EQ(back, (std::vector<double>{-999.0, -999.0, -999.0}));
}

TEST(ColumnMapping, IgnoresCodesOutsideTheTable) {
  const int16_t codes[] = {999, 101, 501};
  ColumnMapping mapping(codes);
  EXPECT_EQ(mapping.RowOfColumn(0), 0);
  const double values[] = {12.0, 20.0, 3.0};
  ClimaticRecord record = mapping.ToRecord(values);
  for (int row = 1; row <= kParameterCount; ++row) {
    if (row == Row::Tmax || row == Row::ETo) continue;
    EXPECT_EQ(record[row], -999.0) << "row " << row;
  }
  EXPECT_EQ(mapping.FromRecord(record), (std::vector<double>{-999.0, 20.0, 3.0}));
}

TEST(ColumnMapping, AMissingColumnDoesNotWipeOutTheSameQuantity) {
  const int16_t codes[] = {101, 111, 501};  // Tmax twice, in degC and degF
  ColumnMapping mapping(codes);
  const double present[] = {20.0, -999.0, 1.0};
  EXPECT_EQ(mapping.ToRecord(present)[Row::Tmax], 20.0);
  const double later[] = {-999.0, 68.0, 1.0};
  EXPECT_NEAR(mapping.ToRecord(later)[Row::Tmax], 20.0, 1e-12);
}

}  // namespace
}  // namespace vernoli
