// The sample stations and the sample import file that the build puts beside the program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../model/scratch_folder.h"
#include "engine/equations.h"
#include "model/calendar.h"
#include "model/datafile.h"
#include "model/numbers.h"
#include "model/station.h"
#include "model/stationcodes.h"
#include "stations/appstate.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;

const std::string kSamples = VERNOLI_SAMPLES;

struct Sample {
  const char* Name;
  const char* StationName;
  const char* Country;
  uint8_t DataType;
  int Year;
  int Records;
  double Latitude;
};

const Sample kStations[] = {
    {"DEBILT", "De Bilt", "Netherlands", kDaily, 2001, 365, 52.10},
    {"SYDNEY", "Sydney (Observatory Hill)", "Australia", kTenDaily, 2001, 36, -33.86},
    {"MADRID", "Madrid (Retiro)", "Spain", kMonthly, kYearNotLinked, 12, 40.41},
};

// Every line ends in CR LF and no byte is a bare CR or LF.
void ExpectCrLfLines(const std::string& bytes) {
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r') {
      EXPECT_EQ(bytes[i + 1], '\n') << "at byte " << i;
    }
    if (bytes[i] == '\n') {
      EXPECT_EQ(bytes[i - 1], '\r') << "at byte " << i;
    }
  }
}

TEST(SampleData, EveryStationReadsBackWithItsSpanAndCodes) {
  for (const Sample& sample : kStations) {
    SCOPED_TRACE(sample.Name);
    AppState state = NewAppState(FoldersOfExecutable("/x/vernoli"));
    state.DataFolder = kSamples + "/DATA/";
    const Status status = SelectStation(state, sample.Name);
    ASSERT_TRUE(status) << status.Message;
    const RepClimateFile& station = state.Station;
    EXPECT_EQ(station.StationName, sample.StationName);
    EXPECT_EQ(station.Country, sample.Country);
    EXPECT_EQ(station.DataType, sample.DataType);
    EXPECT_DOUBLE_EQ(station.Latitude, sample.Latitude);
    EXPECT_EQ(station.From(), (Date{1, 1, sample.Year}));
    EXPECT_EQ(station.To(), (Date{31, 12, sample.Year}));
    EXPECT_EQ(station.NumberOfRecords, sample.Records);
    const std::vector<int16_t> codes(StationCodes(station).begin(), StationCodes(station).end());
    EXPECT_EQ(codes, (std::vector<int16_t>{101, 103, 202, 401, 501}));
    EXPECT_EQ(station.Limits.LimitTmin, -15);
    EXPECT_EQ(station.Limits.LimitTmax, 45);
  }
}

TEST(SampleData, DescriptionsAreExactlyWhatTheProgramWrites) {
  ScratchFolder scratch;
  for (const Sample& sample : kStations) {
    SCOPED_TRACE(sample.Name);
    AppState state = NewAppState(FoldersOfExecutable("/x/vernoli"));
    state.DataFolder = kSamples + "/DATA/";
    ASSERT_TRUE(SelectStation(state, sample.Name));
    const std::string original = ReadBytes(state.Station.DscFileName);
    ExpectCrLfLines(original);
    RepClimateFile copy = state.Station;
    copy.DscFileName = scratch.File(std::string(sample.Name) + ".DSC");
    ASSERT_TRUE(WriteStationDescription(copy));
    EXPECT_EQ(ReadBytes(copy.DscFileName), original);
  }
}

TEST(SampleData, DataFilesHoldOneRecordPerStepOfTheSpanWithinPlausibleRanges) {
  for (const Sample& sample : kStations) {
    SCOPED_TRACE(sample.Name);
    AppState state = NewAppState(FoldersOfExecutable("/x/vernoli"));
    state.DataFolder = kSamples + "/DATA/";
    ASSERT_TRUE(SelectStation(state, sample.Name));
    const std::string bytes = ReadBytes(state.Station.DtaFileName);
    ExpectCrLfLines(bytes);

    DataFileReader reader;
    ASSERT_TRUE(reader.Open(state.Station.DtaFileName));
    std::string rewritten = DataHeaderLine(reader.Codes()) + "\r\n";
    DataRecord record;
    int count = 0;
    Date date = state.Station.From();
    while (reader.Next(record)) {
      ++count;
      SCOPED_TRACE(count);
      EXPECT_EQ(record.Number, count);
      rewritten += DataRecordLine(record.Number, record.Values, reader.Codes()) + "\r\n";
      const double tmax = record.Values[0], tmin = record.Values[1], rh = record.Values[2];
      const double sunshine = record.Values[3];
      EXPECT_LT(tmin, tmax);
      EXPECT_GT(tmin, -15);
      EXPECT_LT(tmax, 45);
      EXPECT_GE(rh, 15);
      EXPECT_LE(rh, 100);
      // Sunshine below the daylight hours of the record's first day.
      const int dayOfYear = DayNr(date.Day, date.Month, kYearNotLinked);
      EXPECT_GT(sunshine, 0);
      EXPECT_LT(sunshine, ExtraterrestrialRadiation(dayOfYear, state.Station.Latitude).N + 1.0);
      EXPECT_TRUE(IsMissing(record.Values[4]));
      date = NextRecordDate(state.Station.DataType, date);
    }
    ASSERT_TRUE(reader.status()) << reader.status().Message;
    EXPECT_EQ(count, sample.Records);
    // Written in the program's own layout, byte for byte.
    EXPECT_EQ(rewritten, bytes);
  }
}

TEST(SampleData, ImportFileHoldsTwelveLinesOfFourNumbers) {
  const std::string bytes = ReadBytes(kSamples + "/IMPORT/DEBILT.CXT");
  ExpectCrLfLines(bytes);
  int lines = 0;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    const std::string line = bytes.substr(start, end - start);
    start = end + 2;
    ++lines;
    SCOPED_TRACE(line);
    EXPECT_EQ(line.find_first_not_of(" +-.0123456789Ee"), std::string::npos);
    NumberScanner scanner(line);
    double value = 0;
    int values = 0;
    while (scanner.ReadReal(value)) ++values;
    EXPECT_EQ(values, 4);
    EXPECT_TRUE(scanner.AtEnd());
  }
  EXPECT_EQ(lines, 12);
}

}  // namespace
}  // namespace vernoli
