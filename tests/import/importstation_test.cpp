// The import session from a chosen file to the new station: the reset, the checks of the Import
// button in their order, the bytes of the new data file, and the folder left as it was when
// anything fails.
#include "import/session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <random>
#include <span>
#include <vector>

#include "../stations/station_folder.h"
#include "model/atomicfile.h"
#include "model/datafile.h"
#include "model/numbers.h"

namespace vernoli {
namespace {

using test_support::FailureHooksLifted;
using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::Snapshot;
using test_support::WriteBytes;

std::string Repeat(int count, const std::string& line) {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes += line + "\r\n";
  return bytes;
}

// An import of IN.CXT (written with `bytes`) from its own folder into `data`.
struct TextImport {
  ScratchFolder input;
  ScratchFolder data;
  ImportSession session{input.Folder()};

  explicit TextImport(const std::string& bytes, const char* undefined = nullptr) {
    WriteBytes(input.File("IN.CXT"), bytes);
    session.ChangeFolder(input.Folder());
    if (undefined != nullptr) session.EnterUndefined(undefined, true);
    session.ChooseFile("IN.CXT");
  }
  void Codes(std::initializer_list<int> codes) {
    int column = 0;
    for (int code : codes) {
      session.SelectColumn(column++);
      session.ChooseCode(RowOfCode(code));
    }
  }
};

TEST(ImportReset, TheImportsDescriptionStartsAsANewStation) {
  const RepClimateFile text = ImportStationReset(ImportKind::Text);
  EXPECT_EQ(text.Latitude, 22.37);
  EXPECT_EQ(text.Longitude, 22.37);
  EXPECT_EQ(text.Altitude, 100);
  EXPECT_EQ(text.DataType, kDaily);
  EXPECT_EQ(text.From(), (Date{1, 1, 2005}));
  EXPECT_EQ(text.To(), (Date{31, 12, 2005}));
  EXPECT_EQ(text.NumberOfParameters, -999);
  EXPECT_EQ(text.ParameterCodes[0], -999);
  EXPECT_EQ(text.DefaultU2, 2.0);
  EXPECT_EQ(text.Limits.LimitRHmin, 15);
  const RepClimateFile database = ImportStationReset(ImportKind::Hydrolex);
  EXPECT_EQ(database.DataType, kMonthly);
  EXPECT_EQ(database.NumberOfRecords, 12);
  EXPECT_EQ(database.To(), (Date{31, 12, 1901}));

  ImportSession session("/nonexistent/");
  EXPECT_EQ(session.UndefinedText(), "  -999.000");
  EXPECT_EQ(session.WindHeightText(), "   2.0");
  EXPECT_EQ(session.SelectedFile(), "(none)");
  EXPECT_EQ(session.RecordText(), "number of daily records = 365");
}

TEST(ImportExtraColumns, TwinsTheFileLacks) {
  struct Case {
    std::vector<int16_t> codes, extra;
  };
  const Case cases[] = {
      {{101, 202}, {103}},       {{202, 103}, {101}},      {{113}, {111}},
      {{101, 103, 231}, {232}},  {{234, 111}, {113, 233}}, {{102, 401}, {}},
      {{101, 111}, {103}},  // the first code without its twin decides
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.codes));
    EXPECT_EQ(ExtraColumns(c.codes), c.extra);
  }
}

