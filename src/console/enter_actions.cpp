#include "console/enter_actions.h"

#include "console/computer_date.h"
#include "console/file_screens.h"
#include "console/navigation.h"
#include "console/read_screens.h"
#include "console/screen_table.h"
#include "data/alpine_edit.h"
#include "data/memories.h"
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

// What Enter does on an item: a table keyed by the item, looked up.
template <typename Item>
struct ItemAction {
  Item item;
  void (*enter)(Terminal&);
};

template <typename Item, std::size_t N>
void RunItem(const ItemAction<Item> (&table)[N], Item item, Terminal& t) {
  for (const ItemAction<Item>& row : table)
    if (row.item == item) return row.enter(t);
}

void RequestBestOutput(Terminal& t) {
  static BestOutputEvents events;
  RequestBestOutputOfAll(t, events);
}

void OpenSerialSendIfOffered(Terminal& t) {
  if (t.form.SerialSend) OpenSerialSendSelection(t);
}

// Modify on the relay results edits a whole team; elsewhere one record.
void OpenModify(Terminal& t) {
  if (t.form.MenuItem == MenuItemId::RelayResult)
    OpenRelayEdit(t);
  else
    OpenAlpineEdit(t, EditOpening::Show);
}

void OpenRecordEdit(Terminal& t) { OpenAlpineEdit(t, EditOpening::Show); }

void OpenReadRange(Terminal& t) { ShowFunctionMenu(t, ScreenId::ReadRange); }
void OpenFileMenu(Terminal& t) { ShowFunctionMenu(t, ScreenId::FileMenu); }
void OpenSendRange(Terminal& t) { ShowFunctionMenu(t, ScreenId::SendRange); }

constexpr ItemAction<MenuItemId> kMenuPageEnter[] = {
    {MenuItemId::CourseMemory, OpenEditFunctionMenu},
    {MenuItemId::DnfMemory, OpenEditFunctionMenu},
    {MenuItemId::FirstRunResult, OpenEditFunctionMenu},
    {MenuItemId::SecondRunResult, OpenEditFunctionMenu},
    {MenuItemId::RelayCourseMemory, OpenEditFunctionMenu},
    {MenuItemId::RelayResult, OpenEditFunctionMenu},
    {MenuItemId::FileOperations, OpenFileMenu},
    {MenuItemId::SendToDevice, OpenSendRange},
    {MenuItemId::BestOutput, RequestBestOutput},
    {MenuItemId::OperationSettings, OpenSettingsScreen},
    {MenuItemId::HunterStart, OpenHunterSelection},
    {MenuItemId::SerialSend, OpenSerialSendIfOffered},
    {MenuItemId::ComputerDate, OpenComputerDateSettings},
};

constexpr ItemAction<FuncItemId> kFunctionMenuEnter[] = {
    {FuncItemId::Modify, OpenModify},       {FuncItemId::Add, OpenRecordEdit},
    {FuncItemId::Delete, OpenRecordEdit},   {FuncItemId::Read, OpenReadRange},
    {FuncItemId::DualAdd, OpenRecordEdit},
};

// Every item of both pages, once and in order.
constexpr bool EveryMenuItemHasItsEnter() {
  MenuItemId expected = kFirstMenuItem;
  for (const ItemAction<MenuItemId>& row : kMenuPageEnter) {
    if (row.item != expected) return false;
    expected = Shifted(expected, 1);
  }
  return expected == Shifted(kLastMenuItem, 1);
}
static_assert(EveryMenuItemHasItsEnter(), "a menu item has no Enter, or the table is out of order");

}  // namespace

void MenuPageEnter(Terminal& t) { RunItem(kMenuPageEnter, t.form.MenuItem, t); }

void FunctionMenuEnter(Terminal& t) { RunItem(kFunctionMenuEnter, t.form.FuncItem, t); }

// The block number serves the read, the send and the serial send.
void BlockEntryEnter(Terminal& t) {
  if (IsMemory(t.form.MenuItem))
    ReadBlockEnter(t);
  else
    SendBlockEnter(t);
}

void ExecuteEnter(Terminal& t) { RowOf(t.form.Screen).enter(t); }

}  // namespace rx
