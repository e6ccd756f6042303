// The program: its shared state and every form, created once at start and living until it ends.
#pragma once

#include <memory>

#include "app/formnavigator.h"
#include "app/forms.h"
#include "stations/appstate.h"

namespace vernoli {

class TLogoMenu;

class Program {
 public:
  // Creates the forms in their fixed order; "Start program" on the start screen clears the
  // selection and shows the main menu.
  explicit Program(const ProgramFolders& folders);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // The start screen, the program's main form: closing it ends the program.
  TLogoMenu& LogoMenu() { return *logoMenu_; }
  AppState& State() { return state_; }
  Forms& AllForms() { return forms_; }
  Navigator& Navigation() { return navigator_; }

 private:
  AppState state_;
  Forms forms_;
  FormNavigator navigator_{forms_, state_};
  std::unique_ptr<TLogoMenu> logoMenu_;
};

}  // namespace vernoli
