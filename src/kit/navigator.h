// How a form opens another form: through the shell, which owns every form.
//
// A form holds a Navigator and asks it for the next form; it never holds another form. The
// program's navigator opens the forms it created at start; a test's navigator opens only the
// forms the test built, and a call for a form it lacks does nothing (false, nothing chosen).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "limits/boundary.h"
#include "model/station.h"
#include "plot/graph.h"
#include "plot/report.h"
#include "workspace/parameterlist.h"

namespace vernoli {

class Navigator {
 public:
  virtual ~Navigator() = default;

  // The forms of the main menu's buttons.
  virtual void OpenPathMenu() = 0;
  virtual void OpenSelectMenu() = 0;
  // The create form for a new station.
  virtual void OpenCreateMenu() = 0;
  // The import form; the select form then lists an imported station at once.
  virtual void OpenImportMenu() = 0;
  virtual void OpenUpdateStationMenu() = 0;
  virtual void OpenUpdateRangeMenu() = 0;
  virtual void OpenCharacteristicsMenu() = 0;
  virtual void OpenDataForm() = 0;

  // The create form copying the selected station; true when the copy was made.
  virtual bool OpenCopyMenu() = 0;
  // The select form's list of files reads the data folder again.
  virtual void StationsChanged() = 0;

  // The data limits of `station`; with `writeDescriptionFile` "Save and Close" also writes its
  // description file.
  virtual void OpenLimitsForm(RepClimateFile& station, bool writeDescriptionFile) = 0;

  // The workspace on the selected station. From the main menu "Cancel" is enabled and the
  // description page is in front; from the create form the data page is.
  virtual void OpenWorkspace(bool fromMainMenu) = 0;

  // The plot options form on `graph`, for a data set of `codes` with `limits`: "Plot" rebuilds
  // the graph, Cancel leaves it as it was.
  virtual void OpenPlotMenuForm(std::span<const int16_t> codes, const StationLimits& limits,
                                GraphDescription& graph) = 0;
  // The report options form on `report`, for the data set of `station` with its `symbols`.
  virtual void OpenPrintForm(const RepClimateFile& station, const std::vector<SymbolRow>& symbols,
                             ReportContent& report) = 0;
  // Asks for the first or last value of a series that begins or ends with missing records;
  // nothing when the user cancels.
  virtual std::optional<double> AskBoundary(const BoundaryRequest& request,
                                            const RepClimateFile& station) = 0;
};

}  // namespace vernoli