TEST(ImportStation, WritesTheDataFileOfTheLayout) {
  TextImport t("20.5 -99.9\r\n21 55.26\r\n-99.90 60\r\n", "-99.9");
  t.session.ChooseDay(SpanEnd::Last, 3);
  t.session.ChooseMonth(SpanEnd::Last, 1);
  t.Codes({101, 202});
  t.session.SetStationName("Alpha");
  t.session.SetCountry("Beta");
  t.session.SetLimits({-15, 45, 5, 8, 5});  // RHmin 5 %: the report turns green
  ASSERT_TRUE(t.session.Report().LampGreen) << t.session.Report().ErrorParamLabel;
  const ImportResult result = t.session.Import(t.data.Folder(), "My Station");
  ASSERT_TRUE(result.Imported()) << result.Message;
  EXPECT_EQ(ReadBytes(t.data.File("MyStation.DTA")),
            "        Nr       101       202       103       501\r\n"
            "         1      20.5    -999.0    -999.0    -999.0\r\n"
            "         2      21.0      55.3    -999.0    -999.0\r\n"
            "         3    -999.0      60.0    -999.0    -999.0\r\n");
  const RepClimateFile& station = result.Station;
  EXPECT_EQ(station.FileName, "MyStation");
  EXPECT_EQ(station.NumberOfParameters, 4);
  EXPECT_EQ(station.ParameterCodes[2], 103);
  EXPECT_EQ(station.ParameterCodes[3], 501);
  EXPECT_EQ(station.PsychrometerCoefficient, 0.0008);
  EXPECT_EQ(station.Description,
            BuildDescription("Alpha", "Beta", kDaily, {1, 1, 2005}, {3, 1, 2005}));
  RepClimateFile read;
  SetStationFiles(read, t.data.Folder(), "MyStation");
  ASSERT_TRUE(ReadStationDescription(read));
  EXPECT_EQ(read.StationName, "Alpha");
  EXPECT_EQ(read.Limits.LimitRHmin, 5);
  EXPECT_EQ(t.data.Names(), (std::set<std::string>{"MyStation.DSC", "MyStation.DTA"}));
}

TEST(ImportStation, TheButtonChecksTheLampsInTheirOrder) {
  ScratchFolder data;
  ImportSession none("/nonexistent/");
  EXPECT_EQ(none.Import(data.Folder(), "X").Message,
            "ERROR:\nCANNOT import data\nSelect file with climatic data");

  TextImport days(Repeat(365, "20 10"));
  EXPECT_TRUE(days.session.LineStatus().Green);
  days.session.EnterYear(SpanEnd::First, "2004");
  days.session.EnterYear(SpanEnd::Last, "2004");  // 366 records
  EXPECT_EQ(days.session.Import(data.Folder(), "X").Message,
            "ERROR:\nCANNOT import data\nnumber of records DIFFERENT FROM lines in file");
  days.session.EnterYear(SpanEnd::Last, "2005");
  days.session.EnterYear(SpanEnd::First, "2005");
  EXPECT_EQ(days.session.Import(data.Folder(), "X").Message,
            "ERROR:\nCANNOT import data\nCHECK climatic parameters");

  TextImport text(Repeat(364, "20 10") + "20 x\r\n");
  EXPECT_EQ(text.session.Import(data.Folder(), "X").Message,
            "ERROR:\nCANNOT import data\n(some) lines might contain text, or are empty");
  EXPECT_TRUE(data.Names().empty());
}

TEST(ImportStation, ALocationTheFieldsWouldNotAcceptIsNeverWritten) {
  // The station line of a database file is refused when read ...
  ScratchFolder input;
  ScratchFolder data;
  WriteBytes(input.File("FAR.PEN"),
             "1,'Far',100,95,x,200,y\r\n" + Repeat(12, "20.1 8.2 62 172.8 7.1 18.05 3.3"));
  ImportSession hydrolex(input.Folder());
  hydrolex.ChangeKind(ImportKind::Hydrolex);
  EXPECT_EQ(hydrolex.ChooseFile("FAR.PEN"),
            "ERROR:\nthe latitude 95 in file " + input.File("FAR.PEN") +
                ", line 1, column 13, lies outside -69.99 .. 69.99 decimal degrees (negative: "
                "South)");
  EXPECT_FALSE(hydrolex.Import(data.Folder(), "FAR").Imported());

  // ... and whatever the source, the import itself refuses what the fields would not accept.
  TextImport t(Repeat(365, "20 10"));
  t.Codes({101, 103});
  t.session.SetLocation(95.0, 200.0, 100);
  const ImportResult result = t.session.Import(t.data.Folder(), "FAR");
  EXPECT_EQ(result.Failure, ImportFailure::Refused);
  EXPECT_EQ(result.Message,
            "ERROR:\nCANNOT import data\nthe latitude 95.00 lies outside -69.99 .. 69.99 "
            "decimal degrees (negative: South)");
  t.session.SetLocation(-69.99, -179.99, 5001);
  EXPECT_EQ(t.session.Import(t.data.Folder(), "FAR").Message,
            "ERROR:\nCANNOT import data\nthe altitude 5001 lies outside -500 .. 5000 m");
  EXPECT_TRUE(data.Names().empty());
  EXPECT_TRUE(t.data.Names().empty());
  t.session.SetLocation(-69.99, -179.99, 5000);
  EXPECT_TRUE(t.session.Import(t.data.Folder(), "FAR").Imported());
}

