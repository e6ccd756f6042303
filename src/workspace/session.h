// The workspace while it is open: the working copy of the station description, the working data
// (the whole data set in memory, as a working file would hold it), the unit choices, the visible
// year and the grid's texts, and every operation of the workspace form on them. The form shows
// what this object holds and forwards its controls' events here; it keeps no data of its own.
//
// Changes that need the grid refilled first write the visible records back (with the rows the grid
// shows), then change the working copy, then refill. When the write-back is refused (a typed value
// out of its range) nothing changes: the refused cell has its value back, the working copy stays
// as it was, and the error is returned, so the form shows it and redisplays its controls from
// this object.
//
// The working data stay in memory rather than in a working file on the disk: a save or an export
// then needs no pass over a file of every record in every column, and the data folder holds
// nothing but stations while the workspace is open.
//
//   WorkspaceSession session;
//   if (Status s = session.Open(state.Station); !s) { show s.Message; return; }
//   ... session.NextYear(), session.LeaveCell(c, r), session.SetPresence(...) ...
//   if (Status s = session.Save(); s) state.Station = session.Station();
//   session.Close();
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/station.h"
#include "model/status.h"
#include "plot/graph.h"
#include "plot/report.h"
#include "workspace/exportplan.h"
#include "workspace/parameterlist.h"
#include "workspace/run.h"
#include "workspace/settings.h"
#include "workspace/units.h"
#include "workspace/validation.h"
#include "workspace/yearpages.h"

namespace vernoli {

// An export prepared by the session: the files to write and the questions to ask first.
struct ExportPlan {
  Status Outcome;                         // why the export cannot run
  int RefusedFile = -1;                   // the file whose name was refused (index in Files)
  std::vector<ExportRequest> Files;       // in the order they are written
  std::vector<BoundaryRequest> Questions;  // in the order the run needs them
  explicit operator bool() const { return Outcome.Ok; }
};

class WorkspaceSession {
 public:
  WorkspaceSession() = default;
  ~WorkspaceSession();
  WorkspaceSession(const WorkspaceSession&) = delete;
  WorkspaceSession& operator=(const WorkspaceSession&) = delete;

  // The opening: copies the station into the working copy, reads its data file into the working
  // data, takes the unit choices from the codes, applies the elevation option to
  // the Angstrom pair, sorts the codes (adding ETo when the list lacks it) and reads the first
  // year. On failure the session stays closed.
  Status Open(const RepClimateFile& station);
  bool IsOpen() const { return open_; }

  // ------------------------------------------------------------------------------------------
  // What the form shows

  const RepClimateFile& Station() const { return station_; }  // the working copy
  const UnitChoice& Units() const { return units_; }
  PresenceStates Presence() const;
  SettingsView Settings() const { return ViewSettings(station_, units_); }
  std::vector<ParameterRowTitle> RowTitles() const { return ParameterRowTitles(station_); }
  std::vector<SymbolRow> Symbols() const { return SymbolRows(station_); }
  SwitchUnitsBox SwitchUnits() const;
  const YearPage& Page() const { return page_; }
  const GridPage& Grid() const { return grid_; }
  const WorkingData& Data() const { return data_; }

  // The graph of the plot page; the form resets it to the default ETo graph whenever it opens,
  // and the plot options form rebuilds it.
  GraphDescription& Graph() { return graph_; }
  const GraphDescription& Graph() const { return graph_; }
  // The column blocks of the ETo report; the form presets them whenever it opens, and the report
  // options form changes them.
  ReportContent& Report() { return report_; }
  const ReportContent& Report() const { return report_; }

  // True once the visible records have been written back: "Cancel" is disabled from then on.
  bool WrittenBack() const { return writtenBack_; }
  // True when a grid value or an option changed since the plot was last drawn (a cell only
  // checked, its value unchanged, leaves the plot as it is).
  bool PlotStale() const { return plotStale_; }
  // True while the station's files do not hold what the workspace shows: a value or an option
  // changed since the opening, the last "Save data" or, for what the .DTA holds, the last export.
  bool Unsaved() const;
  void PlotDrawn() { plotStale_ = false; }

  // ------------------------------------------------------------------------------------------
  // The grid. `column` counts the record columns from 0 (grid column 2), `row` the parameter
  // rows from 0 (the grid row below the date rows).

  // The text the user typed into a cell, before the cell is left.
  void SetCellText(std::size_t column, std::size_t row, std::string text);
  // Leaving a cell (or Enter, double click, moving a row or column): the cell is checked against
  // its range and rewritten, and the column's ETo is recomputed. A refused value (text that is no
  // number too: "ERROR:\n" + kNotANumber) gives the cell back what it held before the edit; a
  // cell that held no passing value before is emptied.
  CellCheck LeaveCell(std::size_t column, std::size_t row);
  // The Delete key empties the cell without a check.
  void DeleteCell(std::size_t column, std::size_t row);
  // The cell (column, row) whose typed text has not been checked yet, if any. Every write-back
  // checks it first and stops when it is refused: an unchecked text never reaches the working
  // file, the .DTA or a graph.
  std::optional<std::pair<std::size_t, std::size_t>> UncheckedCell() const;

