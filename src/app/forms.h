// The program's forms, created once at start and living until it ends.
//
// The program fills this list in the order of creation; a form that opens another one finds it
// here. A form that does not exist (yet) is nullptr, and the button that would open it does
// nothing. Tests fill in only the forms they need.
#pragma once

class QDialog;

namespace vernoli {

class TMainMenu;
class TPathMenu;
class TLimitsForm;
class TFileOptionMenu;

struct Forms {
  TMainMenu* MainMenu = nullptr;
  TPathMenu* PathMenu = nullptr;
  QDialog* SelectMenu = nullptr;          // TSelectMenu
  QDialog* CreateMenu = nullptr;          // TCreateMenu
  QDialog* CharacteristicsMenu = nullptr; // TCharacteristicsMenu
  QDialog* UpdateMenu = nullptr;          // TUpdateMenu, the workspace
  QDialog* PlotMenuForm = nullptr;        // TPlotMenuForm
  QDialog* PrintForm = nullptr;           // TPrintForm
  TLimitsForm* LimitsForm = nullptr;
  QDialog* DataForm = nullptr;            // TDataForm
  QDialog* ImportMenu = nullptr;          // TImportMenu
  QDialog* UpdateStationMenu = nullptr;   // TUpdateStationMenu
  QDialog* UpdateRangeMenu = nullptr;     // TUpdateRangeMenu
  TFileOptionMenu* FileOptionMenu = nullptr;
};

}  // namespace vernoli
