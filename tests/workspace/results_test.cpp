#include "workspace/results.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/record.h"
#include "model/datafile.h"
#include "model/linereader.h"
#include "model/numbers.h"
#include "model/stationcodes.h"
#include "station_files.h"
#include "workspace/run.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::WriteStation;

constexpr std::string_view kResultNames =
    "Tmean_C,RHmean_pct,eact_kPa,esat_kPa,Tdew_C,u2_m_s,n_h_day,N_h_day,Ra_MJ_m2_day,"
    "Rs_MJ_m2_day,Rnl_MJ_m2_day,Rn_MJ_m2_day,EToPM_mm_day,EToPen_mm_day,EToHar_mm_day,"
    "EToMak_mm_day,EToBC_mm_day";

std::vector<std::string> Split(const std::string& line, char separator) {
  std::vector<std::string> fields(1);
  for (char c : line) {
    if (c == separator) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

std::vector<std::string> Table(const RepClimateFile& station, const ResultsFormat& format = {}) {
  std::vector<std::string> lines;
  const RunResult run = WriteResults(station, format, [&lines](std::string_view line) {
    lines.emplace_back(line);
    return Status::Success();
  });
  EXPECT_TRUE(run) << run.Outcome.Message;
  return lines;
}

std::string Shortest(double value) {
  char text[64];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
  return std::string(text, end);
}

class ResultsTest : public ::testing::Test {
 protected:
  ScratchFolder data_;
};

TEST_F(ResultsTest, HeaderNamesTheDateColumnsOfEachKindOfData) {
  struct Row {
    const char* name;
    uint8_t type;
    Date from, to;
    const char* dateColumns;
  };
  const Row rows[] = {
      {"daily", kDaily, {1, 7, 2001}, {3, 7, 2001}, "date"},
      {"daily not linked", kDaily, {1, 1, 1901}, {31, 12, 1901}, "month,day"},
      {"10-daily", kTenDaily, {1, 1, 1999}, {21, 12, 1999}, "year,month,decade"},
      {"10-daily not linked", kTenDaily, {1, 1, 1901}, {21, 12, 1901}, "month,decade"},
      {"monthly", kMonthly, {1, 1, 1999}, {1, 12, 1999}, "year,month"},
      {"monthly not linked", kMonthly, {1, 1, 1901}, {1, 12, 1901}, "month"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const RepClimateFile station =
        WriteStation(data_.Folder(), "S", row.type, row.from, row.to, test_support::kSmallDta);
    EXPECT_EQ(ResultsHeader(station, {}),
              "record," + std::string(row.dateColumns) + "," + std::string(kResultNames));
  }
  const RepClimateFile station = WriteStation(data_.Folder(), "S", kDaily, {1, 7, 2001},
                                              {3, 7, 2001}, test_support::kSmallDta);
  std::string tabs = "record\tdate\t" + std::string(kResultNames);
  std::replace(tabs.begin(), tabs.end(), ',', '\t');
  EXPECT_EQ(ResultsHeader(station, {'\t', false}), tabs);
}

TEST_F(ResultsTest, FirstRecordIsTheEnginesResultAtFullPrecision) {
  const RepClimateFile station = WriteStation(data_.Folder(), "S", kDaily, {1, 7, 2001},
                                              {3, 7, 2001}, test_support::kSmallDta);
  // Record 1 of the small station, typed into the engine's record by hand.
  ClimaticRecord record;
  record[Row::Tmax] = 31.2;
  record[Row::Tmin] = 18.4;
  record[Row::RHmax] = 85.0;
  record[Row::RHmin] = 40.0;
  record[Row::Wind] = 2.10;
  record[Row::Sunshine] = 11.30;
  RecordResults r;
  ComputeRecord(DayNr(1, 7, 2001) - DayNr(1, 1, 2001) + 1, record, station, r);
  const double expected[] = {r.TmeanStar, r.RHmeanStar, r.EactStar, r.Esat,   r.TdewStar,
                             r.U2Star,    r.SunshineStar, r.DaylightHours, r.Ra, r.RsStar,
                             r.Rnl,       r.RnStar,     r.EToPM,    r.EToPen, r.EToHar,
                             r.EToMak,    r.EToBC};

  const std::vector<std::string> lines = Table(station);
  ASSERT_EQ(lines.size(), 4u);
  const std::vector<std::string> fields = Split(lines[1], ',');
  ASSERT_EQ(fields.size(), 19u);
  EXPECT_EQ(fields[0], "1");
  EXPECT_EQ(fields[1], "2001-07-01");
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(Split(std::string(kResultNames), ',')[i]);
    ASSERT_FALSE(IsMissing(expected[i]));
    EXPECT_EQ(fields[i + 2], Shortest(expected[i]));
    double read = 0;
    ASSERT_TRUE(ParseReal(fields[i + 2], read));
    EXPECT_EQ(read, expected[i]);  // reads back as the very same double
  }
  EXPECT_EQ(Split(lines[3], ',')[1], "2001-07-03");
}

TEST_F(ResultsTest, MissingResultsAreEmptyOrMinus999) {
  // Nothing but ETo: only what the day and the station give (Ra, N, the default wind) is known.
  const RepClimateFile station = WriteStation(data_.Folder(), "S", kDaily, {1, 7, 2001},
                                              {1, 7, 2001},
                                              "        Nr       501\r\n"
                                              "         1    -999.0\r\n");
  const std::vector<std::string> empty = Split(Table(station)[1], ',');
  const std::vector<std::string> number = Split(Table(station, {',', true})[1], ',');
  ASSERT_EQ(empty.size(), 19u);
  ASSERT_EQ(number.size(), 19u);
  const std::vector<std::string> names = Split(std::string(kResultNames), ',');
  for (std::size_t i = 0; i < names.size(); ++i) {
    SCOPED_TRACE(names[i]);
    const bool known = names[i] == "u2_m_s" || names[i] == "N_h_day" || names[i] == "Ra_MJ_m2_day";
    EXPECT_EQ(empty[i + 2].empty(), !known);
    EXPECT_EQ(number[i + 2] == "-999", !known);
    if (known) {
      EXPECT_EQ(number[i + 2], empty[i + 2]);
    }
  }
}

TEST_F(ResultsTest, DatesOfTenDailyMonthlyAndNotLinkedData) {
  struct Row {
    const char* name;
    uint8_t type;
    Date from, to;
    int record;  // 1-based
    const char* date;
  };
  const Row rows[] = {
      {"10-daily from the third decade of January", kTenDaily, {21, 1, 1999}, {21, 3, 1999}, 2,
       "1999,2,1"},
      {"monthly over the new year", kMonthly, {1, 11, 1999}, {1, 2, 2000}, 3, "2000,1"},
      {"daily not linked, 1 February", kDaily, {1, 1, 1901}, {31, 12, 1901}, 32, "2,1"},
      {"10-daily not linked", kTenDaily, {1, 1, 1901}, {21, 12, 1901}, 6, "2,3"},
      {"monthly not linked", kMonthly, {1, 1, 1901}, {1, 12, 1901}, 12, "12"},
      {"daily over a leap day", kDaily, {28, 2, 2000}, {1, 3, 2000}, 2, "2000-02-29"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string dta = "        Nr       101       501\r\n";
    for (int k = 1; k <= 40; ++k) dta += FormatInt(k, 10) + "      20.0    -999.0\r\n";
    const RepClimateFile station = WriteStation(data_.Folder(), "S", row.type, row.from, row.to, dta);
    const std::vector<std::string> lines = Table(station);
    ASSERT_GT(lines.size(), static_cast<std::size_t>(row.record));
    const std::string& line = lines[static_cast<std::size_t>(row.record)];
    const std::string start = std::to_string(row.record) + "," + row.date + ",";
    EXPECT_EQ(line.substr(0, start.size()), start);
  }
}

TEST_F(ResultsTest, EToOfTheSampleStationsRoundsToWhatRecomputeWrites) {
  for (const char* name : {"DEBILT", "MADRID", "SYDNEY"}) {
    SCOPED_TRACE(name);
    for (const char* extension : {".DSC", ".DTA"}) {
      std::filesystem::copy_file(std::string(VERNOLI_SAMPLES) + "/DATA/" + name + extension,
                                 data_.File(std::string(name) + extension),
                                 std::filesystem::copy_options::overwrite_existing);
    }
    RepClimateFile station;
    SetStationFiles(station, data_.Folder(), name);
    ASSERT_TRUE(ReadStationDescription(station));
    ASSERT_TRUE(ReadParameterCodes(station));
    SortParameterCodes(station);
    const std::vector<std::string> lines = Table(station);
    ASSERT_TRUE(RecomputeDataFile(station));

    LineReader dta;
    ASSERT_TRUE(dta.Open(station.DtaFileName));
    std::string line;
    ASSERT_TRUE(dta.Next(line));  // the header
    const std::vector<std::string> header = Split(lines[0], ',');
    const auto eto = static_cast<std::size_t>(
        std::find(header.begin(), header.end(), "EToPM_mm_day") - header.begin());
    ASSERT_LT(eto, header.size());
    std::size_t rows = 0;
    int present = 0;
    for (; dta.Next(line); ++rows) {
      ASSERT_LT(rows + 1, lines.size());
      const std::vector<std::string> fields = Split(lines[rows + 1], ',');
      ASSERT_EQ(fields.size(), header.size());
      double value = kMissing;
      if (!fields[eto].empty()) {
        ASSERT_TRUE(ParseReal(fields[eto], value));
        ++present;
      }
      EXPECT_EQ(line.substr(line.size() - 10), FormatReal(value, 10, 1)) << "record " << rows + 1;
    }
    EXPECT_EQ(rows + 1, lines.size());
    EXPECT_GT(present, 0);
  }
}

}  // namespace
}  // namespace vernoli