TEST(ImportStation, SpansOfTenDailyAndMonthlyData) {
  TextImport t(Repeat(36, "20 10"));
  t.session.SetDataType(kTenDaily);
  EXPECT_EQ(t.session.RecordText(), "number of 10-daily records = 36");
  t.Codes({101, 103});
  const ImportResult result = t.session.Import(t.data.Folder(), "D");
  ASSERT_TRUE(result.Imported()) << result.Message;
  EXPECT_EQ(result.Station.To(), (Date{31, 12, 2005}));

  TextImport m(Repeat(2, "20 10"));
  m.session.SetDataType(kMonthly);
  m.session.SetNotLinked(true);
  m.session.ChooseMonth(SpanEnd::Last, 2);
  EXPECT_TRUE(m.session.LineStatus().Green);
  EXPECT_EQ(m.session.Station().ToDay, 28);
}

TEST(ImportStation, ARefusedNameOrAFailedWriteLeavesTheFolderAsItWas) {
  FailureHooksLifted lifted;
  TextImport t(Repeat(365, "20 10"));
  t.Codes({101, 103});
  WriteBytes(t.data.File("alpha.DSC"), "old\r\n");
  const auto before = Snapshot(t.data);
  const ImportResult exists = t.session.Import(t.data.Folder(), "alpha");
  EXPECT_EQ(exists.Failure, ImportFailure::FileName);
  EXPECT_EQ(exists.Message, "ERROR:\nFilename exists already");
  EXPECT_EQ(t.session.Import(t.data.Folder(), "  ").Message,
            "ERROR:\nFileName is not yet specified");
  EXPECT_EQ(t.session.Import(t.data.Folder(), "../x").Message, "ERROR:\nillegal filename");

  struct Failure {
    const char* name;
    void (*inject)();
  };
  const Failure failures[] = {
      {"disk full in the data file",
       [] { AtomicFile::InjectDiskFullForTesting(".NEW.DTA.", 5000); }},
      {"disk full in the description",
       [] { AtomicFile::InjectDiskFullForTesting(".NEW.DSC.", 100); }},
      {"second rename fails", [] { FileSet::InjectRenameFailureForTesting(2); }},
  };
  for (const Failure& f : failures) {
    SCOPED_TRACE(f.name);
    f.inject();
    const ImportResult result = t.session.Import(t.data.Folder(), "NEW");
    EXPECT_EQ(result.Failure, ImportFailure::Files);
    EXPECT_EQ(Snapshot(t.data), before);
    AtomicFile::InjectDiskFullForTesting("", SIZE_MAX);
    FileSet::InjectRenameFailureForTesting(0);
  }
  // The source changed since it was scanned: refused, nothing written.
  WriteBytes(t.input.File("IN.CXT"), Repeat(300, "20 10"));
  const ImportResult changed = t.session.Import(t.data.Folder(), "NEW");
  EXPECT_EQ(changed.Failure, ImportFailure::Files);
  EXPECT_EQ(Snapshot(t.data), before);
}

// ---------------------------------------------------------------------------------------------
// A file changed after it was checked

TEST(ImportStation, AValueChangedSinceTheScanIsNeverWritten) {
  // 12345678901 in a field of 10 characters: the file was changed between the scan and the import.
  TextImport t(Repeat(365, "20 10"));
  t.Codes({101, 103});
  ASSERT_TRUE(t.session.Report().LampGreen);
  WriteBytes(t.input.File("IN.CXT"), Repeat(6, "20 10") + "12345678901 10\r\n" + Repeat(358, "20 10"));
  const ImportResult result = t.session.Import(t.data.Folder(), "NEW");
  EXPECT_EQ(result.Failure, ImportFailure::Files);
  EXPECT_EQ(result.Message, "ERROR:\nfile " + t.input.File("IN.CXT") +
                                " has changed since it was checked: line 7, column 1 holds "
                                "12345678901, beyond the limits -15.0 .. 45.0");
  EXPECT_TRUE(t.data.Names().empty());
}

