// The program's forms, created once at start and living until it ends.
//
// The program fills this list in the order of creation. A form that does not exist (yet) is
// nullptr, and a request to open it does nothing. Tests fill in only the forms they need.
#pragma once

namespace vernoli {

class TMainMenu;
class TPathMenu;
class TSelectMenu;
class TCreateMenu;
class TCharacteristicsMenu;
class TUpdateMenu;
class TPlotMenuForm;
class TPrintForm;
class TLimitsForm;
class TDataForm;
class TImportMenu;
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
  TPlotMenuForm* PlotMenuForm = nullptr;
  TPrintForm* PrintForm = nullptr;
  TLimitsForm* LimitsForm = nullptr;
  TDataForm* DataForm = nullptr;
  TImportMenu* ImportMenu = nullptr;
  TUpdateStationMenu* UpdateStationMenu = nullptr;
  TUpdateRangeMenu* UpdateRangeMenu = nullptr;
  TFileOptionMenu* FileOptionMenu = nullptr;
};

}  // namespace vernoli
