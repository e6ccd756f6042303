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
class TSelectMenu;
class TCreateMenu;
class TCharacteristicsMenu;
class TUpdateMenu;
class TLimitsForm;
class TDataForm;
class TUpdateStationMenu;
class TUpdateRangeMenu;
class TFileOptionMenu;

struct Forms {
  TMainMenu* MainMenu = nullptr;
  TPathMenu* PathMenu = nullptr;
  TSelectMenu* SelectMenu = nullptr;
  TCreateMenu* CreateMenu = nullptr;
  TCharacteristicsMenu* CharacteristicsMenu = nullptr;
  TUpdateMenu* UpdateMenu = nullptr;  // the workspace
  QDialog* PlotMenuForm = nullptr;        // TPlotMenuForm
  QDialog* PrintForm = nullptr;           // TPrintForm
  TLimitsForm* LimitsForm = nullptr;
  TDataForm* DataForm = nullptr;
  QDialog* ImportMenu = nullptr;          // TImportMenu
  TUpdateStationMenu* UpdateStationMenu = nullptr;
  TUpdateRangeMenu* UpdateRangeMenu = nullptr;
  TFileOptionMenu* FileOptionMenu = nullptr;
};

}  // namespace vernoli
