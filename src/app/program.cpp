#include "app/program.h"

#include "app/TLogoMenu.h"
#include "app/TMainMenu.h"
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

namespace vernoli {

Program::Program(const ProgramFolders& folders)
    : state_(NewAppState(folders)), logoMenu_(std::make_unique<TLogoMenu>()) {
  // The start screen owns every other form; they are shown modally on top of it.
  QWidget* owner = logoMenu_.get();
  forms_.MainMenu = new TMainMenu(state_, navigator_, owner);
  forms_.PathMenu = new TPathMenu(state_, owner);
  forms_.SelectMenu = new TSelectMenu(state_, navigator_, owner);
  forms_.CreateMenu = new TCreateMenu(state_, navigator_, owner);
  forms_.CharacteristicsMenu = new TCharacteristicsMenu(state_, owner);
  forms_.UpdateMenu = new TUpdateMenu(state_, navigator_, owner);
  forms_.PlotMenuForm = new TPlotMenuForm(owner);
  forms_.LimitsForm = new TLimitsForm(state_, owner);
  forms_.DataForm = new TDataForm(state_, owner);
  forms_.ImportMenu = new TImportMenu(state_, navigator_, owner);
  forms_.UpdateStationMenu = new TUpdateStationMenu(state_, owner);
  forms_.UpdateRangeMenu = new TUpdateRangeMenu(state_, owner);
  forms_.FileOptionMenu = new TFileOptionMenu(state_, owner);
  forms_.PrintForm = new TPrintForm(owner);

  logoMenu_->SetStartAction([this] {
    ClearSelection(state_);
    ShowModal(*forms_.MainMenu);
  });
}

Program::~Program() = default;

}  // namespace vernoli
