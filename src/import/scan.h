// Reading an import file: the kinds of file, listing them in a folder, the scan of a text file
// (number of lines, number of columns, smallest and largest value per column), the check of the
// number of lines against the record span, and the texts the import form shows for each outcome.
//
// A free-format text file holds one record per line and one value per column; values are
// separated by runs of characters with a code of 32 or below. Data lines end at the first empty
// line or at the end of the file. A Hydrolex file has the same data lines after one station line.
// Every line is examined whole; a line longer than a line of text can be (kMaxLineLength) makes
// the file Unreadable. The scan never throws and never crashes on any bytes: a file
// that is not text is reported as holding text.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vernoli {

// Free-format text (*.CXT), the two database exports, and a delimited text file of weather data
// (a header, a date per line; see delimited.h).
enum class ImportKind : uint8_t { Text, Hydrolex, Meteorix, Delimited };

// "*.CXT", "*.PEN", "*.DAT", or "*.csv;*.txt" for a delimited file: the masks the file list
// shows, separated by ';'.
std::string_view ImportMask(ImportKind kind);
// The kind of a file by its extension (any letter case): .CXT, .PEN and .DAT name their kinds;
// any other name is a delimited file.
ImportKind ImportKindOfFile(std::string_view fileName);

// At most this many columns are read from a line; the column tables have this many entries.
inline constexpr int kMaxImportColumns = 10;
// The number of columns (and NumberOfParameters of the import's description) while no usable
// file is scanned.
inline constexpr int kColumnsUndefined = -999;
// The value by which a file marks a missing datum, unless the user says otherwise.
inline constexpr double kDefaultUndefinedValue = -999.0;

// True when `value` is the undefined value: both multiplied by 1000 and rounded to an integer
// are equal. A value (or undefined value) too large for that is simply not equal to the other.
bool IsUndefinedValue(double value, double undefined);

// ---------------------------------------------------------------------------------------------
// Listing

// The file grid of the file page.
inline constexpr std::string_view kFileGridTitle = "file";   // fixed title row over the names
inline constexpr std::string_view kFileGridEmpty = "no files";  // the single row without files
inline constexpr std::string_view kSelectFileFromList = "Select file from list";
inline constexpr std::string_view kNoFileSelectedName = "(none)";  // the selected file, none

struct ImportFileList {
  std::vector<std::string> Files;  // bare names matching the mask, sorted by name
  // FileInfoLabel: "Select file from list", or "No import files (" + mask + ") found in this
  // directory" when nothing matches.
  std::string InfoText;
  // The grid is enabled and shows the title row "file" over the names; without files it shows
  // the single row "no files" and is disabled.
  bool Enabled() const { return !Files.empty(); }
};

// The files of `folder` whose extension is the kind's (letter case ignored); a folder that cannot
// be listed gives no files.
ImportFileList ListImportFiles(const std::string& folder, ImportKind kind);

// ---------------------------------------------------------------------------------------------
// Scan

enum class ScanOutcome : uint8_t {
  NoFile,          // no file selected
  Ok,
  EmptyFile,       // no data line
  TextOrEmptyLine, // a line of blanks only, or a character that is no part of a number
  UnequalColumns,  // a line with another number of values than line 1
  IllegalNumber,   // a value that is no number (1-2, a lone E)
  Unreadable,      // the file could not be opened or read, or a database file is refused
};

struct ScanResult {
  ScanOutcome Outcome = ScanOutcome::NoFile;
  int64_t Lines = 0;  // data lines counted (0 = none)
  int Columns = 0;  // values of a line, at most 10; for a Hydrolex file one fewer
  int64_t Line = 0;   // the line at which the scan stopped (the last data line read), 1-based
  // Smallest and largest value of each column, undefined values left out; both stay the
  // undefined value while a column has no value.
  std::array<double, kMaxImportColumns> Minimum{};
  std::array<double, kMaxImportColumns> Maximum{};
  // Hydrolex: the sums of the defined values of column 3 (humidity) and column 4 (wind, km/day).
  double HumiditySum = 0.0;
  double WindSum = 0.0;
  // Unreadable: the reason (without "ERROR:\n"), naming the file and, where there is one, the
  // line.
  std::string Reason;
  // A Meteorix file counts months, not lines: the texts say " months". A delimited file counts
  // the records its dates span (a day no line gives among them): " records".
  bool Months = false;
  bool Records = false;

