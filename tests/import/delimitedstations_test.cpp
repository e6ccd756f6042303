// A delimited file of several stations: where the lines of each station lie, each station read
// on its own (grouped or interleaved lines), a station refused while the others read, the limit
// of one station's lines, and the refusals of the file word for word.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../model/scratch_folder.h"
#include "import/delimited.h"

namespace vernoli {
namespace {

using test_support::ScratchFolder;
using test_support::WriteBytes;

// Two stations, their lines grouped, a preamble and a header; station 270 lacks 2 January.
const std::string kGrouped =
    "# a weather service\r\n"
    "STN,YYYYMMDD,TX,TN\r\n"
    "260,20200101,62,12\r\n"
    "260,20200102,95,30\r\n"
    "260,20200103,102,59\r\n"
    "270,20200101,51,-4\r\n"
    "270,20200103,77,8\r\n";

class SeveralStations : public ::testing::Test {
 protected:
  DelimitedStations Index(const std::string& bytes, const char* column = "STN") {
    WriteBytes(path_, bytes);
    options_.StationColumn = ColumnRef::FromText(column);
    return IndexDelimitedStations(path_, options_);
  }
  DelimitedFile Read(const StationRows& rows) {
    DelimitedOptions options = options_;
    options.Station = rows;
    return ReadDelimitedFile(path_, options);
  }
  std::string Plain(std::string message) const {
    for (std::size_t at; (at = message.find(path_)) != std::string::npos;) {
      message.replace(at, path_.size(), "F");
    }
    return message;
  }

