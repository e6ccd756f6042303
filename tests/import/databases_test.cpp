// The two database exports: the station lines, the element mapping, the transposed file, the
// location classes from the data, and the files that are refused with the reason.
#include "import/databases.h"

#include <gtest/gtest.h>

#include "../model/scratch_folder.h"
#include "import/importstation.h"
#include "model/linereader.h"
#include "model/numbers.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::WriteBytes;

std::string Twelve(const std::string& line) {
  std::string bytes;
  for (int i = 0; i < 12; ++i) bytes += line + "\r\n";
  return bytes;
}

// An element line: the code, three fields not read and 12 monthly values of `value`.
std::string Element(int code, const std::string& value, int months = 12) {
  std::string line = std::to_string(code) + " 1 2 3";
  for (int m = 0; m < months; ++m) line += " " + value;
  return line + "\r\n";
}

std::string Meteorix(const std::string& elements) {
  return "header\r\nid ROMA 99 ITALY 12.58 41.80 56\r\nunits\r\ncolumns\r\n" + elements +
         "\r\nremarks\r\n";
}

// ---------------------------------------------------------------------------------------------
// Location classes

TEST(ClassesFromData, Boundaries) {
  struct Case {
    const char* name;
    int32_t altitude;
    double humidity, wind;
    LocationClasses classes;
    double rs, tdew;
  };
  const Case cases[] = {
      {"20 m coast, 62 % arid, 1.25 light", 20, 62.0, 1.25,
       {Location::Coast, Climate::Arid, WindClass::Light}, 0.19, 2.0},
      {"21 m interior, humid, 3 m/s strong", 21, 62.1, 3.0,
       {Location::Interior, Climate::Humid, WindClass::ModerateToStrong}, 0.16, 0.0},
      {"moderate", 500, 80.0, 2.9,
       {Location::Interior, Climate::Humid, WindClass::LightToModerate}, 0.16, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RepClimateFile station;
    LocationClasses classes;
    ClassFromAltitude(c.altitude, station, classes);
    ClassFromHumidity(c.humidity, station, classes);
    ClassFromWind(c.wind, station, classes);
    EXPECT_EQ(classes, c.classes);
    EXPECT_EQ(station.HargreavesRsCoefficient, c.rs);
    EXPECT_EQ(station.TdewTminDifference, c.tdew);
    EXPECT_EQ(station.DefaultU2, c.wind);
  }
}

TEST(ClassesFromData, AMeanOnABoundaryFallsInTheClassOfTheBoundary) {
  // Means computed from monthly values lie a unit of the last place off: 12 x 259.2 km/day is a
  // mean of 2.999999999999999 m/sec, and these humidities, whose mean is 62, sum to
  // 744.0000000000001.
  ScratchFolder folder;
  const double humidity[12] = {69.3, 69.2, 55.8, 56.3, 67.5, 66.0,
                               65.0, 59.6, 64.1, 64.1, 63.7, 43.4};
  std::string bytes = "1,'Oasis',120,30.00,x,10.00,y\r\n";
  for (double rh : humidity) bytes += "30 20 " + FormatReal(rh, 4, 1) + " 259.2 9 20 0\r\n";
  WriteBytes(folder.File("OASIS.PEN"), bytes);
  const HydrolexFile file = ReadHydrolexFile(folder.File("OASIS.PEN"), -999.0);
  ASSERT_TRUE(file.Scan.Ok());
  RepClimateFile station;
  LocationClasses classes;
  ClassFromHumidity(file.MeanHumidity, station, classes);
  ClassFromWind(file.MeanWind, station, classes);
  EXPECT_EQ(classes.Humidity, Climate::Arid);
  EXPECT_EQ(classes.Wind, WindClass::ModerateToStrong);
  EXPECT_NEAR(station.DefaultU2, 3.0, 1e-12);

  // Either side of every boundary, a little off it, as before.
  struct Case {
    double humidity, wind;
    Climate climate;
    WindClass winds;
  };
  const Case cases[] = {
      {62.00000000000001, 1.2500000000000002, Climate::Arid, WindClass::Light},
      {61.99999999999999, 1.2499999999999998, Climate::Arid, WindClass::Light},
      {62.0001, 1.2501, Climate::Humid, WindClass::LightToModerate},
      {70.0, 2.9999, Climate::Humid, WindClass::LightToModerate},
      {70.0, 3.0000000000000004, Climate::Humid, WindClass::ModerateToStrong},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.humidity << " %, " << c.wind << " m/sec");
    ClassFromHumidity(c.humidity, station, classes);
    ClassFromWind(c.wind, station, classes);
    EXPECT_EQ(classes.Humidity, c.climate);
    EXPECT_EQ(classes.Wind, c.winds);
  }
}

