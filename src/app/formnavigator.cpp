#include "app/formnavigator.h"

#include "app/TPathMenu.h"
#include "forms/import/TImportMenu.h"
#include "forms/limits/TFileOptionMenu.h"
#include "forms/limits/TLimitsForm.h"
#include "forms/plot/TPlotMenuForm.h"
#include "forms/plot/TPrintForm.h"
#include "forms/stations/TCharacteristicsMenu.h"
#include "forms/stations/TCreateMenu.h"
#include "forms/stations/TDataForm.h"
#include "forms/stations/TSelectMenu.h"
#include "forms/stations/TUpdateRangeMenu.h"
#include "forms/stations/TUpdateStationMenu.h"
#include "forms/workspace/TUpdateMenu.h"
#include "kit/modal.h"
#include "stations/appstate.h"

namespace vernoli {

namespace {

template <typename Form>
void Open(Form* form) {
  if (form != nullptr) ShowModal(*form);
}

}  // namespace

void FormNavigator::OpenPathMenu() { Open(forms_.PathMenu); }
void FormNavigator::OpenSelectMenu() { Open(forms_.SelectMenu); }

void FormNavigator::OpenCreateMenu() {
  if (forms_.CreateMenu == nullptr) return;
  forms_.CreateMenu->SetMode(CreateMode::NewFile);
  ShowModal(*forms_.CreateMenu);
}

void FormNavigator::OpenImportMenu() {
  if (forms_.ImportMenu == nullptr) return;
  ShowModal(*forms_.ImportMenu);
  StationsChanged();
}

void FormNavigator::OpenUpdateStationMenu() { Open(forms_.UpdateStationMenu); }
void FormNavigator::OpenUpdateRangeMenu() { Open(forms_.UpdateRangeMenu); }
void FormNavigator::OpenCharacteristicsMenu() { Open(forms_.CharacteristicsMenu); }
void FormNavigator::OpenDataForm() { Open(forms_.DataForm); }

bool FormNavigator::OpenCopyMenu() {
  if (forms_.CreateMenu == nullptr) return false;
  forms_.CreateMenu->SetMode(CreateMode::Copy);
  ShowModal(*forms_.CreateMenu);
  return forms_.CreateMenu->Created();
}

void FormNavigator::StationsChanged() {
  if (forms_.SelectMenu != nullptr) forms_.SelectMenu->ReloadFileList();
}

void FormNavigator::OpenLimitsForm(RepClimateFile& station, bool writeDescriptionFile) {
  if (forms_.LimitsForm == nullptr) return;
  forms_.LimitsForm->SetStation(station, writeDescriptionFile);
  ShowModal(*forms_.LimitsForm);
  forms_.LimitsForm->SetStation(state_.Station, true);
}

void FormNavigator::OpenWorkspace(bool fromMainMenu) {
  if (forms_.UpdateMenu == nullptr) return;
  forms_.UpdateMenu->PrepareOpening(fromMainMenu);
  ShowModal(*forms_.UpdateMenu);
}

void FormNavigator::OpenPlotMenuForm(std::span<const int16_t> codes, const StationLimits& limits,
                                     GraphDescription& graph) {
  if (forms_.PlotMenuForm == nullptr) return;
  forms_.PlotMenuForm->SetDataSet(codes, limits, graph);
  ShowModal(*forms_.PlotMenuForm);
}

void FormNavigator::OpenPrintForm(const RepClimateFile& station,
                                  const std::vector<SymbolRow>& symbols, ReportContent& report) {
  if (forms_.PrintForm == nullptr) return;
  forms_.PrintForm->SetDataSet(station, symbols, report);
  ShowModal(*forms_.PrintForm);
}

std::optional<double> FormNavigator::AskBoundary(const BoundaryRequest& request,
                                                 const RepClimateFile& station) {
  if (forms_.FileOptionMenu == nullptr) return std::nullopt;
  return forms_.FileOptionMenu->Ask(request, station);
}

}  // namespace vernoli
