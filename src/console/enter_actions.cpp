#include "console/enter_actions.h"

#include "console/computer_date.h"
#include "console/file_screens.h"
#include "console/navigation.h"
#include "console/read_screens.h"
#include "console/screen_table.h"
#include "data/alpine_edit.h"
#include "data/relay_edit.h"
#include "link/edit_commands.h"
#include "shell/settings_screen.h"

namespace rx {

namespace {

// The best output of main item 9 hides the guide line until the device has answered.
class BestOutputEvents : public ExchangeEvents {
 public:
  void Started(Terminal& t) override { t.form.lblGuide.visible = false; }
  void Done(Terminal& t) override { t.form.lblGuide.visible = true; }
};

}  // namespace

// Enter on a menu page carries out the highlighted item.
void MenuPageEnter(Terminal& t) {
  switch (t.form.MenuItem) {
    case 1: case 2: case 3: case 4: case 5: case 6:
      OpenEditFunctionMenu(t);
      break;
    case 7:
      ShowFunctionMenu(t, ScreenId::FileMenu, 1);
      break;
    case 8:
      ShowFunctionMenu(t, ScreenId::SendRange, 1);
      break;
    case 9:
      static BestOutputEvents events;
      RequestBestOutputOfAll(t, events);
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
      ShowFunctionMenu(t, ScreenId::ReadRange, 1);
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

void ExecuteEnter(Terminal& t) { RowOf(t.form.Screen).enter(t); }

}  // namespace rx
