// One station of a delimited file of several stations, as the import form reads it: the station
// column chosen, the stations it names, one station read at a time (its span, values, preview
// and import), the columns that name no stations, and the hint a reading as one station ends
// with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../stations/station_folder.h"
#include "import/session.h"
#include "import/stationchoice.h"

namespace vernoli {
namespace {

using test_support::ScratchFolder;
using test_support::WriteBytes;

// Three stations of made-up values, their lines grouped; station 344 lacks 2 and 3 March.
constexpr std::string_view kThreeStations =
    "# made-up values\n"
    "STN,date,tmax,tmin\n"
    "260,2001-03-01,12.5,3.0\n"
    "260,2001-03-02,13.0,3.5\n"
    "260,2001-03-03,14.0,4.5\n"
    "344,2001-03-01,10.0,1.0\n"
    "344,2001-03-04,11.0,2.0\n"
    "380,2001-02-27,9.0,0.5\n";

struct StationsRun {
  ScratchFolder input;
  ScratchFolder data;
  ImportSession session{input.Folder()};
  std::string message;  // of choosing the file

  explicit StationsRun(std::string_view bytes = kThreeStations) {
    WriteBytes(input.File("IN.csv"), std::string(bytes));
    session.ChangeKind(ImportKind::Delimited);
    message = Plain(session.ChooseFile("IN.csv"));
  }
  std::vector<std::string> Ids() const {
    std::vector<std::string> ids;
    for (const StationRows& rows : session.StationsFound()) ids.push_back(rows.Id);
    return ids;
  }
  std::string Plain(std::string text) const {
    const std::string path = input.File("IN.csv");
    for (std::size_t at; (at = text.find(path)) != std::string::npos;) {
      text.replace(at, path.size(), "IN.csv");
    }
    return text;
  }
};

TEST(StationChoice, AFileOfSeveralStationsReadAsOneEndsWithAHintNamingTheStationColumn) {
  StationsRun run;
  EXPECT_EQ(run.message,
            "ERROR:\nfile IN.csv, line 6, column 2 (date): the date 2001-03-01 comes after "
            "2001-03-03 of line 5; the dates rise from line to line; the file seems to hold "
            "several stations in column STN: choose it as the station column, or import every "
            "station with vernoli-batch import --station-column STN");
  EXPECT_FALSE(run.session.FileLampGreen());

  // Without a header the column goes by its number; the station column is the one whose
  // value stays over the first station's lines, not tmax, which changes on every line.
  StationsRun numbered("260;2001-03-01;12.5\n260;2001-03-02;13.0\n261;2001-03-02;14.0\n");
  EXPECT_TRUE(numbered.message.ends_with(
      "line 3, column 2: the date 2001-03-02 is given on line 2 already; each date is given "
      "once; the file seems to hold several stations in column 1: choose it as the station "
      "column, or import every station with vernoli-batch import --station-column 1"))
      << numbered.message;

  // No hint where no column stays and then changes, nor where the date comes again on the
  // second data line, nor for a column the header proposes a code for (tmax).
  for (const char* bytes : {"date,tmax\n2001-03-01,12.5\n2001-03-01,12.5\n",
                            "STN,date\n260,2001-03-01\n261,2001-03-01\n",
                            "date,tmax\n2001-03-01,12.5\n2001-03-02,12.5\n2001-03-01,13.0\n"}) {
    StationsRun repeated(bytes);
    EXPECT_TRUE(repeated.message.ends_with("line to line") ||
                repeated.message.ends_with("each date is given once"))
        << repeated.message;
  }
}

TEST(StationChoice, TheStationColumnListsItsStationsAndReadsTheFirst) {
  StationsRun run;
  EXPECT_EQ(run.session.ChooseStationColumn(1), "");
  const ImportSession& s = run.session;
  EXPECT_EQ(s.StationColumn(), 1);
  EXPECT_EQ(run.Ids(), (std::vector<std::string>{"260", "344", "380"}));
  EXPECT_EQ(StationRowsText(s.StationsFound()[0]), "260 (3 rows)");
  EXPECT_EQ(StationRowsText(s.StationsFound()[2]), "380 (1 row)");
  EXPECT_EQ(s.ChosenStation(), 0);
  EXPECT_TRUE(s.FileLampGreen());
  EXPECT_EQ(s.Span().StoredFirst(), (Date{1, 3, 2001}));
  EXPECT_EQ(s.Span().StoredLast(), (Date{3, 3, 2001}));
  EXPECT_TRUE(s.DelimitedColumns()[0].Station);

  // The station column back to none: the file is one station again, and refused.
  EXPECT_TRUE(run.Plain(run.session.ChooseStationColumn(0)).ends_with("--station-column STN"));
  EXPECT_EQ(s.StationColumn(), 0);
  EXPECT_TRUE(s.StationsFound().empty());
  EXPECT_EQ(s.ChosenStation(), -1);
  EXPECT_FALSE(s.FileLampGreen());
}

TEST(StationChoice, AStationChosenIsReadPreviewedAndImportedOnItsOwn) {
  StationsRun run;
  run.session.ChooseStationColumn(1);
  EXPECT_EQ(run.session.ChooseStation(1), "");
  const ImportSession& s = run.session;
  EXPECT_EQ(s.ChosenStation(), 1);
  EXPECT_EQ(s.Span().StoredFirst(), (Date{1, 3, 2001}));
  EXPECT_EQ(s.Span().StoredLast(), (Date{4, 3, 2001}));
  EXPECT_EQ(s.RecordText(), "number of daily records = 4");
  EXPECT_EQ(s.DelimitedRead().Series[0].Values,
            (std::vector<double>{10.0, kMissing, kMissing, 11.0}));
  // The preview: the header, then the station's own lines.
  const std::vector<PreviewLine> preview = s.PreviewLines(12);
  ASSERT_EQ(preview.size(), 3u);
  EXPECT_EQ(preview[0].Number, 2);
  EXPECT_EQ(preview[1].Fields, (std::vector<std::string>{"344", "2001-03-01", "10.0", "1.0"}));
  EXPECT_EQ(preview[2].Number, 7);
  // A station outside the list changes nothing.
  EXPECT_EQ(run.session.ChooseStation(3), "");
  EXPECT_EQ(s.ChosenStation(), 1);

  // A layout choice indexes the file again and keeps the station read.
  EXPECT_EQ(run.session.SetSeparator(FieldSeparator::Comma), "");
  EXPECT_EQ(s.ChosenStation(), 1);
  EXPECT_EQ(s.Span().StoredLast(), (Date{4, 3, 2001}));

  const ImportResult result = run.session.Import(run.data.Folder(), "P_344");
  ASSERT_TRUE(result.Imported()) << result.Message;
  EXPECT_EQ(result.Station.NumberOfRecords, 4);

  // Another file forgets the station column.
  WriteBytes(run.input.File("IN.csv"), "date,tmax\n2001-03-01,12.5\n");
  EXPECT_EQ(run.session.ChooseFile("IN.csv"), "");
  EXPECT_EQ(s.StationColumn(), 0);
  EXPECT_EQ(s.RecordText(), "number of daily records = 1");
}

TEST(StationChoice, AColumnThatNamesNoStationsIsRefusedAndTheFileStaysOneStation) {
  StationsRun run;
  EXPECT_EQ(run.Plain(run.session.ChooseStationColumn(3)),
            "ERROR:\nfile IN.csv, column 3 (tmax): each of its 6 data lines names another "
            "station; a station column repeats the station on each of its lines");
  EXPECT_EQ(run.session.StationColumn(), 0);
  EXPECT_TRUE(run.session.StationsFound().empty());
  EXPECT_FALSE(run.session.FileLampGreen());

  // The index's own refusal: a line without its station.
  StationsRun empty("STN,date,tmax\n260,2001-03-01,12.5\n,2001-03-02,13.0\n");
  EXPECT_EQ(empty.Plain(empty.session.ChooseStationColumn(1)),
            "ERROR:\nfile IN.csv, line 3, column 1 (STN): the station column is empty; each "
            "data line names its station there");
  EXPECT_EQ(empty.session.StationColumn(), 0);
}

TEST(StationChoice, RowCountsAreGroupedByThousands) {
  EXPECT_EQ(GroupedThousands(999), "999");
  EXPECT_EQ(StationRowsText({"DE BILT", 1, 2, 0, 0, 1234567}), "DE BILT (1,234,567 rows)");
}

}  // namespace
}  // namespace vernoli
