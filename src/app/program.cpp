#include "app/program.h"

#include "app/TLogoMenu.h"
#include "app/TMainMenu.h"
#include "app/TPathMenu.h"
#include "app/modal.h"
#include "limits/TFileOptionMenu.h"
#include "limits/TLimitsForm.h"

namespace vernoli {

Program::Program(const ProgramFolders& folders)
    : state_(NewAppState(folders)), logoMenu_(std::make_unique<TLogoMenu>()) {
  // The start screen owns every other form; they are shown modally on top of it.
  QWidget* owner = logoMenu_.get();
  forms_.MainMenu = new TMainMenu(state_, forms_, owner);
  forms_.PathMenu = new TPathMenu(state_, owner);
  forms_.LimitsForm = new TLimitsForm(state_, owner);
  forms_.FileOptionMenu = new TFileOptionMenu(state_, owner);

  logoMenu_->SetStartAction([this] {
    ClearSelection(state_);
    ShowModal(*forms_.MainMenu);
  });
}

Program::~Program() = default;

}  // namespace vernoli
