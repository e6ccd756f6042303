// The whole state of one import, behind the import form and `vernoli-batch import`: the kind and
// the file, the scan and its texts, the station and its span, the column assignment, and the
// import step. The form reads its controls into it and shows what it returns; the batch drives
// the same calls, so both refuse the same files and write the same bytes.
//
//   ImportSession import(importFolder);
//   import.Open();                          // the form opens
//   import.ChangeKind(ImportKind::Hydrolex);
//   std::string message = import.ChooseFile("ROME.PEN");  // shown when not empty
//   ... SetLocation, SetStationName, span and code choices ...
//   ImportResult result = import.Import(dataFolder, "Rome");
//
// A delimited file (kind Delimited) decides the span and the data type by its dates; its layout
// choices and the code of each of its columns are made on the session, each followed by a new
// reading of the chosen file, and values beyond the limits may be set missing or to the limit
// and are then listed in the import report.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "import/columns.h"
#include "import/databases.h"
#include "import/delimitedimport.h"
#include "import/delimitedpreview.h"
#include "import/importreport.h"
#include "import/importstation.h"
#include "import/scan.h"
#include "model/checks.h"
#include "model/station.h"
#include "stations/location.h"
#include "stations/span.h"

namespace vernoli {

class ImportSession {
 public:
  // `importFolder` is the program's import folder (ending with '/'), where the folder list
  // starts and the transposed file of a Meteorix file is left.
  explicit ImportSession(std::string importFolder);

  // ---- the form opens / the kind changes -------------------------------------------------
  // Kind free-format text, the description and the file state reset, the folder back at the
  // import folder.
  void Open();
  // Only a real change does anything (false otherwise): the description and the file state are
  // reset for the new kind and the folder returns to the import folder.
  bool ChangeKind(ImportKind kind);
  ImportKind Kind() const { return kind_; }
  // For the database kinds the file decides the span, the location, the columns and the
  // undefined value: their controls are disabled and LabelSoft shows DatabaseName(kind).
  bool DatabaseKind() const {
    return kind_ == ImportKind::Hydrolex || kind_ == ImportKind::Meteorix;
  }
  // The file decides the span and the data type (the database kinds and a delimited file): the
  // span's controls are read-only, and for a delimited file the span's setters change nothing.
  bool SpanFromFile() const { return kind_ != ImportKind::Text; }
  // The undefined value field applies to the free-format text kind only; a delimited file marks
  // its missing values with markers (SetMissingMarkers).
  bool UndefinedApplies() const { return kind_ == ImportKind::Text; }

  // ---- file page -----------------------------------------------------------------------
  const std::string& Folder() const { return folder_; }
  // Another folder: the file state is reset and the list rebuilt.
  void ChangeFolder(const std::string& folder);
  const ImportFileList& Files() const { return files_; }
  const std::string& SelectedFile() const { return selectedFile_; }  // "(none)" when none
  const std::string& SelectedPath() const { return selectedPath_; }  // empty when none
  // A file of the list is chosen and read (scanned, and for a database kind its station and
  // preset columns taken over), afresh: nothing that a file read before set stays. Returns the
  // message to show, "ERROR:\n" + reason, when the file could not be used; empty otherwise (the
  // status texts tell the rest).
  std::string ChooseFile(const std::string& name);
  // The form leaves TransposedData.DEL in the import folder after reading a Meteorix file (the
  // default); the batch keeps the transposed lines in memory only.
  void SetWriteTransposedFile(bool write) { writeTransposed_ = write; }

  // The undefined value field (EditUndef) was left (enterPressed false) or Enter pressed in it:
  // -99999999..99999999, -999.0 for a text that is no number. The file is scanned again on Enter,
  // and on leaving when the value changed. For a delimited file the text is checked and nothing
  // else happens.
  RealEntryCheck EnterUndefined(std::string_view text, bool enterPressed);
  double Undefined() const { return undefined_; }
  // R(10,3): "  -999.000".
  std::string UndefinedText() const;

  // ---- what the pages show -------------------------------------------------------------
  const ScanResult& Scan() const { return scan_; }
  FileStatusTexts FileStatus() const;
  bool FileLampGreen() const { return scan_.Ok(); }
  LineLamp LineStatus() const;
  // RecordLabel / RecordLabel2.
  std::string RecordText() const;