// ---------------------------------------------------------------------------------------------
// Hydrolex

TEST(Hydrolex, StationLineFieldsCountFromTheEnd) {
  DatabaseStation station;
  std::string reason;
  ASSERT_TRUE(ParseHydrolexStationLine("17,Lazio,'Rome',56,41.80,x,-3.5,end", "R.PEN", station,
                                       reason));
  EXPECT_EQ(station.StationName, "Rome");
  EXPECT_EQ(station.Altitude, 56);
  EXPECT_EQ(station.Latitude, 41.8);
  EXPECT_EQ(station.Longitude, -3.5);
  // Exactly six fields: the name starts the line.
  ASSERT_TRUE(ParseHydrolexStationLine("\"Oslo\",94,59.9,x,10.7,", "O.PEN", station, reason));
  EXPECT_EQ(station.StationName, "Oslo");
}

TEST(Hydrolex, StationLineFaultsNameTheFileAndLine) {
  DatabaseStation station;
  std::string reason;
  EXPECT_FALSE(ParseHydrolexStationLine("'Rome',41.8,x,-3.5,end", "R.PEN", station, reason));
  EXPECT_EQ(reason,
            "the station line of file R.PEN, line 1, needs 6 fields separated by commas");
  EXPECT_FALSE(ParseHydrolexStationLine("'Rome',56m,41.8,x,-3.5,end", "R.PEN", station, reason));
  EXPECT_EQ(reason, "cannot read a number in file R.PEN, line 1");
}