TEST(ImportStation, ADataLineNamesTheFirstValueLongerThanItsField) {
  const int16_t codes[] = {101, 401, 202};
  std::string line;
  const double fits[] = {20.54, 9999999.99, -99.9};
  EXPECT_EQ(ImportedDataLine(7, fits, codes, 1, -99.9, line), -1);
  EXPECT_EQ(line, "         7      20.59999999.99    -999.0    -999.0    -999.0");
  const double tooLong[] = {20.5, 12345678.91, -12345678.9};
  EXPECT_EQ(ImportedDataLine(7, tooLong, codes, 0, -999.0, line), 1);
}

// A record line is the record number I(10) and each value R(10) with its code's decimals, the
// undefined value written as -999, then -999.0 for each extra column and ETo: the line built
// field by field from FormatInt and FormatReal, whichever way it is written.
TEST(ImportStation, ADataLineIsItsFieldsFormattedOneByOne) {
  const std::vector<int16_t> codes{101, 103, 201, 203, 301, 423, 402, 404, 501, 231};
  std::vector<int> decimals;
  for (int16_t code : codes) decimals.push_back(DecimalsOfCode(code));
  std::mt19937_64 random(5);
  std::vector<double> pool{-999.0, -99.9, 9999.0, -0.04, -0.05, 0.05, 0.15, 2.25, -1.25, 2.675,
                           1e7, -1e7, 9999999.99, 12345678.9, 1e12, -1e15, 4.6e15, 1e300,
                           std::nextafter(-999.0, 0.0), -999.0004, -998.9996, -99.9004,
                           std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::quiet_NaN()};
  for (int k = -20000; k <= 20000; k += 7) {
    pool.push_back(k / 100.0 + 0.005);  // ties of 2 decimals
    pool.push_back(k / 10.0 + 0.05);    // ties of 1 decimal
    pool.push_back(k / 1000.0);
  }
  for (int i = 0; i < 20000; ++i) {
    pool.push_back(std::uniform_real_distribution<double>(-2000.0, 2000.0)(random));
    pool.push_back(std::uniform_real_distribution<double>(-1e8, 1e8)(random));
  }
  std::string line;
  for (double undefined : {-999.0, -99.9, 9999.0}) {
    for (int n = 0; n < 20000; ++n) {
      const auto count = static_cast<std::size_t>(random() % (codes.size() + 1));
      const int extra = static_cast<int>(random() % 3);
      const int64_t number = n % 50 == 0 ? 12345678901 : static_cast<int64_t>(random() % 80000);
      std::vector<double> values(count);
      for (double& value : values) value = pool[random() % pool.size()];
      const std::span<const int16_t> used(codes.data(), count);
      std::string expected = FormatInt(number, 10);
      int tooLong = -1;
      for (std::size_t c = 0; c < count; ++c) {
        const double value = IsUndefinedValue(values[c], undefined) ? kMissing : values[c];
        const std::string field = FormatReal(value, 10, decimals[c]);
        if (field.size() > 10 && tooLong < 0) tooLong = static_cast<int>(c);
        expected += field;
      }
      for (int i = 0; i <= extra; ++i) expected += "    -999.0";
      ASSERT_EQ(ImportedDataLine(number, values, used, extra, undefined, line), tooLong);
      ASSERT_EQ(line, expected) << "record " << number;
    }
  }
}

