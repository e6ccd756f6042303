// The shell's navigator: opens the forms of a Forms list, each modally. Between two openings the
// data limits form stands on the selected station of `state`.
#pragma once

#include "app/forms.h"
#include "kit/navigator.h"

namespace vernoli {

struct AppState;

class FormNavigator : public Navigator {
 public:
  // `forms` may be filled in after the navigator is made, as the program creates its forms.
  FormNavigator(Forms& forms, AppState& state) : forms_(forms), state_(state) {}

  void OpenPathMenu() override;
  void OpenSelectMenu() override;
  void OpenCreateMenu() override;
  void OpenImportMenu() override;
  void OpenUpdateStationMenu() override;
  void OpenUpdateRangeMenu() override;
  void OpenCharacteristicsMenu() override;
  void OpenDataForm() override;
  bool OpenCopyMenu() override;
  void StationsChanged() override;
  void OpenLimitsForm(RepClimateFile& station, bool writeDescriptionFile) override;
  void OpenWorkspace(bool fromMainMenu) override;
  void OpenPlotMenuForm(std::span<const int16_t> codes, const StationLimits& limits,
                        GraphDescription& graph) override;
  void OpenPrintForm(const RepClimateFile& station, const std::vector<SymbolRow>& symbols,
                     ReportContent& report) override;
  std::optional<double> AskBoundary(const BoundaryRequest& request,
                                    const RepClimateFile& station) override;

 private:
  Forms& forms_;
  AppState& state_;
};

}  // namespace vernoli