  // ---- station page --------------------------------------------------------------------
  // The import's description (location, span, settings, limits as entered so far).
  const RepClimateFile& Station() const { return station_; }
  const LocationClasses& Classes() const { return classes_; }
  const std::string& StationName() const { return station_.StationName; }
  const std::string& Country() const { return station_.Country; }
  void SetStationName(std::string name) { station_.StationName = std::move(name); }
  void SetCountry(std::string country) { station_.Country = std::move(country); }
  // From the coordinate fields (signed decimal degrees, m). A change of the latitude or the
  // altitude recomputes the column limits.
  void SetLocation(double latitude, double longitude, int32_t altitude);
  // The location radio buttons: each class that differs from Classes() sets its own coefficient
  // (HargreavesRsCoefficient, TdewTminDifference or DefaultU2, as ApplyClasses); a class left as
  // it was keeps its coefficient, such as a DefaultU2 taken from a database file's wind data.
  void SetClasses(const LocationClasses& classes);
  // EditU2height / EditU1height: 0.5..30.0 m, 2.0 for a text that is no number.
  RealEntryCheck EnterWindHeight(std::string_view text);
  // R(6,1): "   2.0".
  std::string WindHeightText() const;

  // ---- meteorological data page --------------------------------------------------------
  // The span's controls (SpanEntry::Controls, Visibility). Every change below also updates the
  // description, the record text and the line lamp.
  const SpanEntry& Span() const { return span_; }
  void SetDataType(uint8_t dataType);
  void ChooseDay(SpanEnd end, int day);
  void ChooseDecade(SpanEnd end, int decade);
  // For monthly data the month chosen is kept (February stays February, its hidden day does not
  // carry it into March).
  void ChooseMonth(SpanEnd end, int month);
  IntegerEntryCheck EnterYear(SpanEnd end, std::string_view text);
  void SetNotLinked(bool notLinked);
  // The whole span at once (the batch): as SpanEntry(dataType, first, last).
  void SetSpan(uint8_t dataType, const Date& first, const Date& last);

  // ---- parameter page ------------------------------------------------------------------
  const ColumnAssignment& Columns() const { return columns_; }
  void SelectColumn(int column) { columns_.SelectColumn(column); }
  // A row of a code page for the current column.
  void ChooseCode(int tableRow);
  ParameterReport Report() const { return columns_.Report(); }
  // "Update Data Range": the limits as the limits form left them; the column limits follow.
  void SetLimits(const StationLimits& limits);

  // ---- delimited file: the layout ------------------------------------------------------
  // Each choice is kept for the files chosen after it, until the kind changes or the form opens
  // again; with a file chosen, it reads the file again and returns the message to show as
  // ChooseFile does.
  // The choices as made (Separator, Decimal, DateColumns, Order; Auto and empty: found from the
  // file).
  const DelimitedOptions& Layout() const { return delimited_.Options(); }
  // What the file read showed: Separator, Decimal, Dates (the form of its dates), DateColumns,
  // HeaderLine, FirstDataLine, DataType, First, Last, Records, AbsentRecords.
  const DelimitedFile& DelimitedRead() const { return delimited_.File(); }
  std::string SetSeparator(FieldSeparator separator);
  std::string SetDecimalSign(DecimalSign sign);
  // None (found from the file), one date column, or the year, month and day columns (year and
  // month for monthly data).
  std::string SetDateColumns(std::vector<ColumnRef> columns);
  std::string SetDateOrder(DateOrder order);
  // The texts (and numbers) that mark a missing value besides those always taken.
  std::string SetMissingMarkers(const std::vector<std::string>& markers);
  const std::vector<std::string>& MissingMarkers() const { return delimited_.MissingMarkers(); }

  // ---- delimited file: the columns -----------------------------------------------------
  // Every column of the file with its code (0: not imported) and factor; the parameter page's
  // grids (Columns(), Report()) show the imported ones, in this order.
  std::vector<DelimitedColumnView> DelimitedColumns() const { return delimited_.Columns(); }
  // A code for a column (1-based; 0: not imported), as DelimitedImport::SetColumnCode; the file
  // is read again.
  std::string SetColumnCode(int column, int16_t code);
  // The factor of an imported column; the file is read again. A column not imported takes no
  // factor: the message says so and nothing changes.
  std::string SetColumnFactor(int column, double factor);
  // The batch: every column at once (nullopt: the proposals).
  std::string SetColumnChoices(std::optional<std::vector<ColumnChoice>> choices);
  // A file of several stations: the station column and the rows of the one station imported
  // (IndexDelimitedStations); the file is read again.
  std::string SetStationRows(ColumnRef column, StationRows rows);