TEST(ImportStation, EveryChangeOfTheFileSinceItWasCheckedIsRefusedSayingWhat) {
  struct Case {
    const char* name;
    std::string bytes;
    std::string what;  // after "has changed since it was checked: "
  };
  const Case cases[] = {
      {"a value beyond the limits", Repeat(2, "20 10") + "20 -15.1\r\n" + Repeat(362, "20 10"),
       "line 3, column 2 holds -15.1, beyond the limits -15.0 .. 45.0"},
      {"text on a line", Repeat(2, "20 10") + "20 x\r\n" + Repeat(362, "20 10"),
       "line 3 holds text or is empty"},
      {"an illegal number", "20 1-0\r\n" + Repeat(364, "20 10"), "line 1 holds an illegal number"},
      {"a value more", Repeat(364, "20 10") + "20 10 5\r\n", "line 365 holds 3 values, not 2"},
      {"a value less", "20\r\n" + Repeat(364, "20 10"), "line 1 holds 1 value, not 2"},
      {"fewer lines", Repeat(300, "20 10"), "300 data lines for 365 records"},
      {"more lines", Repeat(366, "20 10"), "more than 365 data lines for 365 records"},
      {"other values within the limits", Repeat(364, "20 10") + "21 10\r\n",
       "the values of column 1 are not those that were checked"},
      {"no file", "", "no file to read"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TextImport t(Repeat(365, "20 10"));
    t.Codes({101, 103});
    ASSERT_TRUE(t.session.Report().LampGreen);
    if (c.bytes.empty()) {
      std::filesystem::remove(t.input.File("IN.CXT"));
    } else {
      WriteBytes(t.input.File("IN.CXT"), c.bytes);
    }
    const ImportResult result = t.session.Import(t.data.Folder(), "NEW");
    EXPECT_EQ(result.Failure, ImportFailure::Files);
    if (c.bytes.empty()) {
      EXPECT_EQ(result.Message,
                "ERROR:\ncannot open file " + t.input.File("IN.CXT") + ": No such file or directory");
    } else {
      EXPECT_EQ(result.Message, "ERROR:\nfile " + t.input.File("IN.CXT") +
                                    " has changed since it was checked: " + c.what);
    }
    EXPECT_TRUE(t.data.Names().empty());
  }
}

TEST(ImportStation, AChangedHydrolexOrTransposedFileIsRefused) {
  ScratchFolder input;
  ScratchFolder data;
  const std::string station = "1,'Rome',20,41.80,x,-3.5,y\r\n";
  const std::string dry = "20.1 8.2 50 172.8 7.1 18.05 3.3";
  const std::string humid = "20.1 8.2 70 172.8 7.1 18.05 3.3";
  WriteBytes(input.File("ROME.PEN"), station + Repeat(6, dry) + Repeat(6, humid));
  ImportSession hydrolex(input.Folder());
  hydrolex.ChangeKind(ImportKind::Hydrolex);
  hydrolex.ChooseFile("ROME.PEN");
  ASSERT_TRUE(hydrolex.Report().LampGreen);
  WriteBytes(input.File("ROME.PEN"), station + Repeat(6, dry) + Repeat(7, humid));
  EXPECT_EQ(hydrolex.Import(data.Folder(), "ROME").Message,
            "ERROR:\nfile " + input.File("ROME.PEN") +
                " has changed since it was checked: more than 12 data lines for 12 records");
  // The mean humidity decided the class: other humidities, the same smallest and largest.
  WriteBytes(input.File("ROME.PEN"), station + Repeat(5, dry) + Repeat(7, humid));
  EXPECT_EQ(hydrolex.Import(data.Folder(), "ROME").Message,
            "ERROR:\nfile " + input.File("ROME.PEN") +
                " has changed since it was checked: the values of column 3 are not those that "
                "were checked");

  WriteBytes(input.File("R.DAT"),
             "h\r\nid ROMA 99 ITALY 12.58 41.80 56\r\nu\r\nc\r\n"
             "201 1 2 3 10 11 12 13 14 15 16 17 18 19 20 21\r\n");
  ImportSession meteorix(input.Folder());
  meteorix.ChangeKind(ImportKind::Meteorix);
  meteorix.ChooseFile("R.DAT");
  ASSERT_TRUE(meteorix.Report().LampGreen);
  const std::string transposed = input.File("TransposedData.DEL");
  std::string bytes = ReadBytes(transposed);
  bytes.replace(bytes.find("12.0000"), 7, "99.0000");
  WriteBytes(transposed, bytes);
  EXPECT_EQ(meteorix.Import(data.Folder(), "ROMA").Message,
            "ERROR:\nfile " + transposed +
                " has changed since it was checked: line 3 is not the line transposed from the "
                "Meteorix file");
  EXPECT_TRUE(data.Names().empty());
}

// ---------------------------------------------------------------------------------------------
// The database kinds

TEST(ImportStation, HydrolexFileSetsTheStationAndPresetColumns) {
  ScratchFolder input;
  ScratchFolder data;
  WriteBytes(input.File("ROME.PEN"),
             "1,'Rome',20,41.80,x,-3.5,y\r\n" + Repeat(12, "20.1 8.2 62 172.8 7.1 18.05 3.3"));
  ImportSession session(input.Folder());
  EXPECT_TRUE(session.ChangeKind(ImportKind::Hydrolex));
  EXPECT_FALSE(session.ChangeKind(ImportKind::Hydrolex));
  EXPECT_EQ(DatabaseName(session.Kind()), "Hydrolex 2.0");
  EXPECT_EQ(session.ChooseFile("ROME.PEN"), "");
  EXPECT_EQ(session.StationName(), "Rome");
  EXPECT_EQ(session.Station().Longitude, -3.5);
  EXPECT_EQ(session.Classes(), (LocationClasses{Location::Coast, Climate::Arid,
                                                WindClass::LightToModerate}));
  EXPECT_EQ(session.Station().HargreavesRsCoefficient, 0.19);
  EXPECT_DOUBLE_EQ(session.Station().DefaultU2, 2.0);
  EXPECT_EQ(session.Columns().Codes(), (std::vector<int16_t>{101, 103, 202, 302, 401, 421}));
  EXPECT_EQ(session.Columns().Column(3).MaximumText, " 172.80");
  ASSERT_TRUE(session.Report().LampGreen) << session.Report().ErrorParamLabel;
  const ImportResult result = session.Import(data.Folder(), "ROME");
  ASSERT_TRUE(result.Imported()) << result.Message;
  EXPECT_EQ(test_support::LineRange(data.File("ROME.DTA"), 1, 2),
            "        Nr       101       103       202       302       401       421       501\r\n"
            "         1      20.1       8.2      62.0    172.80      7.10     18.05    -999.0\r\n");
}

TEST(ImportStation, ANewMeteorixFileKeepsNothingOfTheFileReadBefore) {
  ScratchFolder input;
  const std::string months = " 1 2 3 50 50 50 50 50 50 50 50 50 50 50 50\r\n";
  // A coastal station with humidity (50 %: arid) and wind (4 m/sec: strong winds).
  WriteBytes(input.File("A.DAT"), "h\r\nid ALPHA 9 ITALY 12.58 41.80 10\r\nu\r\nc\r\n201" +
                                      months + "258" + months +
                                      "297 1 2 3 4 4 4 4 4 4 4 4 4 4 4 4\r\n");
  // An interior station with neither.
  WriteBytes(input.File("B.DAT"), "h\r\nid BETA 9 SPAIN -3.68 40.41 667\r\nu\r\nc\r\n201" +
                                      months);
  ImportSession session(input.Folder());
  session.ChangeKind(ImportKind::Meteorix);
  ASSERT_EQ(session.ChooseFile("A.DAT"), "");
  EXPECT_EQ(session.Classes(),
            (LocationClasses{Location::Coast, Climate::Arid, WindClass::ModerateToStrong}));
  EXPECT_EQ(session.Station().DefaultU2, 4.0);

  ASSERT_EQ(session.ChooseFile("B.DAT"), "");
  const RepClimateFile reset = ImportStationReset(ImportKind::Meteorix);
  EXPECT_EQ(session.StationName(), "BETA");
  EXPECT_EQ(session.Country(), "SPAIN");
  EXPECT_EQ(session.Station().Altitude, 667);
  EXPECT_EQ(session.Classes(), LocationClasses{});
  EXPECT_EQ(session.Station().DefaultU2, reset.DefaultU2);
  EXPECT_EQ(session.Station().TdewTminDifference, reset.TdewTminDifference);
  EXPECT_EQ(session.Station().HargreavesRsCoefficient, reset.HargreavesRsCoefficient);
  EXPECT_EQ(session.Columns().Codes(), (std::vector<int16_t>{101}));
}

TEST(ImportStation, ANewHydrolexFileKeepsNothingOfTheFileReadBefore) {
  ScratchFolder input;
  WriteBytes(input.File("A.PEN"),
             "1,'Alpha',10,41.80,x,-3.5,y\r\n" + Repeat(12, "20.1 8.2 50 400 7.1 18.05 3.3"));
  // Its data lines break the rules: nothing of the humidity and wind of A stays.
  WriteBytes(input.File("B.PEN"), "1,'Beta',300,-20.00,x,30.0,y\r\n" + Repeat(12, "20 x"));
  // Its station line cannot be read: nothing of A's station stays either.
  WriteBytes(input.File("C.PEN"), "'Gamma',300\r\n" + Repeat(12, "20.1 8.2 50 400 7.1 18.05 3.3"));
  ImportSession session(input.Folder());
  session.ChangeKind(ImportKind::Hydrolex);
  ASSERT_EQ(session.ChooseFile("A.PEN"), "");
  EXPECT_EQ(session.Classes(),
            (LocationClasses{Location::Coast, Climate::Arid, WindClass::ModerateToStrong}));

  session.ChooseFile("B.PEN");
  EXPECT_EQ(session.StationName(), "Beta");
  EXPECT_EQ(session.Classes(), LocationClasses{});
  EXPECT_EQ(session.Station().DefaultU2, 2.0);
  EXPECT_EQ(session.Station().TdewTminDifference, 0.0);

  session.ChooseFile("A.PEN");
  EXPECT_NE(session.ChooseFile("C.PEN"), "");
  const RepClimateFile reset = ImportStationReset(ImportKind::Hydrolex);
  EXPECT_EQ(session.StationName(), "");
  EXPECT_EQ(session.Station().Latitude, reset.Latitude);
  EXPECT_EQ(session.Station().Longitude, reset.Longitude);
  EXPECT_EQ(session.Station().Altitude, reset.Altitude);
  EXPECT_EQ(session.Classes(), LocationClasses{});
  EXPECT_EQ(session.Station().DefaultU2, reset.DefaultU2);
  EXPECT_EQ(session.Station().HargreavesRsCoefficient, reset.HargreavesRsCoefficient);
}

TEST(ImportStation, AHydrolexFileOfOneValueALineHasNoColumnToImport) {
  ScratchFolder input;
  WriteBytes(input.File("ONE.PEN"), "1,'A',20,41.80,x,-3.5,y\r\n" + Repeat(12, "20.1"));
  ImportSession session(input.Folder());
  session.ChangeKind(ImportKind::Hydrolex);
  session.ChooseFile("ONE.PEN");
  EXPECT_FALSE(session.Report().LampGreen);
  EXPECT_EQ(session.Report().ErrorParamLabel, "Undefined number of Climatic parameters");
  ScratchFolder data;
  EXPECT_EQ(session.Import(data.Folder(), "ONE").Message,
            "ERROR:\nCANNOT import data\nCHECK climatic parameters");
}

TEST(ImportStation, MeteorixLeavesTheTransposedFileOnlyWhenAsked) {
  const std::string bytes =
      "h\r\nid ROMA 99 ITALY 12.58 41.80 56\r\nu\r\nc\r\n"
      "201 1 2 3 10 11 12 13 14 15 16 17 18 19 20 21\r\n"
      "298 1 2 3 9.87654 9 9 9 9 9 9 9 9 9 9 9\r\n";
  for (bool leave : {true, false}) {
    SCOPED_TRACE(leave);
    ScratchFolder input;
    ScratchFolder data;
    WriteBytes(input.File("R.DAT"), bytes);
    ImportSession session(input.Folder());
    session.SetWriteTransposedFile(leave);
    session.ChangeKind(ImportKind::Meteorix);
    EXPECT_EQ(session.ChooseFile("R.DAT"), "");
    EXPECT_EQ(session.Country(), "ITALY");
    EXPECT_EQ(session.Columns().Codes(), (std::vector<int16_t>{101, 222}));
    const ImportResult result = session.Import(data.Folder(), "ROMA");
    ASSERT_TRUE(result.Imported()) << result.Message;
    // The last value went through the transposed file with 4 decimals.
    EXPECT_EQ(test_support::LineRange(data.File("ROMA.DTA"), 1, 2),
              "        Nr       101       222       103       501\r\n"
              "         1      10.0    9.8765    -999.0    -999.0\r\n");
    EXPECT_EQ(input.Names().count("TransposedData.DEL"), leave ? 1u : 0u);
  }
}

}  // namespace
}  // namespace vernoli
