#include "console/enter_actions.h"

#include "console/computer_date.h"
#include "console/file_screens.h"
#include "console/navigation.h"
#include "console/read_screens.h"
#include "data/alpine_edit.h"
#include "data/relay_edit.h"
#include "link/edit_commands.h"
#include "shell/settings_screen.h"

namespace rx {

namespace {

// Enter on a menu page carries out the highlighted item.
void MenuPageEnter(Terminal& t) {
  switch (t.form.MenuItem) {
    case 1: case 2: case 3: case 4: case 5: case 6:
      OpenEditFunctionMenu(t);
      break;
    case 7:
      ShowFunctionMenu(t, Screens::FileMenu, 1);
      break;
    case 8:
      ShowFunctionMenu(t, Screens::SendRange, 1);
      break;
    case 9:
      RequestBestOutputOfAll(t);
      break;
    case 10:
      OpenSettingsScreen(t);
      break;
    case 11:
      OpenHunterSelection(t);
      break;
    case 12:
      if (t.form.SerialSend) OpenSerialSendSelection(t);
      break;
    case 13:
      OpenComputerDateSettings(t);
      break;
    default:
      break;
  }
}

void FunctionMenuEnter(Terminal& t) {
  switch (t.form.FuncItem) {
    case 1:
      if (t.form.MenuItem == 6) {
        OpenRelayEdit(t);
        break;
      }
      [[fallthrough]];
    case 2:
    case 3:
    case 5:
      OpenAlpineEdit(t, true);
      break;
    case 4:
      ShowFunctionMenu(t, Screens::ReadRange, 1);
      break;
    default:
      break;
  }
}

// The block number serves the read, the send and the serial send.
void BlockEntryEnter(Terminal& t) {
  int item = t.form.MenuItem;
  if (item >= 1 && item <= 6)
    ReadBlockEnter(t);
  else
    SendBlockEnter(t);
}

}  // namespace

void ExecuteEnter(Terminal& t) {
  switch (t.form.Screen) {
    case Screens::MainMenu:
    case Screens::SubMenu:
      MenuPageEnter(t);
      break;
    case Screens::FunctionMenu:
      FunctionMenuEnter(t);
      break;
    case Screens::FileMenu:
      FileMenuEnter(t);
      break;
    case Screens::ReadRange:
      ReadRangeEnter(t);
      break;
    case Screens::SendRange:
      SendRangeEnter(t);
      break;
    case Screens::SerialSendRange:
      SerialRangeEnter(t);
      break;
    case Screens::FileSelection:
      FileSelectionEnter(t);
      break;
    case Screens::HunterStart:
      HunterDateEnter(t);
      break;
    case Screens::AlpineEdit:
      AlpineEditEnter(t);
      break;
    case Screens::RelayEdit:
      RelayEditEnter(t);
      break;
    case Screens::BlockEntry:
      BlockEntryEnter(t);
      break;
    case Screens::Settings:
      SaveSettingsScreen(t);
      break;
    default:
      break;
  }
}

}  // namespace rx