  // ---- delimited file: one station of a file of several (sessionstations.cpp) ------------
  // The station column (1-based; 0: none, the file is one station). The file is indexed with
  // the layout choices and its first station read, returning the message to show as ChooseFile
  // does. A refused index (or a column naming another station on every line) leaves the file
  // read as one station, and the message is the refusal. Another file, folder or kind forgets
  // the choice.
  std::string ChooseStationColumn(int column);
  int StationColumn() const { return stationColumn_; }
  // The stations of the station column, in the order of their first rows; empty without one.
  const std::vector<StationRows>& StationsFound() const { return stations_; }
  // The station read (0-based in StationsFound()); -1 without a station column.
  int ChosenStation() const { return chosenStation_; }
  // Reads another station of the file; an index outside the list changes nothing.
  std::string ChooseStation(int index);
  // The first `count` lines the layout page previews, split into fields: from the header (past
  // any preamble) on; for a station of a file of several, the header, then its own lines.
  std::vector<PreviewLine> PreviewLines(int count) const;

  // ---- delimited file: values beyond the limits and the import report --------------------
  BeyondLimits BeyondLimitsChoice() const { return delimited_.Choice(); }
  // Refuse (the report turns red, as for the other kinds), set missing or set to the limit;
  // the values are held to the limits again.
  void SetBeyondLimits(BeyondLimits choice);
  // The values changed and the solar radiation above the clear sky of its day, as the file
  // read gives them with the choices and limits now.
  const ImportReport& ValuesReport() const { return delimited_.Report(); }
  std::vector<std::string> ValuesReportLines() const { return ImportReportLines(ValuesReport()); }

  // ---- import --------------------------------------------------------------------------
  // The checks of the Import button in their order (line lamp, file lamp, parameter lamp, the
  // name), then the new station's .DSC and .DTA, both or neither.
  ImportResult Import(const std::string& dataFolder, const std::string& name);

 private:
  void Reset();
  void ResetFile();
  void SpanChanged();
  void ReadChosenFile(std::string& message);
  // A layout or column choice of a delimited file was made: the file is read again.
  std::string Reread();
  // A layout choice that moves where the data lines and fields lie (separator, date columns or
  // their order): the stations are indexed again, the station read kept where the index still
  // finds it, then the file is read again.
  std::string RereadLayout();
  // Indexes the file by the station column and reads station `id` (the first when the index
  // does not find it); false with `message` the refusal when the index is refused.
  bool IndexStations(const std::string& id, std::string& message);
  // The file is read as one station: the choice of a station column is forgotten (the rows
  // given by SetStationRows without one stay).
  void ForgetStations();
  // A one-station reading refused because a date comes again ends with a hint naming the
  // column that seems to name the stations.
  void HintAtStations();
  // The delimited file read: its span, its columns with their codes, and its values held to the
  // limits.
  void SettleDelimited();
  void AssignDelimitedColumns();
  bool DelimitedFileRead() const {
    return kind_ == ImportKind::Delimited && !selectedPath_.empty();
  }
  // The name and location of a database file, with the coast/interior class of its altitude.
  void TakeStation(const DatabaseStation& station);
  // What a database file decides (name, for a Meteorix file the country, location, classes and
  // their coefficients) back at the values of the reset.
  void ForgetStation();

  std::string importFolder_;
  std::string folder_;
  ImportKind kind_ = ImportKind::Text;
  ImportFileList files_;
  std::string selectedFile_;
  std::string selectedPath_;
  bool writeTransposed_ = true;
  std::vector<std::string> transposed_;  // the transposed lines of a Meteorix file
  double undefined_ = kDefaultUndefinedValue;
  ScanResult scan_;
  RepClimateFile station_;
  LocationClasses classes_;
  SpanEntry span_;
  ColumnAssignment columns_;
  DelimitedImport delimited_;
  int stationColumn_ = 0;
  std::vector<StationRows> stations_;
  int chosenStation_ = -1;
};

}  // namespace vernoli