  // Writes the visible records back into the working data, and reads the visible year anew.
  Status WriteBack();
  // Writes the visible records back and rewrites the station's .DTA from the working data
  // (the computed ETo in its last column), as an export does: the data is then saved.
  RunResult RewriteDataFile();
  // Reads the visible year anew from the working data; the typed text of an open edit is dropped.
  void Refill();
  // For the plot page: write back and refill when the plot is stale.
  Status RefreshForPlot();

  // "next >" and "< previous": write back, move a calendar year, refill. A disabled button does
  // nothing.
  Status NextYear();
  Status PreviousYear();

  // ------------------------------------------------------------------------------------------
  // The description page and the Switch Units box

  Status SetPresence(PresenceBox box, bool present);
  Status SelectTemperatureUnit(bool fahrenheit);
  Status SelectVapourUnit(int item);
  Status SelectWindUnit(int item);
  Status SelectRsUnit(int item);
  Status SelectRnUnit(int item);
  Status SwitchUnit(SwitchQuantity quantity, int item);

  // `outcome` receives the messages to show and whether the edit takes the focus back.
  Status ReadSetting(SettingEdit edit, std::string_view text, SettingOutcome& outcome);
  Status SelectPsychrometer(Psychrometer button);
  Status SelectHumidityClass(HumidityClass humidity);
  Status SelectWindSpeedClass(WindSpeedClass wind);
  Status SetElevationAdjustment(bool on);
  Status AngstromDefaults();

  // After the limits form, which has written them into the .DSC: the five limits of the station
  // description become the working copy's.
  void TakeLimits(const StationLimits& limits);

  // ------------------------------------------------------------------------------------------
  // Exports

  // The base name of the output files (the export page's name edits).
  void SetOutputName(std::string name) { station_.OutputName = std::move(name); }

  // An export in two steps, so that every question is asked before anything is written.
  // PrepareExport checks what can refuse the export: the output folder, the temperature columns
  // of a temperature file, each output name (afterwards without its blanks, as the files are
  // named; it becomes the working copy's output name) and a typed cell; then it lists the
  // boundary values the files need, from the data as the visible records would be written back.
  // No file is left changed (a new output name is tried by making the file and removing it
  // again) and, a typed cell checked apart, the session stays as it was.
  ExportPlan PrepareExport(std::vector<ExportRequest> files);
  // Writes the files of a prepared export with the answers to its questions: the visible records
  // are written back, then each output file is written in turn by the calculation run, which
  // rewrites the .DTA as "Save data" does (the .DSC is not written). The description of each file
  // becomes the working copy's. `written` counts the output files written: an error stops the
  // export after those. Without an answer to each question nothing is written (Cancelled).
  RunResult WriteExport(const ExportPlan& plan, const BoundaryAnswers& answers,
                        std::size_t& written);

  // ------------------------------------------------------------------------------------------
  // Leaving

  // "Save data": write back, run the calculation (rewrites the .DTA with the computed ETo), then
  // write the .DSC. The caller copies Station() into the process-wide record on success.
  Status Save();
  // Lets the working data go ("Main menu" after saving, "Cancel", the close box).
  void Close();

 private:
  // Makes `station` and `units` the working copy and the unit choice; with `refill`, writes back
  // first (nothing changes when that fails) and refills afterwards.
  Status Commit(const RepClimateFile& station, const UnitChoice& units, bool refill);
  Status ChangeUnits(bool (*change)(RepClimateFile&, UnitChoice&, int), int item);
  Status CommitSetting(const RepClimateFile& station, const SettingOutcome& outcome);

  bool open_ = false;
  RepClimateFile station_;
  UnitChoice units_;
  WorkingData data_;
  YearPage page_;
  GridPage grid_;
  GraphDescription graph_;
  ReportContent report_;
  bool writtenBack_ = false;
  bool plotStale_ = true;
  // A value, a unit or an option changed since the .DTA was last written; what the .DSC holds is
  // told by comparing the working copy with saved_.
  bool unsaved_ = false;
  // The working copy as the .DSC holds it.
  RepClimateFile saved_;
  // The cell being edited and its text before the edit.
  struct CellEdit {
    std::size_t Column;
    std::size_t Row;
    std::string Before;
    bool UnsavedBefore;
  };
  std::optional<CellEdit> edit_;
};

}  // namespace vernoli
