#include "workspace/session.h"

#include <cstdio>
#include <tuple>
#include <utility>

#include "model/checks.h"
#include "model/datafile.h"
#include "model/folders.h"
#include "model/stationcodes.h"
#include "stations/fileset.h"
#include "workspace/run.h"
#include "workspace/workingdata.h"

namespace vernoli {

namespace {

// True when the .DSC written from `a` would not be the one written from `b`: one of the fields
// the file holds differs.
bool DescriptionFileDiffers(const RepClimateFile& a, const RepClimateFile& b) {
  const auto fields = [](const RepClimateFile& s) {
    const StationLimits& l = s.Limits;
    return std::tie(s.StationName, s.Country, s.Latitude, s.Longitude, s.Altitude, s.DataType,
                    s.FromDay, s.FromMonth, s.FromYear, s.ToDay, s.ToMonth, s.ToYear,
                    s.PsychrometerCoefficient, s.WindHeight, s.TdewTminDifference,
                    s.HargreavesRsCoefficient, s.DefaultU2, s.Settings.AngstromA,
                    s.Settings.AngstromB, s.Flags.ElevationAdjustment, l.LimitTmin, l.LimitTmax,
                    l.LimitRHmin, l.LimitWind, l.LimitRadiationDeviation);
  };
  return fields(a) != fields(b);
}

}  // namespace

WorkspaceSession::~WorkspaceSession() { Close(); }

Status WorkspaceSession::Open(const RepClimateFile& station) {
  Close();
  RepClimateFile copy = station;
  WorkingData data;
  if (Status s = LoadWorkingData(copy, data); !s) return s;

  units_ = UnitChoiceOfCodes(StationCodes(copy));
  OpenSettings(copy);
  SortParameterCodes(copy);
  // Every data set has ETo; a list without it could not be saved.
  AddParameterCode(copy, kEToParameterCode);

  station_ = std::move(copy);
  data_ = std::move(data);
  page_ = FirstYearPage(station_);
  grid_ = GridPage{};
  saved_ = station_;
  writtenBack_ = false;
  plotStale_ = true;
  unsaved_ = false;
  open_ = true;
  Refill();
  return Status::Success();
}

bool WorkspaceSession::Unsaved() const {
  return open_ && (unsaved_ || DescriptionFileDiffers(station_, saved_));
}

void WorkspaceSession::TakeLimits(const StationLimits& limits) {
  station_.Limits = limits;
  saved_.Limits = limits;
}

PresenceStates WorkspaceSession::Presence() const {
  return PresenceOfCodes(StationCodes(station_));
}

SwitchUnitsBox WorkspaceSession::SwitchUnits() const {
  return OpenSwitchUnitsBox(StationCodes(station_));
}

// ---------------------------------------------------------------------------------------------
// The grid

void WorkspaceSession::SetCellText(std::size_t column, std::size_t row, std::string text) {
  if (column >= grid_.Cells.size() || row >= grid_.Codes.size()) return;
  std::string& cell = grid_.Cells[column][row];
  if (cell == text) return;
  // The first edit of a cell remembers what it held: a refused value gives it back. Another
  // cell typed into before is checked first (refused, it silently has its value back).
  if (edit_ && (edit_->Column != column || edit_->Row != row)) LeaveCell(edit_->Column, edit_->Row);
  if (!edit_) edit_ = CellEdit{column, row, cell, unsaved_};
  cell = std::move(text);
  plotStale_ = true;
  unsaved_ = true;
}

CellCheck WorkspaceSession::LeaveCell(std::size_t column, std::size_t row) {
  if (column >= grid_.Cells.size() || row >= grid_.Codes.size()) return {};
  // Passing through a cell checks it too; only a change makes the plot stale.
  const std::vector<std::string> before = grid_.Cells[column];
  std::string& cell = grid_.Cells[column][row];
  const auto k = grid_.First - 1 + static_cast<int32_t>(column);
  CellCheck check = CheckCell(cell, grid_.Codes[row], station_, k);
  cell = check.CellText;
  if (edit_ && edit_->Column == column && edit_->Row == row) {
    // A refused value gives the cell back what it held before the edit, if that passes.
    if (check.Refused) {
      const CellCheck before = CheckCell(edit_->Before, grid_.Codes[row], station_, k);
      if (!before.Refused) {
        cell = before.CellText;
        unsaved_ = edit_->UnsavedBefore;  // nothing changed after all
      }
      check.CellText = cell;
    }
    edit_.reset();
  }
  RecomputeETo(station_, grid_, column);
  if (grid_.Cells[column] != before) plotStale_ = true;
  return check;
}

void WorkspaceSession::DeleteCell(std::size_t column, std::size_t row) {
  SetCellText(column, row, std::string());
}

std::optional<std::pair<std::size_t, std::size_t>> WorkspaceSession::UncheckedCell() const {
  if (!edit_) return std::nullopt;
  return std::make_pair(edit_->Column, edit_->Row);
}

Status WorkspaceSession::WriteBack() {
  if (!open_) return Status::Success();
  // A typed text is checked before it goes anywhere; refused, the cell has its value back and
  // nothing is written.
  if (edit_) {
    const CellCheck check = LeaveCell(edit_->Column, edit_->Row);
    if (check.Refused) return Status{false, check.Message};
  }
  WriteBackGridPage(data_, grid_);
  writtenBack_ = true;
  return Status::Success();
}

void WorkspaceSession::Refill() {
  if (!open_) return;
  ReadGridPage(station_, data_, page_.First, page_.Last, grid_);
  edit_.reset();
  plotStale_ = true;
}

Status WorkspaceSession::RefreshForPlot() {
  if (!plotStale_) return Status::Success();
  if (Status s = WriteBack(); !s) return s;
  Refill();
  return Status::Success();
}

Status WorkspaceSession::NextYear() {
  YearPage next = page_;
  if (!NextYearPage(station_, next)) return Status::Success();
  if (Status s = WriteBack(); !s) return s;
  page_ = next;
  Refill();
  return Status::Success();
}

Status WorkspaceSession::PreviousYear() {
  YearPage previous = page_;
  if (!PreviousYearPage(station_, previous)) return Status::Success();
  if (Status s = WriteBack(); !s) return s;
  page_ = previous;
  Refill();
  return Status::Success();
}

// ---------------------------------------------------------------------------------------------
// Changes of the working copy

Status WorkspaceSession::Commit(const RepClimateFile& station, const UnitChoice& units,
                                bool refill) {
  if (refill) {
    if (Status s = WriteBack(); !s) return s;
  }
  station_ = station;
  units_ = units;
  plotStale_ = true;
  unsaved_ = true;
  if (refill) Refill();
  return Status::Success();
}

Status WorkspaceSession::ChangeUnits(bool (*change)(RepClimateFile&, UnitChoice&, int), int item) {
  RepClimateFile station = station_;
  UnitChoice units = units_;
  const bool codesChanged = change(station, units, item);
  return Commit(station, units, codesChanged);
}

Status WorkspaceSession::CommitSetting(const RepClimateFile& station,
                                       const SettingOutcome& outcome) {
  if (!outcome.Changed) return Status::Success();
  return Commit(station, units_, outcome.Refill);
}

Status WorkspaceSession::SetPresence(PresenceBox box, bool present) {
  RepClimateFile station = station_;
  const bool changed = vernoli::SetPresence(station, box, present, units_);
  if (!changed) return Status::Success();
  return Commit(station, units_, true);
}

Status WorkspaceSession::SelectTemperatureUnit(bool fahrenheit) {
  return ChangeUnits([](RepClimateFile& s, UnitChoice& u,
                        int f) { return vernoli::SelectTemperatureUnit(s, u, f != 0); },
                     fahrenheit ? 1 : 0);
}

Status WorkspaceSession::SelectVapourUnit(int item) {
  return ChangeUnits(&vernoli::SelectVapourUnit, item);
}

Status WorkspaceSession::SelectWindUnit(int item) {
  return ChangeUnits(&vernoli::SelectWindUnit, item);
}

Status WorkspaceSession::SelectRsUnit(int item) {
  return ChangeUnits(&vernoli::SelectRsUnit, item);
}

Status WorkspaceSession::SelectRnUnit(int item) {
  return ChangeUnits(&vernoli::SelectRnUnit, item);
}

Status WorkspaceSession::SwitchUnit(SwitchQuantity quantity, int item) {
  RepClimateFile station = station_;
  UnitChoice units = units_;
  const bool codesChanged = vernoli::SwitchUnit(station, units, quantity, item);
  return Commit(station, units, codesChanged);
}

Status WorkspaceSession::ReadSetting(SettingEdit edit, std::string_view text,
                                     SettingOutcome& outcome) {
  RepClimateFile station = station_;
  outcome = vernoli::ReadSetting(station, units_, edit, text);
  return CommitSetting(station, outcome);
}

Status WorkspaceSession::SelectPsychrometer(Psychrometer button) {
  RepClimateFile station = station_;
  const SettingOutcome outcome = vernoli::SelectPsychrometer(station, button);
  return CommitSetting(station, outcome);
}

Status WorkspaceSession::SelectHumidityClass(HumidityClass humidity) {
  RepClimateFile station = station_;
  const SettingOutcome outcome = vernoli::SelectHumidityClass(station, humidity);
  return CommitSetting(station, outcome);
}

Status WorkspaceSession::SelectWindSpeedClass(WindSpeedClass wind) {
  RepClimateFile station = station_;
  const SettingOutcome outcome = vernoli::SelectWindSpeedClass(station, wind);
  return CommitSetting(station, outcome);
}

Status WorkspaceSession::SetElevationAdjustment(bool on) {
  RepClimateFile station = station_;
  const SettingOutcome outcome = vernoli::SetElevationAdjustment(station, on);
  return CommitSetting(station, outcome);
}

Status WorkspaceSession::AngstromDefaults() {
  RepClimateFile station = station_;
  const SettingOutcome outcome = vernoli::AngstromDefaults(station);
  return CommitSetting(station, outcome);
}

// ---------------------------------------------------------------------------------------------
// Leaving

Status WorkspaceSession::Save() {
  if (!open_) return Status::Success();
  if (Status s = WriteBack(); !s) return s;
  // Both station files are written in full beside their targets, then put in place together.
  FileSet files;
  RepClimateFile staged = station_;
  staged.DtaFileName = files.Add(station_.DtaFileName);
  staged.DscFileName = files.Add(station_.DscFileName);
  if (const RunResult run = RunCalculation(staged, data_); !run) {
    return {false, files.TargetsNamed(run.Outcome.Message)};
  }
  if (Status s = WriteStationDescription(staged); !s) return {false, files.TargetsNamed(s.Message)};
  if (Status s = files.Commit(); !s) return s;
  unsaved_ = false;
  saved_ = station_;
  return Status::Success();
}

void WorkspaceSession::Close() {
  if (!open_) return;
  data_ = WorkingData{};
  open_ = false;
}

// ---------------------------------------------------------------------------------------------
// Exports

ExportPlan WorkspaceSession::PrepareExport(std::vector<ExportRequest> files) {
  ExportPlan plan;
  plan.Files = std::move(files);
  if (!open_) {
    plan.Files.clear();
    return plan;
  }
  for (const ExportRequest& file : plan.Files) {
    if (Status s = CheckFolder(file.OutputFolder, "output folder"); !s) {
      plan.Outcome = s;
      return plan;
    }
  }
  // The temperature columns are named before any name is checked: the user can then leave the
  // temperature file out and export the rest.
  for (const ExportRequest& file : plan.Files) {
    if (file.Kind != OutputKind::TemperatureFile) continue;
    const std::string target =
        PathInFolder(file.OutputFolder, file.Name + "." + std::string(OutputExtension(file.Kind)));
    if (Status s = CheckTemperatureColumns(StationCodes(station_), file.Fahrenheit, target); !s) {
      plan.Outcome = s;
      return plan;
    }
  }
  for (std::size_t i = 0; i < plan.Files.size(); ++i) {
    ExportRequest& file = plan.Files[i];
    const FileNameCheck name = CheckNewFileName(
        file.OutputFolder, file.Name, std::string(OutputExtension(file.Kind)), true);
    file.Name = name.Name;
    station_.OutputName = name.Name;
    if (!name.Ok()) {
      plan.Outcome = Status{false, name.Message};
      plan.RefusedFile = static_cast<int>(i);
      return plan;
    }
  }
  // The questions follow from the data as the write-back will leave them; the write-back itself
  // waits for the answers.
  if (edit_) {
    const CellCheck check = LeaveCell(edit_->Column, edit_->Row);
    if (check.Refused) {
      plan.Outcome = Status{false, check.Message};
      return plan;
    }
  }
  WorkingData data = data_;
  WriteBackGridPage(data, grid_);
  for (const ExportRequest& file : plan.Files) {
    const std::vector<BoundaryRequest> questions =
        BoundaryQuestions(station_, data, file.Kind, file.Fahrenheit);
    plan.Questions.insert(plan.Questions.end(), questions.begin(), questions.end());
  }
  return plan;
}

RunResult WorkspaceSession::RewriteDataFile() {
  if (!open_) return CancelledRun();
  if (Status s = WriteBack(); !s) return FailedRun(s);
  RunResult run = RunCalculation(station_, data_);
  // The .DTA now holds every value and the parameter list; the .DSC is as it was.
  if (run) unsaved_ = false;
  return run;
}

RunResult WorkspaceSession::WriteExport(const ExportPlan& plan, const BoundaryAnswers& answers,
                                        std::size_t& written) {
  written = 0;
  // A question without its answer would stop the run half-way: nothing is started.
  if (!open_ || !plan || !answers.Cover(plan.Questions)) return CancelledRun();
  if (Status s = WriteBack(); !s) return FailedRun(s);
  RunResult result;
  for (ExportRequest file : plan.Files) {
    file.Boundary = answers.Source();
    file.RewriteDataFile = true;
    station_.Description = file.Description;
    result = ExportFile(station_, data_, file);
    if (!result) return result;
    ++written;
  }
  // The .DTA now holds every value and the parameter list; the .DSC is as it was.
  if (written > 0) unsaved_ = false;
  return result;
}

}  // namespace vernoli