  bool Ok() const { return Outcome == ScanOutcome::Ok; }
  friend bool operator==(const ScanResult&, const ScanResult&) = default;
};

// The scan of data lines one at a time. ScanImportFile hands it the lines of a file; the import
// hands it the same lines again as it writes them, so that both judge every line alike.
class DataLineScan {
 public:
  DataLineScan(ImportKind kind, double undefined);

  // Takes the next data line (not the empty line that ends them). After a faulty line the lines
  // that follow are only counted.
  void Add(std::string_view line);
  // The line last taken: Ok, TextOrEmptyLine, IllegalNumber, or UnequalColumns when it holds
  // another number of values than the first line.
  ScanOutcome LineOutcome() const { return lineOutcome_; }
  // The values of the line last taken (at most 10) and their text in the line, valid until the
  // next Add.
  std::span<const double> Values() const { return {values_.data(), count_}; }
  std::string_view ValueText(std::size_t column) const { return texts_[column]; }
  // The scan of the lines taken so far, as ScanImportFile gives it for a file that ends here.
  ScanResult Result() const;

 private:
  ScanResult scan_;
  ImportKind kind_;
  double undefined_;
  int width_ = -1;  // the values of the first line
  ScanOutcome fault_ = ScanOutcome::Ok;
  ScanOutcome lineOutcome_ = ScanOutcome::Ok;
  std::array<double, kMaxImportColumns> values_{};
  std::array<std::string_view, kMaxImportColumns> texts_{};
  std::size_t count_ = 0;
};

// Scans a free-format text file (kind Text) or the data lines of a Hydrolex file (kind
// Hydrolex, after its station line). A Meteorix file is read by ReadMeteorixFile instead.
ScanResult ScanImportFile(const std::string& path, ImportKind kind, double undefined);

// ---------------------------------------------------------------------------------------------
// Status texts

inline constexpr std::string_view kNoFileSelected = "no file selected";
inline constexpr std::string_view kParametersNeedFile =
    "Climatic Parameters can only be specified if file with climatic data is selected";
inline constexpr std::string_view kSelectClimaticFile = "Select file with climatic data";
inline constexpr std::string_view kCannotImportFromFile = "CAN NOT import data from requested file";
inline constexpr std::string_view kEmptyFile = "empty file (no data)";
inline constexpr std::string_view kTextOrEmptyLine = "(some) lines might contain text, or are empty";
inline constexpr std::string_view kUnequalColumns = "not all lines have the same number of columns";
inline constexpr std::string_view kIllegalNumber = "contain illegal number(s)";
inline constexpr std::string_view kCheckClimaticFile = "Check climatic file";
inline constexpr std::string_view kRecordsDifferent = "number of records DIFFERENT FROM lines in file";

// What the file page, the information panel and the file lamp show after a scan.
struct FileStatusTexts {
  bool FileLampGreen = false;
  bool ShowErrorPanel = false;  // ErrorPanel with the four error labels
  std::string Error1;           // Error1Label
  std::string Error10;          // Error10Label
  std::string Error2;           // Error2Label and Error20Label
  bool ShowInfoPanel = false;   // InfoImportFilePanel
  std::string NrLines;          // NrLinesLabel: "365 data lines", "12 months", "empty file (no data)"
  std::string NrLines2;         // NrLinesLabel2: as NrLines, or "(no file selected)"
  std::string NrColumns;        // NrColumsLabel: "6 climatic parameters", "cannot read data : ..."
  std::string CheckLine;        // CheckLineLabel: "check line : 12" or empty
};
FileStatusTexts FileStatus(const ScanResult& scan);

// The line lamp (ShapeLineRED / ShapeLineGREEN) with its text in LabelLineOK.
struct LineLamp {
  bool Green = false;
  std::string Text;  // empty when green
};
// Green only when the file has as many lines as the span has records.
LineLamp LineCheck(const ScanResult& scan, int32_t records);

// "number of daily records = 365" (data type 0), "number of 10-daily records = " (1) or
// "number of monthly records = " (2) with the number: RecordLabel and RecordLabel2.
std::string RecordCountText(uint8_t dataType, int32_t records);

}  // namespace vernoli