TEST(Hydrolex, ALocationTheStationsFieldsWouldNotAcceptIsRefusedNamingItsColumn) {
  struct Case {
    const char* line;
    std::string reason;  // empty: accepted
  };
  const std::string where = " in file F.PEN, line 1, column ";
  const Case cases[] = {
      {"1,'Far',100,95,x,200,y",
       "the latitude 95" + where + "13, lies outside -69.99 .. 69.99 decimal degrees (negative: South)"},
      {"1,'Far',100,45, x , 200 ,y",
       "the longitude 200" + where + "21, lies outside -179.99 .. 179.99 decimal degrees (negative: "
       "West)"},
      {"1,'Far',100,-69.991,x,0,y",
       "the latitude -69.991" + where + "13, lies outside -69.99 .. 69.99 decimal degrees "
       "(negative: South)"},
      {"1,'Far',-501,0,x,0,y", "the altitude -501" + where + "9, lies outside -500 .. 5000 m"},
      {"1,'Far',5000,-69.99,x,-179.99,y", ""},
      {"1,'Far',-500,69.99,x,179.99,y", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    DatabaseStation station;
    std::string reason;
    EXPECT_EQ(ParseHydrolexStationLine(c.line, "F.PEN", station, reason), c.reason.empty());
    EXPECT_EQ(reason, c.reason);
  }
}

TEST(Hydrolex, AStationLineLongerThanALineOfTextMakesTheFileUnreadable) {
  ScratchFolder folder;
  WriteBytes(folder.File("L.PEN"), "'A'," + std::string(70000, ',') + "\r\n" + Twelve("1 2 3"));
  const HydrolexFile file = ReadHydrolexFile(folder.File("L.PEN"), -999.0);
  EXPECT_EQ(file.Scan.Outcome, ScanOutcome::Unreadable);
  EXPECT_EQ(file.Scan.Reason, ReasonLineTooLong(folder.File("L.PEN"), 1));
}

TEST(Hydrolex, AStationLineWithoutItsFieldsMakesTheFileUnreadable) {
  ScratchFolder folder;
  WriteBytes(folder.File("B.PEN"), "'A',21,10.0,5.0,y\r\n" + Twelve("1 2 3 4 5 6 7"));
  const HydrolexFile bad = ReadHydrolexFile(folder.File("B.PEN"), -999.0);
  EXPECT_EQ(bad.Scan.Outcome, ScanOutcome::Unreadable);
  EXPECT_EQ(FileStatus(bad.Scan).Error2,
            "the station line of file " + folder.File("B.PEN") +
                ", line 1, needs 6 fields separated by commas");
}

// ---------------------------------------------------------------------------------------------
// Meteorix

TEST(Meteorix, RecognisedElementsBecomeColumnsAndTheTransposedFile) {
  ScratchFolder folder;
  WriteBytes(folder.File("R.DAT"), Meteorix(Element(201, "10") + Element(202, "2.345") +
                                            Element(999, "x") + Element(258, "70.12345")));
  const MeteorixFile file = ReadMeteorixFile(folder.File("R.DAT"));
  ASSERT_TRUE(file.Scan.Ok()) << file.Scan.Reason;
  EXPECT_EQ(file.Station.StationName, "ROMA");
  EXPECT_EQ(file.Station.Country, "ITALY");
  EXPECT_EQ(file.Station.Latitude, 41.8);
  EXPECT_EQ(file.Station.Longitude, 12.58);
  EXPECT_EQ(file.Station.Altitude, 56);
  EXPECT_EQ(file.TableRows, (std::vector<int>{1, 3, 8}));
  EXPECT_EQ(file.Scan.Lines, 12);
  EXPECT_EQ(FileStatus(file.Scan).NrLines, "12 months");
  EXPECT_EQ(FileStatus(file.Scan).NrColumns, "3 climatic parameters");
  EXPECT_EQ(file.Scan.Maximum[1], 2.345);

  ASSERT_TRUE(WriteTransposedFile(file, folder.File("TransposedData.DEL")));
  const std::string line = "          10.00           2.35        70.1235\r\n";
  std::string expected;
  for (int m = 0; m < 12; ++m) expected += line;
  EXPECT_EQ(ReadBytes(folder.File("TransposedData.DEL")), expected);

  RepClimateFile station = ImportStationReset(ImportKind::Meteorix);
  LocationClasses classes;
  ApplyMeteorixClasses(file, station, classes);
  EXPECT_EQ(classes.Site, Location::Interior);
  EXPECT_EQ(classes.Humidity, Climate::Humid);
  EXPECT_EQ(station.DefaultU2, 2.0);  // no wind data: the reset's
}

TEST(Meteorix, HumiditySummingToZeroKeepsTheResetClass) {
  ScratchFolder folder;
  WriteBytes(folder.File("R.DAT"), Meteorix(Element(258, "0") + Element(297, "1.0")));
  const MeteorixFile file = ReadMeteorixFile(folder.File("R.DAT"));
  RepClimateFile station = ImportStationReset(ImportKind::Meteorix);
  LocationClasses classes;
  ApplyMeteorixClasses(file, station, classes);
  EXPECT_EQ(classes.Humidity, Climate::Humid);
  EXPECT_EQ(station.TdewTminDifference, 0.0);
  EXPECT_EQ(classes.Wind, WindClass::Light);
  EXPECT_EQ(station.DefaultU2, 1.0);
}

TEST(Meteorix, RefusedFilesSayWhy) {
  ScratchFolder folder;
  const std::string path = folder.File("R.DAT");
  std::string fifteen;
  for (int i = 0; i < 15; ++i) fifteen += Element(999, "1");
  std::string eleven;
  for (int code : {201, 202, 203, 251, 258, 280, 295, 296, 297, 298, 299}) {
    eleven += Element(code, "1");
  }
  struct Case {
    const char* name;
    std::string bytes;
    std::string reason;
  };
  const Case cases[] = {
      {"station line of 5 fields", "h\r\nROMA 99 ITALY 12.5 41.8\r\n",
       "the station line of file " + path + ", line 2, needs 6 fields separated by blanks"},
      {"altitude no number", "h\r\nid ROMA 99 ITALY 12.5 41.8 high\r\n",
       "cannot read a number in file " + path + ", line 2"},
      {"altitude beyond the fields", "h\r\nid ROMA 99 ITALY 12.5 41.8 5001\r\n",
       "the altitude 5001 in file " + path + ", line 2, column 28, lies outside -500 .. 5000 m"},
      {"longitude beyond the fields", "h\r\nid ROMA 99 ITALY -180 41.8 56\r\n",
       "the longitude -180 in file " + path +
           ", line 2, column 18, lies outside -179.99 .. 179.99 decimal degrees (negative: West)"},
      {"11 monthly values", Meteorix(Element(201, "1") + Element(202, "1", 11)),
       "too few values in file " + path + ", line 6"},
      {"a value that is no number", Meteorix(Element(201, "1,5")),
       "cannot read a number in file " + path + ", line 5"},
      {"15 element lines", Meteorix(fifteen),
       "file " + path + " has more than 14 element lines; the import can hold 14"},
      {"11 elements", Meteorix(eleven),
       "file " + path + " has more than 10 climatic elements; the import can hold 10"},
      {"an element line without its end", Meteorix(Element(201, "1") + std::string(70000, '7')),
       ReasonLineTooLong(path, 6)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(path, c.bytes);
    const MeteorixFile file = ReadMeteorixFile(path);
    EXPECT_EQ(file.Scan.Outcome, ScanOutcome::Unreadable);
    EXPECT_EQ(file.Scan.Reason, c.reason);
    EXPECT_TRUE(file.Values.empty());
  }
  // No recognised element: an empty file.
  WriteBytes(path, Meteorix(Element(999, "1")));
  EXPECT_EQ(ReadMeteorixFile(path).Scan.Outcome, ScanOutcome::EmptyFile);
}

}  // namespace
}  // namespace vernoli
