// The reader behind ReadDelimitedFile, shared by its source files: delimitedlayout.cpp finds
// the preamble, the header, the separator, the date columns and the imported columns;
// delimited.cpp reads the data lines and builds the records; delimitedstations.cpp finds the
// rows of each station of a file of several stations. Not for use beyond them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "import/delimited.h"

namespace vernoli::delimited_detail {

// How the lines of a file are laid out.
struct Layout {
  FieldSeparator Separator = FieldSeparator::Auto;
  std::vector<int> DateColumns;       // 0-based: one date column, or year, month (and day)
  DateShape Shape = DateShape::None;  // of the date column; None for year and month columns
  bool Header = false;                // the line before the first data line names the columns
  bool Mismatch = false;              // ... but not as many as the data have
  int Fields = 0;                     // the columns of the file
  int LineFields = 0;                 // the fields of the line it was found on
};

struct DatedLine {
  int32_t Line;
  Date Value;  // while the order of day and month is open: the numbers in the order of the text
};

// A column of the file that a series reads.
struct Imported {
  int Index;  // 0-based
  double Factor;
};

bool IsCommentLine(std::string_view line);
// Empty, or a comment sign alone.
bool IsEmptyLine(std::string_view line);
// False for most data lines at a glance: a line whose first character is neither a blank nor a
// comment sign is neither empty nor a comment.
inline bool MaybeEmptyOrComment(std::string_view line) {
  return line.empty() || line[0] == ' ' || line[0] == '\t' || line[0] == '#';
}

// The text without the blanks and tabs around it, as TrimBlanks gives it, without a search for
// each character: the fields of a data line are mostly trimmed already.
inline std::string_view Trim(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  return text.substr(begin, end - begin);
}

class Reader {
 public:
  Reader(const std::string& path, const DelimitedOptions& options, DelimitedFile& out)
      : path_(path), options_(options), out_(out) {}

  void Run();
  // The rows of each station (options.StationColumn), into `stations`; the layout into `out`.
  void Index(DelimitedStations& stations);

 private:
  // ---- messages (delimited.cpp) --------------------------------------------------------
  void Refuse(std::string_view reason);
  void Refuse(const Status& status);
  std::string ColumnText(int index) const;       // "column 5 (TX)"
  std::string Where(int line, int index) const;  // "file F, line 9, column 5 (TX)"
  std::string DateWhere(int line) const;         // ... the date column or columns
  std::string SeparatorText() const;

  // ---- up to the first data line (delimitedlayout.cpp) ------------------------------------
  bool CheckOptions();
  bool FindFirstDataLine();
  // The 0-based index of the station column among the header's names; -1 without one.
  int StationIndex(const std::vector<std::string>& names) const;
  bool SetUpStationColumn(const std::vector<std::string>& names);
  // Why `ref` names no column: "file F, line 4: the header names no column ..."
  std::string NoSuchColumn(const ColumnRef& ref, const std::vector<std::string>& names) const;
  std::optional<Layout> TryLayout(std::string_view line);
  bool Confirms(std::string_view line, const Layout& layout);
  bool FindDateColumns(const std::vector<std::string>& fields,
                       const std::vector<std::string>& names, Layout& layout) const;
  bool DateFieldFits(std::string_view field) const;
  std::vector<std::string> HeaderNames(FieldSeparator separator) const;
  std::string NoDataLineReason() const;
  bool SetUpColumns();
  void ProposeColumns();
  bool ChooseColumns();
  bool CheckChoice(const ColumnChoice& choice, int index);

  // ---- data lines and records (delimited.cpp) ---------------------------------------------
  // The data lines after the first: to the end of the file, or those of options.Station.
  bool ReadDataLines();
  bool ReadDataLine(std::string_view line, int number);
  bool ReadDate(int number, Date& date);
  bool ReadValue(int number, int index, double& value);
  bool CheckYearAndOrder(std::size_t k);
  bool SettleOrder(DateFormat order);
  bool ChooseDataType();
  void Finish();
  std::string AcceptedValues() const;

  std::string path_;
  const DelimitedOptions& options_;
  DelimitedFile& out_;
  BoundedLineReader lines_;
  std::vector<std::string> fields_;
  // The fields of a data line: views of the line, or of the text of its quoted fields.
  std::vector<std::string_view> views_;
  std::string unquoted_;
  std::string header_;  // the last non-empty line so far, without its '#', in Windows-1252
  std::vector<std::pair<std::string, int>> firstLines_;  // the first data line(s), numbered
  int64_t firstDataOffset_ = 0;  // byte offset of the first data line
  int station_ = -1;             // 0-based station column of a file of several stations
  Layout layout_;
  DateFormat format_ = DateFormat::Auto;  // Auto while the order of day and month is open
  DecimalSign decimal_ = DecimalSign::Auto;
  int decimalLine_ = 0;  // the line whose number told the decimal sign
  std::vector<Imported> imported_;
  std::vector<DatedLine> dates_;
};

}  // namespace vernoli::delimited_detail
