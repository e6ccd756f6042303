#include "stations/newstation.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/atomicfile.h"
#include "station_folder.h"
#include "stations/catalog.h"
#include "stations/fileset.h"

namespace vernoli {
namespace {

using test_support::FailureHooksLifted;
using test_support::LineRange;
using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::Snapshot;
using test_support::WriteBytes;
using test_support::WriteStation;

// The first 21 lines of the .DSC of a new station named Alpha in Beta at the default location,
// 10-daily from the first decade of January 2004 to the last of February 2004.
constexpr std::string_view kTenDaily2004Dsc =
    "Alpha\r\n"
    "Beta\r\n"
    "     22.37                   : Latitude (degrees)\r\n"
    "     22.37                   : Longitude (degrees)\r\n"
    "    222                      : Altitude (meters above sea level)\r\n"
    "      2                      : 10-daily data\r\n"
    "   1   1  2004               : From Date (Day - Month - Year)\r\n"
    "  29   2  2004               : To Date (Day - Month - Year)\r\n"
    "      0.000800               : coefficient psychrometer (depending on type of ventilation)\r\n"
    "      2.0                    : height wind speed measurement (meter)\r\n"
    "      0.0                    : Missing air humidity data: difference between Tdew and Tmin "
    "(\xB0"
    "C)\r\n"
    "      0.16                   : Missing radiation data: Coefficient of Hargreaves Equation "
    "(MJ/m2.day)\r\n"
    "      2.0                    : Missing wind speed: estimate for U2 (m/sec)\r\n"
    "      0.25                   : Coefficient: a Angstrom formula\r\n"
    "      0.50                   : Coefficient: b Angstrom formula\r\n"
    "      1                      : Option: Adjustment for station elevation (Angstrom formula)\r\n"
    "    -15                      : Climatic data range: lower limit for Minimal temperature (\xB0"
    "C)\r\n"
    "     45                      : Climatic data range: upper limit for Maximal temperature (\xB0"
    "C)\r\n"
    "     15                      : Climatic data range: lower limit for Minimal Relative Humidity "
    "(%)\r\n"
    "      8                      : Climatic data range: upper limit for Maximal wind speed "
    "(m/sec)\r\n"
    "      5                      : Climatic data range: Allowable deviation (%) from theoretical "
    "maximum radiation\r\n";

constexpr std::string_view kSixEmptyRecords =
    "        Nr       501\r\n"
    "         1    -999.0\r\n"
    "         2    -999.0\r\n"
    "         3    -999.0\r\n"
    "         4    -999.0\r\n"
    "         5    -999.0\r\n"
    "         6    -999.0\r\n";

// The entries of the create form for 10-daily data from decade 1 of January 2004 to decade 3 of
// February 2004, chosen as a user would.
NewStationInput TenDaily2004(const std::string& name) {
  NewStationInput input;
  input.Name = name;
  input.StationName = "Alpha";
  input.Country = "Beta";
  input.Span.SetDataType(kTenDaily);
  input.Span.ChooseDecade(SpanEnd::First, 1);
  input.Span.ChooseMonth(SpanEnd::First, 1);
  input.Span.EnterYear(SpanEnd::First, "2004");
  input.Span.ChooseDecade(SpanEnd::Last, 3);
  input.Span.ChooseMonth(SpanEnd::Last, 2);
  input.Span.EnterYear(SpanEnd::Last, "2004");
  return input;
}

std::set<std::string> Names(std::initializer_list<const char*> names) {
  return std::set<std::string>(names.begin(), names.end());
}

// ---------------------------------------------------------------------------------------------
// New-file mode

TEST(CreateStation, NameLosesItsBlanksAndNamesBothFiles) {
  ScratchFolder folder;
  NewStationInput input;
  input.Name = "my station";
  const CreateResult result = CreateStation(folder.Folder(), input);
  ASSERT_TRUE(result.Created()) << result.Message;
  EXPECT_EQ(result.Message, "");
  EXPECT_EQ(folder.Names(), Names({"mystation.DSC", "mystation.DTA"}));
  EXPECT_EQ(result.Station.FileName, "mystation");
  EXPECT_EQ(result.Station.OutputName, "mystation");
  EXPECT_EQ(result.Station.DscFileName, folder.File("mystation.DSC"));
  EXPECT_EQ(result.Station.DtaFileName, folder.File("mystation.DTA"));
}

TEST(CreateStation, DefaultsMakeOneDailyYearOfEToOnly) {
  ScratchFolder folder;
  NewStationInput input;
  input.Name = "alpha";
  const CreateResult result = CreateStation(folder.Folder(), input);
  ASSERT_TRUE(result.Created()) << result.Message;
  const RepClimateFile& station = result.Station;
  EXPECT_EQ(station.DataType, kDaily);
  EXPECT_EQ(station.From(), (Date{1, 1, 2005}));
  EXPECT_EQ(station.To(), (Date{31, 12, 2005}));
  EXPECT_EQ(station.NumberOfRecords, 365);
  EXPECT_DOUBLE_EQ(station.Latitude, 22.37);
  EXPECT_DOUBLE_EQ(station.Longitude, 22.37);
  EXPECT_EQ(station.Altitude, 222);
  EXPECT_EQ(station.NumberOfParameters, 1);
  EXPECT_EQ(station.ParameterCodes[0], 501);
  EXPECT_EQ(station.ParameterCodes[1], -999);
  EXPECT_EQ(station.Description, "Undefined station - daily data: 1 January 2005 - 31 December 2005");
  const std::string dta = ReadBytes(station.DtaFileName);
  EXPECT_EQ(dta.substr(0, 44), "        Nr       501\r\n         1    -999.0\r\n");
  EXPECT_EQ(dta.size(), 22u + 365u * 22u);
  EXPECT_EQ(dta.substr(dta.size() - 22), "       365    -999.0\r\n");
}

TEST(CreateStation, TenDailyJanuaryToFebruary2004HasSixRecords) {
  ScratchFolder folder;
  const CreateResult result = CreateStation(folder.Folder(), TenDaily2004("alpha"));
  ASSERT_TRUE(result.Created()) << result.Message;
  EXPECT_EQ(result.Station.FromDay, 1);
  EXPECT_EQ(result.Station.ToDay, 29);
  EXPECT_EQ(result.Station.NumberOfRecords, 6);
  EXPECT_EQ(result.Station.Description, "Alpha (Beta) : Dec1 January 2004 - Dec3 February 2004");
  EXPECT_EQ(ReadBytes(folder.File("alpha.DTA")), kSixEmptyRecords);
  EXPECT_EQ(LineRange(folder.File("alpha.DSC"), 1, 21), kTenDaily2004Dsc);
  EXPECT_EQ(LineRange(folder.File("alpha.DSC"), 22, 23),
            "\r\nList of CLIMATIC PARAMETERS=====================================\r\n");
}

TEST(CreateStation, MonthlyDataNotLinkedToAYear) {
  ScratchFolder folder;
  NewStationInput input;
  input.Name = "means";
  input.Span.SetDataType(kMonthly);
  input.Span.SetNotLinked(true);
  const CreateResult result = CreateStation(folder.Folder(), input);
  ASSERT_TRUE(result.Created()) << result.Message;
  EXPECT_EQ(result.Station.FromYear, 1901);
  EXPECT_EQ(result.Station.ToYear, 1901);
  EXPECT_EQ(result.Station.ToDay, 31);
  EXPECT_EQ(result.Station.NumberOfRecords, 12);
  EXPECT_EQ(LineRange(folder.File("means.DSC"), 6, 8),
            "      3                      : monthly data\r\n"
            "   1   1  1901               : From Date (Day - Month - Year)\r\n"
            "  31  12  1901               : To Date (Day - Month - Year)\r\n");
  const std::string dta = ReadBytes(folder.File("means.DTA"));
  EXPECT_EQ(dta.size(), 22u + 12u * 22u);
  EXPECT_EQ(dta.substr(dta.size() - 22), "        12    -999.0\r\n");
}

TEST(CreateStation, LocationAsEnteredAndCoefficientsOfTheClasses) {
  ScratchFolder folder;
  NewStationInput input;
  input.Name = "south";
  EXPECT_EQ(input.Latitude.EnterDegrees("75"), "ERROR:\nvalue is larger than Maximum (=      69)");
  input.Latitude.ChooseHemisphere(kSouthOrWest);
  EXPECT_EQ(input.EnterAltitude("abc").Message, "");
  EXPECT_EQ(input.Altitude, 222);
  EXPECT_EQ(input.EnterAltitude("9000").Message,
            "ERROR:\nvalue is larger than Maximum (=    5000)");
  input.Classes = {Location::Coast, Climate::Arid, WindClass::Light};
  const CreateResult result = CreateStation(folder.Folder(), input);
  ASSERT_TRUE(result.Created()) << result.Message;
  EXPECT_NEAR(result.Station.Latitude, -(69.0 + 22.0 / 60.0), 1e-12);
  EXPECT_EQ(result.Station.Altitude, 5000);
  const std::string dsc = folder.File("south.DSC");
  EXPECT_EQ(LineRange(dsc, 3, 3), "    -69.37                   : Latitude (degrees)\r\n");
  EXPECT_EQ(LineRange(dsc, 5, 5), "   5000                      : Altitude (meters above sea level)\r\n");
  EXPECT_EQ(LineRange(dsc, 11, 13),
            "      2.0                    : Missing air humidity data: difference between Tdew "
            "and Tmin (\xB0"
            "C)\r\n"
            "      0.19                   : Missing radiation data: Coefficient of Hargreaves "
            "Equation (MJ/m2.day)\r\n"
            "      0.5                    : Missing wind speed: estimate for U2 (m/sec)\r\n");
}

TEST(CreateStation, RefusedNamesLeaveTheFolderAsItWas) {
  ScratchFolder folder;
  WriteStation(folder, "alpha", kDaily, {1, 1, 2001}, {3, 1, 2001}, "        Nr       501\r\n");
  // A data file whose description is gone is still the user's data.
  WriteBytes(folder.File("gamma.dta"), "        Nr       501\r\n");
  const auto before = Snapshot(folder);
  struct Row {
    const char* name;
    const char* message;
  };
  const Row rows[] = {
      {"alpha", "ERROR:\nFilename exists already"},
      {" al pha ", "ERROR:\nFilename exists already"},
      {"ALPHA", "ERROR:\nFilename exists already"},
      {"Alpha", "ERROR:\nFilename exists already"},
      {"GAMMA", "ERROR:\nFilename exists already"},
      {"my.station", "ERROR:\nillegal filename"},
      {"alpha.", "ERROR:\nillegal filename"},
      {"..", "ERROR:\nillegal filename"},
      {"", "ERROR:\nFileName is not yet specified"},
      {"   ", "ERROR:\nFileName is not yet specified"},
      {"a/b", "ERROR:\nillegal filename"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    NewStationInput input;
    input.Name = row.name;
    const CreateResult result = CreateStation(folder.Folder(), input);
    EXPECT_FALSE(result.Created());
    EXPECT_EQ(result.Failure, CreateFailure::FileName);
    EXPECT_EQ(result.Message, row.message);
    EXPECT_EQ(Snapshot(folder), before);
  }
}

// ---------------------------------------------------------------------------------------------
// Copy mode

constexpr std::string_view kAlphaDta =
    "        Nr       101       202       501\r\n"
    "         1      31.2      55.0       5.1\r\n"
    "         2    -999.0      60.5    -999.0\r\n"
    "         3      29.8    -999.0       4.7\r\n"
    "         4      28.0      58.0       4.9\r\n";

// A 10-daily station of 4 records whose every setting differs from the defaults, selected.
RepClimateFile SelectedAlpha(const ScratchFolder& folder) {
  RepClimateFile station = NewStation(Location::Coast, Climate::Arid, WindClass::ModerateToStrong);
  SetStationFiles(station, folder.Folder(), "alpha");
  station.StationName = "Alpha";
  station.Country = "Beta";
  station.Latitude = -12.25;
  station.Longitude = -73.5;
  station.Altitude = 350;
  station.DataType = kTenDaily;
  station.FromDay = 11;
  station.FromMonth = 3;
  station.FromYear = 2001;
  station.ToDay = 20;
  station.ToMonth = 4;
  station.ToYear = 2001;
  station.PsychrometerCoefficient = 0.000662;
  station.WindHeight = 10.0;
  station.Settings.AngstromA = 0.2;
  station.Settings.AngstromB = 0.45;
  station.Flags.ElevationAdjustment = 0;
  station.Limits = {-5, 40, 20, 6, 10};
  EXPECT_TRUE(WriteStationDescription(station));
  WriteBytes(station.DtaFileName, kAlphaDta);
  RepClimateFile selected;
  EXPECT_TRUE(ChooseStation(folder.Folder(), "alpha", OutputNameRule::SetToFileName, selected));
  return selected;
}

TEST(CopyStation, KeepsEverySettingUnderTheNewNameWithTheNewIdentity) {
  ScratchFolder folder;
  const RepClimateFile source = SelectedAlpha(folder);
  const std::string sourceDsc = ReadBytes(source.DscFileName);
  const CreateResult result =
      CopyStation(folder.Folder(), source, "copy of alpha", "Gamma", "Delta");
  ASSERT_TRUE(result.Created()) << result.Message;
  EXPECT_EQ(folder.Names(),
            Names({"alpha.DSC", "alpha.DTA", "copyofalpha.DSC", "copyofalpha.DTA"}));

  // The .DSC differs from the source's in its first two lines only; the .DTA not at all.
  const std::size_t afterCountry = sourceDsc.find("\r\n", sourceDsc.find("\r\n") + 2) + 2;
  EXPECT_EQ(ReadBytes(folder.File("copyofalpha.DSC")),
            "Gamma\r\nDelta\r\n" + sourceDsc.substr(afterCountry));
  EXPECT_EQ(ReadBytes(folder.File("copyofalpha.DTA")), kAlphaDta);
  EXPECT_EQ(ReadBytes(source.DscFileName), sourceDsc);
  EXPECT_EQ(ReadBytes(source.DtaFileName), kAlphaDta);

  const RepClimateFile& copy = result.Station;
  EXPECT_EQ(copy.FileName, "copyofalpha");
  EXPECT_EQ(copy.OutputName, "copyofalpha");
  EXPECT_EQ(copy.DscFileName, folder.File("copyofalpha.DSC"));
  EXPECT_EQ(copy.DtaFileName, folder.File("copyofalpha.DTA"));
  EXPECT_EQ(copy.StationName, "Gamma");
  EXPECT_EQ(copy.Country, "Delta");
  EXPECT_EQ(copy.Description, "Gamma (Delta) : Dec2 March 2001 - Dec2 April 2001");
  EXPECT_EQ(copy.NumberOfParameters, 3);
  EXPECT_EQ(copy.ParameterCodes, source.ParameterCodes);
  EXPECT_EQ(copy.NumberOfRecords, 4);
  EXPECT_EQ(copy.Limits.LimitTmin, -5);
  EXPECT_DOUBLE_EQ(copy.PsychrometerCoefficient, 0.000662);
  EXPECT_DOUBLE_EQ(copy.DefaultU2, 4.0);
}

TEST(CopyStation, ToTheNameOfAnExistingStationChangesNothing) {
  ScratchFolder folder;
  const RepClimateFile source = SelectedAlpha(folder);
  WriteStation(folder, "bravo", kDaily, {1, 1, 2001}, {3, 1, 2001}, "        Nr       501\r\n");
  const auto before = Snapshot(folder);
  for (const char* name : {"alpha", "bravo", "bra vo"}) {
    SCOPED_TRACE(name);
    const CreateResult result = CopyStation(folder.Folder(), source, name, "Gamma", "Delta");
    EXPECT_EQ(result.Failure, CreateFailure::FileName);
    EXPECT_EQ(result.Message, "ERROR:\nFilename exists already");
    EXPECT_EQ(Snapshot(folder), before);
  }
}

// ---------------------------------------------------------------------------------------------
// Failures in the middle: the folder holds the old files, or the complete new pair

TEST(CheckNewStationName, CreatesNoFileUnderTheStationsName) {
  ScratchFolder folder;
  const FileNameCheck check = CheckNewStationName(folder.Folder(), " my station ");
  ASSERT_TRUE(check.Ok()) << check.Message;
  EXPECT_EQ(check.Name, "mystation");
  EXPECT_EQ(check.Path, folder.File("mystation.DSC"));
  // No empty description for the list to show should the process end before the files are in.
  EXPECT_TRUE(folder.Names().empty());
  std::string tooLong(300, 'a');
  EXPECT_EQ(CheckNewStationName(folder.Folder(), tooLong).Message, "ERROR:\nillegal filename");
}

TEST(CreateStationFailure, DiskFullWhileWritingTheDataFileLeavesNothingNew) {
  FailureHooksLifted lifted;
  ScratchFolder folder;
  WriteStation(folder, "alpha", kDaily, {1, 1, 2001}, {3, 1, 2001}, "        Nr       501\r\n");
  const auto before = Snapshot(folder);
  AtomicFile::InjectDiskFullForTesting(".mystation.DTA.", 100);
  NewStationInput input;
  input.Name = "my station";
  const CreateResult result = CreateStation(folder.Folder(), input);
  EXPECT_EQ(result.Failure, CreateFailure::Files);
  EXPECT_EQ(result.Message,
            "ERROR:\ncannot write file " + folder.File("mystation.DTA") + ": No space left on device");
  EXPECT_EQ(Snapshot(folder), before);

  // Once there is room again the same name works.
  AtomicFile::InjectDiskFullForTesting("", SIZE_MAX);
  ASSERT_TRUE(CreateStation(folder.Folder(), input).Created());
  EXPECT_EQ(folder.Names().size(), before.size() + 2);
}

TEST(CreateStationFailure, DiskFullWhileWritingTheDescriptionLeavesNothingNew) {
  FailureHooksLifted lifted;
  ScratchFolder folder;
  AtomicFile::InjectDiskFullForTesting(".alpha.DSC.", 300);
  const CreateResult result = CreateStation(folder.Folder(), TenDaily2004("alpha"));
  EXPECT_EQ(result.Failure, CreateFailure::Files);
  EXPECT_EQ(result.Message,
            "ERROR:\ncannot write file " + folder.File("alpha.DSC") + ": No space left on device");
  EXPECT_TRUE(folder.Names().empty());
}

TEST(CreateStationFailure, FailedRenameOfTheDescriptionTakesTheDataFileBack) {
  FailureHooksLifted lifted;
  ScratchFolder folder;
  WriteBytes(folder.File("beta.DTA"), "        Nr       101\r\n         1      12.5\r\n");
  const auto before = Snapshot(folder);
  FileSet::InjectRenameFailureForTesting(2);
  const CreateResult result = CreateStation(folder.Folder(), TenDaily2004("alpha"));
  EXPECT_EQ(result.Failure, CreateFailure::Files);
  EXPECT_EQ(result.Message, "ERROR:\ncannot write file " + folder.File("alpha.DSC"));
  EXPECT_EQ(Snapshot(folder), before);
}

TEST(CreateStationFailure, FailedRenameOfTheDataFileLeavesNothingNew) {
  FailureHooksLifted lifted;
  ScratchFolder folder;
  FileSet::InjectRenameFailureForTesting(1);
  const CreateResult result = CreateStation(folder.Folder(), TenDaily2004("alpha"));
  EXPECT_EQ(result.Failure, CreateFailure::Files);
  EXPECT_TRUE(folder.Names().empty());
}

TEST(CreateStationFailure, LeftoversOfAnInterruptedRunDoNotBlock) {
  ScratchFolder folder;
  // What a process that ended while it staged the files left behind.
  WriteBytes(folder.File(".alpha.DTA.0123456789abcdef-0.new"), "half a fi");
  WriteBytes(folder.File(".alpha.DSC.0123456789abcdef-1.new"), "half");
  WriteBytes(folder.File(".alpha.DSC.old"), "old");
  const CreateResult result = CreateStation(folder.Folder(), TenDaily2004("alpha"));
  ASSERT_TRUE(result.Created()) << result.Message;
  EXPECT_EQ(ReadBytes(folder.File("alpha.DTA")), kSixEmptyRecords);
  EXPECT_EQ(LineRange(folder.File("alpha.DSC"), 1, 21), kTenDaily2004Dsc);
  EXPECT_EQ(folder.Names(), Names({"alpha.DSC", "alpha.DTA"}));
}

TEST(CopyStationFailure, DiskFullWhileWritingTheDescriptionLeavesTheOldPairOnly) {
  FailureHooksLifted lifted;
  ScratchFolder folder;
  const RepClimateFile source = SelectedAlpha(folder);
  const auto before = Snapshot(folder);
  AtomicFile::InjectDiskFullForTesting(".beta.DSC.", 500);
  const CreateResult result = CopyStation(folder.Folder(), source, "beta", "Gamma", "Delta");
  EXPECT_EQ(result.Failure, CreateFailure::Files);
  EXPECT_EQ(result.Message,
            "ERROR:\ncannot write file " + folder.File("beta.DSC") + ": No space left on device");
  EXPECT_EQ(Snapshot(folder), before);
}

TEST(CopyStationFailure, FailedRenameOfTheDescriptionLeavesTheOldPairOnly) {
  FailureHooksLifted lifted;
  ScratchFolder folder;
  const RepClimateFile source = SelectedAlpha(folder);
  const auto before = Snapshot(folder);
  FileSet::InjectRenameFailureForTesting(2);
  const CreateResult result = CopyStation(folder.Folder(), source, "beta", "Gamma", "Delta");
  EXPECT_EQ(result.Failure, CreateFailure::Files);
  EXPECT_EQ(Snapshot(folder), before);
}

TEST(CopyStationFailure, MissingSourceDataFileLeavesNothingNew) {
  ScratchFolder folder;
  const RepClimateFile source = SelectedAlpha(folder);
  std::filesystem::remove(source.DtaFileName);
  const auto before = Snapshot(folder);
  const CreateResult result = CopyStation(folder.Folder(), source, "beta", "Gamma", "Delta");
  EXPECT_EQ(result.Failure, CreateFailure::Files);
  EXPECT_EQ(result.Message, "ERROR:\ncannot open file " + source.DtaFileName + ": No such file or directory");
  EXPECT_EQ(Snapshot(folder), before);
}

}  // namespace
}  // namespace vernoli
