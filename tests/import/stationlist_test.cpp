// The station list of a file of several stations: the lists it takes (columns in any order,
// quotes, semicolons with decimal commas, UTF-8, an optional wind height) and its refusals word
// for word, each naming the file, the line and the column.
#include "import/stationlist.h"

#include <gtest/gtest.h>

#include <string>

#include "../model/scratch_folder.h"

namespace vernoli {
namespace {

using test_support::ScratchFolder;
using test_support::WriteBytes;

class StationListReader : public ::testing::Test {
 protected:
  StationList Read(const std::string& bytes) {
    WriteBytes(path_, bytes);
    return ReadStationList(path_);
  }
  std::string Refusal(const std::string& bytes) {
    std::string message = Read(bytes).Result.Message;
    for (std::size_t at; (at = message.find(path_)) != std::string::npos;) {
      message.replace(at, path_.size(), "L");
    }
    return message;
  }

  ScratchFolder folder_;
  std::string path_ = folder_.File("list.csv");
};

TEST_F(StationListReader, TakesTheColumnsInAnyOrderWithQuotesAndAnOptionalWindHeight) {
  const StationList list = Read(
      "\xEF\xBB\xBF# stations of the network\r\n"
      "Altitude [m],ID,Name,Country,Lat,Lon,Wind height (m)\r\n"
      "1.6,260,De Bilt,Netherlands,52.10,5.18,10\r\n"
      "\r\n"
      "18,\"hyk02\",\"Davis, hyk\",USA,38.54,-121.78,\r\n"
      "-2.5,N\xC3\xAEmes,N\xC3\xAEmes,France,43.86,4.41,2\r\n");
  ASSERT_TRUE(list.Ok()) << list.Result.Message;
  EXPECT_EQ(list.HeaderLine, 2);
  ASSERT_EQ(list.Stations.size(), 3u);
  const ListedStation& bilt = list.Stations[0];
  EXPECT_EQ(bilt.Id, "260");
  EXPECT_EQ(bilt.Name, "De Bilt");
  EXPECT_EQ(bilt.Country, "Netherlands");
  EXPECT_DOUBLE_EQ(bilt.Latitude, 52.10);
  EXPECT_DOUBLE_EQ(bilt.Longitude, 5.18);
  EXPECT_EQ(bilt.Altitude, 2);  // 1.6 m: whole metres
  EXPECT_EQ(bilt.WindHeight, 10.0);
  EXPECT_EQ(bilt.Line, 3);
  const ListedStation* davis = list.Find("hyk02");
  ASSERT_NE(davis, nullptr);
  EXPECT_EQ(davis->Name, "Davis, hyk");
  EXPECT_EQ(davis->Line, 5);
  EXPECT_FALSE(davis->WindHeight.has_value());  // an empty field: none given
  // The id stays as the data file writes it; the texts of the description are Windows-1252.
  const ListedStation* nimes = list.Find("N\xC3\xAEmes");
  ASSERT_NE(nimes, nullptr);
  EXPECT_EQ(nimes->Name, "N\xEEmes");
  EXPECT_EQ(nimes->Altitude, -3);  // half a metre away from zero
  EXPECT_EQ(list.Find("270"), nullptr);
}

TEST_F(StationListReader, SemicolonsWithDecimalCommasAndNoWindHeightColumn) {
  const StationList list = Read(
      "id;name;country;latitude;longitude;altitude\n"
      "16412;Wien;Austria;48,25;16,36;198\n");
  ASSERT_TRUE(list.Ok()) << list.Result.Message;
  ASSERT_EQ(list.Stations.size(), 1u);
  EXPECT_DOUBLE_EQ(list.Stations[0].Latitude, 48.25);
  EXPECT_DOUBLE_EQ(list.Stations[0].Longitude, 16.36);
  EXPECT_FALSE(list.Stations[0].WindHeight.has_value());
}

TEST_F(StationListReader, RefusesNamingTheFileTheLineAndTheColumn) {
  const std::string header = "id,name,country,latitude,longitude,altitude,wind height\n";
  struct Case {
    const char* name;
    std::string bytes;
    std::string message;
  };
  const Case cases[] = {
      {"a column missing", "id,name,latitude,longitude,height\n1,A,50,5,10\n",
       "ERROR:\nfile L, line 1: the header names no column country, altitude; the header of a "
       "station list names id, name, country, latitude, longitude, altitude and optionally "
       "wind height, separated by a tab, a semicolon, a comma or blanks"},
      {"no number", header + "1,A,NL,52.1,5.2,2,10\n2,B,NL,5x,5.2,2,10\n",
       "ERROR:\nfile L, line 3, column 4 (latitude): \"5x\" is no number; the latitude is a "
       "number with a decimal point (such as 52.1)"},
      {"beyond the latitudes", header + "1,A,NL,75.5,5.2,2,\n",
       "ERROR:\nfile L, line 2, column 4 (latitude): the latitude 75.5 lies outside -69.99 .. "
       "69.99 decimal degrees (negative: South)"},
      {"beyond the altitudes", header + "1,A,NL,52,5.2,5000.7,\n",
       "ERROR:\nfile L, line 2, column 6 (altitude): the altitude 5001 lies outside -500 .. "
       "5000 m (whole metres)"},
      {"beyond the wind heights", header + "1,A,NL,52,5.2,2,40\n",
       "ERROR:\nfile L, line 2, column 7 (wind height): the wind height 40 lies outside 0.5 .. "
       "30.0 m (an empty field: the height of --wind-height)"},
      {"a station twice", header + "1,A,NL,52,5,2,\n2,B,NL,52,5,2,\n 1 ,C,NL,52,5,2,\n",
       "ERROR:\nfile L, line 4, column 1 (id): the station \"1\" is listed on line 2 already; "
       "each station is listed once"},
      {"an empty id", header + ",A,NL,52,5,2,\n",
       "ERROR:\nfile L, line 2, column 1 (id): the id is empty; each station of the list has "
       "the id the station column of the data file gives it"},
      {"a short line", header + "1,A,NL,52,5\n",
       "ERROR:\nfile L, line 2, column 6 (altitude): the line ends after 5 fields, before the "
       "altitude of column 6; the fields of this list are separated by comma (,)"},
      {"a field too many", header + "1,A,NL,52,5,2,2,x\n",
       "ERROR:\nfile L, line 2, column 8: a field beyond the 7 columns the header (line 1) "
       "names; the fields of this list are separated by comma (,)"},
      {"a broken quote", header + "1,\"A,NL,52,5,2,2\n",
       "ERROR:\nfile L, line 2, column 2 (name): a quoted field is not closed before the end of "
       "the line; the fields of this list are separated by comma (,)"},
      {"no station", "# none yet\n" + header,
       "ERROR:\nfile L, line 2: the header is followed by no station; a station list has one "
       "line per station after its header"},
      {"empty", "\n\n",
       "ERROR:\nfile L is empty; a station list has a header naming id, name, country, "
       "latitude, longitude, altitude and optionally wind height, then one line per station"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Refusal(c.bytes), c.message);
    EXPECT_TRUE(Read(c.bytes).Stations.empty());
  }
}

TEST_F(StationListReader, AListThatCannotBeOpenedIsRefusedNamingIt) {
  const StationList list = ReadStationList(folder_.File("none.csv"));
  EXPECT_FALSE(list.Ok());
  EXPECT_EQ(list.Result.Message.rfind("ERROR:\ncannot open file " + folder_.File("none.csv"), 0),
            0u)
      << list.Result.Message;
}

}  // namespace
}  // namespace vernoli
