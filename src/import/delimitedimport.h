// The delimited kind of the import session: the layout choices and the column codes the user
// makes, the file read with them, its values held to their columns' limits as the user chose,
// and what the import writes and reports. The session (session.h) drives it.
//
// Every choice is kept in the reader's options: a change of a choice is followed by a new
// reading of the file, so what the pages show is always what the file gives with the choices
// made. Columns without a code are never parsed.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "import/delimited.h"
#include "import/importreport.h"
#include "import/importstation.h"
#include "import/scan.h"
#include "model/station.h"

namespace vernoli {

// A column of the file as the parameter page of the delimited kind shows it.
struct DelimitedColumnView {
  int Number = 0;        // 1-based
  std::string Name;      // Windows-1252; empty without a header
  bool Date = false;     // a date column: never imported
  bool Station = false;  // the station column of a file of several stations: never imported
  int16_t Code = 0;      // 0: not imported
  double Factor = 1.0;   // each value is multiplied by it
  ColumnProposal Proposal;  // what the header name offers, with a note where it offers nothing
};

class DelimitedImport {
 public:
  // ---- the layout: each change takes effect at the next Read ------------------------------
  const DelimitedOptions& Options() const { return options_; }
  // The columns of another separator are other columns: the codes go back to the proposals.
  void SetSeparator(FieldSeparator separator);
  void SetDecimalSign(DecimalSign sign);
  // One date column, or the year, month (and day) columns; empty: found from the file. Codes
  // of columns that become date columns are dropped; with none given, the codes go back to the
  // proposals.
  void SetDateColumns(std::vector<ColumnRef> columns);
  void SetDateOrder(DateOrder order);
  // Texts beside the empty field, NA, N/A, NaN, null and "-" that mark a missing value; a marker
  // that is a number marks the values equal to it (after multiplying by 1000 and rounding), as
  // -999 and -9999 always do.
  void SetMissingMarkers(const std::vector<std::string>& markers);
  const std::vector<std::string>& MissingMarkers() const { return markers_; }

  // ---- the columns ------------------------------------------------------------------------
  // Every column of the file with its code and factor: those chosen, else those proposed.
  std::vector<DelimitedColumnView> Columns() const;
  // A code for a column (1-based; code 0: not imported). As the code list does for the other
  // kinds, the columns holding the code or one of its group lose it, and temperature-like
  // columns of the other unit switch to this one. A column newly imported gets the proposal's
  // factor when it proposed this code, else 1.
  void SetColumnCode(int column, int16_t code);
  // The factor of an imported column; false (nothing changed) for a column not imported.
  bool SetColumnFactor(int column, double factor);
  // All columns at once, by number or name (the batch); nullopt: the proposals. These hold for
  // the next file read, whichever it is; codes and factors chosen one column at a time hold for
  // the file they were chosen on, and another file starts from its proposals.
  void SetColumnChoices(std::optional<std::vector<ColumnChoice>> choices);
  // A file of several stations: its station column and the rows of the station to read (from
  // IndexDelimitedStations with the same layout choices).
  void SetStation(ColumnRef column, StationRows rows);
  // The file is read as one station again.
  void ClearStation();

  // ---- beyond the limits ------------------------------------------------------------------
  BeyondLimits Choice() const { return choice_; }
  void SetChoice(BeyondLimits choice) { choice_ = choice; }

  // ---- reading ----------------------------------------------------------------------------
  // Reads the file with the choices. Refused besides what the reader refuses: a column whose
  // records hold no value, and temperatures of both units.
  void Read(const std::string& path);
  // Forgets the file read.
  void Clear();
  // Adds `text` to the end of the refusal of the file read (nothing when it was taken).
  void AddToRefusal(std::string_view text);
  const DelimitedFile& File() const { return file_; }
  // The scan the import's pages show: Unreadable with the reason of a refusal; else one column
  // per imported column with the smallest and largest value as they will be written.
  ScanResult Scan() const { return ScanOf(true); }
  // The same for the values as read, before any Settle.
  ScanResult ScanAsRead() const { return ScanOf(false); }
  // Holds the values to `limits` (one per imported column, in their order) as Choice() says,
  // and lists the changes and the solar radiation above the clear sky of its day for the
  // station (its span and location). Starts from the values as read every time. A column whose
  // every value is set missing is refused (Scan() tells why) until the next Settle.
  void Settle(const std::vector<ValueRange>& limits, const RepClimateFile& station);
  const ImportReport& Report() const { return report_; }

  // ---- writing ----------------------------------------------------------------------------
  // The values to write, one span per imported column.
  std::vector<std::span<const double>> Values() const;
  // Reads the file at `path` again with the same choices: an error naming the file and what
  // changed when it no longer gives the values read.
  Status Unchanged(const std::string& path) const;

 private:
  // The choices now: those given, else the proposals, each by its column number where the file
  // names it.
  std::vector<ColumnChoice> CurrentChoices() const;
  ScanResult ScanOf(bool settled) const;
  void Refuse(std::string reason);

  DelimitedOptions options_;
  std::vector<std::string> markers_;
  BeyondLimits choice_ = BeyondLimits::Refuse;
  DelimitedFile file_;
  std::string refusal_;  // a refusal beyond the reader's; empty otherwise
  std::string settled_;  // the refusal of the last Settle; empty otherwise
  std::string choicesFor_;  // the file the column choices were made on; empty: any file
  std::vector<std::vector<double>> values_;  // after Settle: the values to write
  ImportReport report_;
};

}  // namespace vernoli