  ScratchFolder folder_;
  std::string path_ = folder_.File("stations.csv");
  DelimitedOptions options_;
};

// ---------------------------------------------------------------------------------------------
// The stations of a file

TEST_F(SeveralStations, GroupedLinesGiveEachStationItsPlaceAndItsOwnRecords) {
  const DelimitedStations stations = Index(kGrouped);
  ASSERT_TRUE(stations.Ok()) << stations.Result.Message;
  EXPECT_TRUE(stations.Grouped);
  EXPECT_EQ(stations.StationColumn, 1);
  ASSERT_EQ(stations.Stations.size(), 2u);
  const StationRows& a = stations.Stations[0];
  const StationRows& b = stations.Stations[1];
  EXPECT_EQ(a.Id, "260");
  EXPECT_EQ(a.FirstLine, 3);
  EXPECT_EQ(a.LastLine, 5);
  EXPECT_EQ(a.Rows, 3);
  EXPECT_EQ(b.Id, "270");
  EXPECT_EQ(b.FirstLine, 6);
  EXPECT_EQ(b.Rows, 2);
  // The byte offsets: a starts after the preamble and the header, b where a ends.
  EXPECT_EQ(a.Begin, 41);
  EXPECT_EQ(a.End, b.Begin);
  EXPECT_EQ(b.End, static_cast<int64_t>(kGrouped.size()));
  // The station column is neither a date column nor offered for import.
  EXPECT_TRUE(stations.Layout.Columns[0].Station);
  EXPECT_FALSE(stations.Layout.Columns[0].Proposal.Imported());

  const DelimitedFile first = Read(a);
  ASSERT_TRUE(first.Ok()) << first.Result.Message;
  EXPECT_EQ(first.Records, 3);
  EXPECT_EQ(first.DataLines, 3);
  ASSERT_EQ(first.Series.size(), 2u);
  EXPECT_EQ(first.Series[0].Values, (std::vector<double>{62, 95, 102}));

  const DelimitedFile second = Read(b);
  ASSERT_TRUE(second.Ok()) << second.Result.Message;
  EXPECT_EQ(second.First, (Date{1, 1, 2020}));
  EXPECT_EQ(second.Last, (Date{3, 1, 2020}));
  EXPECT_EQ(second.AbsentRecords, 1);
  EXPECT_EQ(second.Series[1].Values, (std::vector<double>{-4, kMissing, 8}));
}

TEST_F(SeveralStations, InterleavedLinesAreReadStationByStation) {
  // Sorted by date, then station; a comment line and a station by its column number.
  const std::string bytes =
      "date;station;tmax\n"
      "2020-01-01;A;1,5\n"
      "2020-01-01;B;2,5\n"
      "# a note\n"
      "2020-01-02;A;3,5\n"
      "2020-01-02;B;4,5\n";
  const DelimitedStations stations = Index(bytes, "2");
  ASSERT_TRUE(stations.Ok()) << stations.Result.Message;
  EXPECT_FALSE(stations.Grouped);
  ASSERT_EQ(stations.Stations.size(), 2u);
  EXPECT_EQ(stations.Stations[0].LastLine, 5);
  EXPECT_EQ(stations.Stations[1].FirstLine, 3);
  const DelimitedFile a = Read(stations.Stations[0]);
  const DelimitedFile b = Read(stations.Stations[1]);
  ASSERT_TRUE(a.Ok() && b.Ok()) << a.Result.Message << b.Result.Message;
  EXPECT_EQ(a.Series[0].Values, (std::vector<double>{1.5, 3.5}));
  EXPECT_EQ(b.Series[0].Values, (std::vector<double>{2.5, 4.5}));
}

TEST_F(SeveralStations, AStationRefusedLeavesTheOthersReadable) {
  const std::string bytes =
      "STN,YYYYMMDD,TX\n"
      "260,20200101,62\n"
      "260,20200102,95\n"
      "270,20200101,51\n"
      "270,20200101,52\n";
  const DelimitedStations stations = Index(bytes);
  ASSERT_TRUE(stations.Ok());
  EXPECT_TRUE(Read(stations.Stations[0]).Ok());
  const DelimitedFile refused = Read(stations.Stations[1]);
  EXPECT_EQ(Plain(refused.Result.Message),
            "ERROR:\nfile F, line 5, column 2 (YYYYMMDD): the date 2020-01-01 is given on line "
            "4 already; each date is given once");
  EXPECT_TRUE(refused.Series.empty());
}

TEST_F(SeveralStations, TheLimitOfDaysHoldsForEachStationNotForTheFile) {
  // Two stations of 40,000 days each: 80,000 lines, more than 1902-2099 have days.
  std::string bytes = "STN,date,tmax\n";
  for (const char* id : {"A", "B"}) {
    Date date{1, 1, 1902};
    for (int k = 0; k < 40000; ++k) {
      bytes += std::string(id) + "," + std::to_string(date.Year * 10000 + date.Month * 100 +
                                                      date.Day) + ",1\n";
      date = NextRecordDate(kDaily, date);
    }
  }
  const DelimitedStations stations = Index(bytes);
  ASSERT_TRUE(stations.Ok());
  for (const StationRows& rows : stations.Stations) {
    const DelimitedFile file = Read(rows);
    ASSERT_TRUE(file.Ok()) << file.Result.Message;
    EXPECT_EQ(file.Records, 40000);
  }
}

TEST_F(SeveralStations, AFileChangedSinceItsStationsWereListedIsRefused) {
  const DelimitedStations stations = Index(kGrouped);
  ASSERT_TRUE(stations.Ok());
  StationRows rows = stations.Stations[0];
  rows.Rows = 4;
  EXPECT_EQ(Plain(Read(rows).Result.Message),
            "ERROR:\nfile F has changed since its stations were listed: station \"260\" had 4 "
            "lines from line 3 to line 5, now 3");
}

TEST_F(SeveralStations, AStationStaysTheSameWhileOnlyTheLinesOfOthersChange) {
  const DelimitedStations stations = Index(kGrouped);
  ASSERT_TRUE(stations.Ok());
  const StationRows& rows = stations.Stations[0];
  const DelimitedFile read = Read(rows);
  ASSERT_TRUE(read.Ok());
  EXPECT_TRUE(SameStationBytes(path_, read, rows).Ok);
  std::string other = kGrouped;
  other.replace(other.find("270,20200103,77"), 15, "270,20200103,99");
  WriteBytes(path_, other);
  EXPECT_TRUE(SameStationBytes(path_, read, rows).Ok);
  std::string changed = kGrouped;
  changed.replace(changed.find("260,20200102,95"), 15, "260,20200102,96");
  WriteBytes(path_, changed);
  EXPECT_EQ(SameStationBytes(path_, read, rows).Message,
            "ERROR:\nthe lines of station \"260\" (lines 3 to 5), or the lines before its first "
            "data line, are not those that were read");
}

// ---------------------------------------------------------------------------------------------
// Refusals

TEST_F(SeveralStations, RefusesWhatLeavesTheStationOfALineUnknown) {
  struct Case {
    const char* name;
    std::string bytes;
    const char* column;
    std::string message;
  };
  const Case cases[] = {
      {"no such column", kGrouped, "STATION",
       "ERROR:\nfile F, line 2: the header names no column \"STATION\"; its columns are STN, "
       "YYYYMMDD, TX, TN (the station column asked for)"},
      {"a date column", kGrouped, "YYYYMMDD",
       "ERROR:\nfile F, line 2, column 2 (YYYYMMDD): the station column cannot be a date "
       "column; the stations are named in a column of their own"},
      {"an empty station", "STN,YYYYMMDD,TX\n260,20200101,1\n,20200102,2\n", "STN",
       "ERROR:\nfile F, line 3, column 1 (STN): the station column is empty; each data line "
       "names its station there"},
      {"a broken quote", "YYYYMMDD,TX,STN\n20200101,1,A\n20200102,2,\"B\n", "STN",
       "ERROR:\nfile F, line 3, column 3 (STN): a quoted field is not closed before the end of "
       "the line, so the station of the line cannot be told; the fields of this file are "
       "separated by comma (,), and a quoted field ends on its own line"},
      {"no station field", "YYYYMMDD,TX,STN\n20200101,1,A\n20200102,2\n", "STN",
       "ERROR:\nfile F, line 3, column 3 (STN): the line ends after 2 fields, before the "
       "station column, column 3 (STN); the fields of this file are separated by comma (,)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DelimitedStations stations = Index(c.bytes, c.column);
    EXPECT_EQ(Plain(stations.Result.Message), c.message);
    EXPECT_TRUE(stations.Stations.empty());
  }
}

TEST_F(SeveralStations, TheStationColumnIsNeverImported) {
  options_.Columns = {{{ColumnRef::FromText("STN"), 101, 1.0}}};
  EXPECT_EQ(Plain(Index(kGrouped).Result.Message),
            "ERROR:\nfile F, line 2, column 1 (STN): the station column cannot be imported (as "
            "code 101); it names the station of each line");
}

TEST_F(SeveralStations, AFileOfSeveralStationsIsReadOneStationAtATime) {
  WriteBytes(path_, kGrouped);
  options_.StationColumn = ColumnRef::FromText("STN");
  EXPECT_EQ(Plain(ReadDelimitedFile(path_, options_).Result.Message),
            "ERROR:\nfile F holds several stations; they are read one at a time");
}

}  // namespace
}  // namespace vernoli
