// The table of screens, the keypad and the menu tree: Enter, Esc, arrows and
// clicks on the menu pages and the file list, and the screens after an error.
#include <algorithm>

#include "console/clicks.h"
#include "console/row_selection.h"
#include "console/screen_table.h"
#include "link/error_line.h"
#include "shell/input.h"
#include "support/console_fixture.h"

namespace rx {
namespace {

struct Menus : testing::ConsoleTest {
  // Esc on a screen as the menu item, function and step left it: where it leads.
  ScreenId EscFrom(ScreenId screen, MenuItemId item, FuncItemId function = FuncItemId::Read,
                   EditStage step = EditStage::Block) {
    f.Screen = screen, f.MenuItem = item, f.FuncItem = function, f.EditStep = step, f.EditRow = 2;
    SetField(f, f.lblBlk, "12");
    f.fraFile.visible = f.fraMenu[MenuFrame::Range].visible = f.fraSend.visible = f.fraEdit[EditFrame::Relay].visible = true;
    f.fraMenu[MenuFrame::File].visible = false;
    Press(Keys::Esc);
    return f.Screen;
  }
};
constexpr int Up = Keys::Up, Down = Keys::Down, Esc = Keys::Esc, Enter = Keys::Enter, Clear = Keys::Clear;
const std::string kSubGuide = "※テンキーまたは↑↓で選択して[Enter] （[Esc]:戻り）";

TEST_F(Menus, FunctionItemsAMemoryDoesNotOfferAreSkippedAndTheDualAddFrameGrowsOnce) {
  Press({2, Enter});  // the DNF memory: no modify
  EXPECT_TRUE(f.FuncItem == FuncItemId::Add && f.fraMenu[MenuFrame::Function].visible);
  Press({1, Up});  // the withheld item, then wrapping past it
  EXPECT_EQ(f.FuncItem, FuncItemId::Read);
  Press(Esc);
  EXPECT_TRUE(f.fraMenu[MenuFrame::Main].visible && f.lblFunc[1].enabled);
  EXPECT_EQ(Highlighted(f.lblFunc), std::vector<int>({6, 8}));  // the other menus keep theirs
  Press({6, Enter, Down, Down, 2, 3, 5});  // the relay results: modify and read only
  EXPECT_EQ(f.FuncItem, FuncItemId::Modify);
  Press({Esc, 3, Enter, 4, Enter, 2});  // the read range menu
  EXPECT_TRUE(f.FuncCode == Scope::OneBlock && Highlighted(f.lblFunc) == std::vector<int>({4, 6, 9}));
  Press(Esc);
  EXPECT_TRUE(f.Screen == ScreenId::FunctionMenu && !f.fraMenu[MenuFrame::Range].visible);
  for (int i = 1; i <= 3; ++i) EXPECT_TRUE(f.lblFunc[i].enabled) << i;
  Press(Esc);  // the dual-add frame grows once however often the menu is entered
  f.DualAdd = true;
  const int normal = f.fraMenu[MenuFrame::Function].height;
  Press({1, Enter, Esc, Enter, 5});
  EXPECT_TRUE(f.FuncItem == FuncItemId::DualAdd && f.fraMenu[MenuFrame::Function].height == normal + f.lblFunc[1].height);
  Press({Esc, 2, Enter});  // another memory: no item 5
  EXPECT_TRUE(!f.lblFunc[5].visible && f.fraMenu[MenuFrame::Function].height == normal);
}

TEST_F(Menus, UpAndDownRingThroughBothPagesPastTheDisabledItem) {
  Press({Down, 9, Down});  // the rest of the rings: in the walks
  EXPECT_TRUE(f.MenuItem == MenuItemId::OperationSettings && f.Screen == ScreenId::SubMenu);
  Press({2, Down});  // the serial send is not offered
  EXPECT_EQ(f.MenuItem, MenuItemId::ComputerDate);
  Press({Up, 3});
  EXPECT_EQ(Highlighted(f.lblMenu), std::vector<int>({11}));
  Press(Esc);  // on a menu page Esc asks to close the window
  EXPECT_EQ(tt.fakes.desktop.closeRequests, 1);
}

TEST_F(Menus, ClicksOnlyMoveHighlightsAndOnlyWhenIdle) {
  Press(Clear);
  Control_Click(tt.terminal, f.lblMenu[Index(MenuItemId::SerialSend)]);  // not offered
  f.KeyMode = Mode::ErrorShown;
  Control_Click(tt.terminal, f.lblMenu[11]);
  EXPECT_EQ(f.MenuItem, MenuItemId::OperationSettings);
  f.KeyMode = Mode::Normal;
  Press({Clear, 2, Enter});
  Control_Click(tt.terminal, f.lblFunc[1]);  // withheld for the DNF memory
  Control_Click(tt.terminal, f.lblMenu[3]);  // not on a menu page
  EXPECT_TRUE(f.FuncItem == FuncItemId::Add && f.MenuItem == MenuItemId::DnfMemory);
}

// Esc where keys alone do not lead (the rest is in the table of screens).
TEST_F(Menus, EscGoesBackByScreenAndMenuItem) {
  using M = MenuItemId;
  using S = ScreenId;
  EXPECT_EQ(EscFrom(S::BlockEntry, M::FirstRunResult), S::ReadRange);
  EXPECT_TRUE(f.lblBlk.caption.empty() && f.fraFile.visible);
  EXPECT_EQ(EscFrom(S::BlockEntry, M::SerialSend), S::SerialSendRange);
  EXPECT_EQ(EscFrom(S::FileSelection, M::SerialSend), S::SubMenu);
  EXPECT_TRUE(EscFrom(S::FileSelection, M::FirstRunResult) == S::ReadRange && !f.fraMenu[MenuFrame::File].visible);
  EXPECT_EQ(EscFrom(S::SerialSendRange, M::SerialSend), S::SubMenu);
  EXPECT_FALSE(f.fraSend.visible || f.fraMenu[MenuFrame::Range].visible);
  EXPECT_TRUE(EscFrom(S::RelayEdit, M::RelayResult, FuncItemId::Modify, LegStage(1)) == S::RelayEdit &&
              f.EditStep == EditStage::Block);
  EXPECT_EQ(EscFrom(S::RelayEdit, M::RelayResult, FuncItemId::Modify, EditStage::RelayConfirm), S::RelayEdit);
  EXPECT_TRUE(f.EditStep == LegStage(2) && f.InputLabel == &f.lblRelayInp[2]);  // back to the end marker
}

TEST_F(Menus, ResumeAfterErrorByScreen) {
  ShowError(tt.terminal, 1002);  // the main page: the menu stays
  Press(Esc);
  EXPECT_TRUE(f.KeyMode == Mode::Normal && f.lblGuide.caption == kSubGuide);
  Press({1, Enter, 4, Enter, 1, Enter, 5});  // the read range; its question ignores digits
  ShowError(tt.terminal, 1005);
  Press(Esc);  // the question goes away
  EXPECT_TRUE(f.Screen == ScreenId::ReadRange && !f.fraYomikomi.visible);
  for (auto [item, screen, frame] : {std::tuple{MenuItemId::SerialSend, ScreenId::SerialSendRange, &f.fraSend},
                                     std::tuple{MenuItemId::HunterStart, ScreenId::HunterStart, &f.fraHunter}}) {
    f.MenuItem = item, f.Screen = screen, frame->visible = true;  // back to the sub-menu page
    ShowError(tt.terminal, 12);
    Press(Esc);
    EXPECT_TRUE(f.Screen == ScreenId::SubMenu && !frame->visible);
  }
}

TEST_F(Menus, EscDuringAReadAsksWhetherToStop) {
  // Reading: XOFF holds the device while we ask; Esc lets it go on.
  tt.fakes.port.open = true, f.Screen = ScreenId::ReadRange, f.KeyMode = Mode::Busy;
  Press(Esc);
  EXPECT_TRUE(f.KeyMode == Mode::AbortConfirm && tt.fakes.port.written == "\x13");
  Press(Esc);
  EXPECT_TRUE(f.KeyMode == Mode::Busy && tt.fakes.port.written == "\x13\x11");
  f.Screen = ScreenId::AlpineEdit;  // elsewhere Esc is ignored while busy
  Press(Esc);
  EXPECT_EQ(f.KeyMode, Mode::Busy);
}

TEST_F(Menus, FileListArrowsAndClicksOnThreeCellsARow) {
  f.Screen = ScreenId::FileSelection, f.FileListMax = 33, f.FileCount = 0;
  SelectRow(f, 0);
  for (int key : {Up, Down, Keys::Left, Keys::Right}) Press(key);  // nothing listed
  EXPECT_EQ(f.FileSel, 0);
  f.FileCount = 7;
  const int moves[][3] = {{1, Up, 4},  {4, Down, 1},         {5, Down, 2},         {0, Up, 6},
                          {3, Down, 6}, {6, Keys::Right, 0}, {0, Keys::Left, 6}, {1, Keys::Left, 0}};
  for (const auto& [from, key, to] : moves) {
    SelectRow(f, from);
    Press(key);
    EXPECT_EQ(Highlighted(f.lblFileList), std::vector<int>({to})) << "from " << from << " key " << key;
  }
  Control_Click(tt.terminal, f.lblFileList[7]);  // past the last file
  EXPECT_EQ(f.FileSel, 0);
  Control_Click(tt.terminal, f.lblFileList[6]);
  EXPECT_EQ(f.FileSel, 6);
}

// Every screen has a complete row of its own in the table of screens, so a
// cell forgotten in a new row fails here rather than doing nothing.
TEST(ScreenTable, EveryScreenHasACompleteRowOfItsOwn) {
  int count = 0;
  const ScreenRow* rows = ScreenRows(&count);
  ASSERT_EQ(count, kScreenIdCount);
  for (int value = 0; value < count; ++value) {
    const ScreenRow& row = rows[value];
    SCOPED_TRACE(row.name);
    EXPECT_TRUE(static_cast<int>(row.screen) == value && &RowOf(static_cast<ScreenId>(value)) == &row);
    for (auto action : {row.enter, row.back, row.resume, row.busyEsc, row.abortEnter, row.abortEsc,
                        row.confirmEnter, row.confirmDelete, row.confirmCancel})
      EXPECT_NE(action, nullptr);
    EXPECT_TRUE(row.digit && row.selectFunc && row.up && row.down && row.left && row.right && row.guide);
    if (std::ranges::find(kAllScreens, static_cast<ScreenId>(value)) == std::end(kAllScreens)) continue;
    // A screen the operator can reach can also be left.
    EXPECT_TRUE(row.back != IgnoreAction && std::string(row.name) != "(none)");
  }
  EXPECT_EQ(RowOf(static_cast<ScreenId>(99)).back, IgnoreAction);  // outside: inert
}

// A control left unplaced or outside its frame is one the operator never
// sees; a key drawn over another is one the operator cannot reach.
TEST(Layout, EveryControlIsPlacedInsideItsFrameAndEveryKeyHasACellOfItsOwn) {
  Form f;
  for (const Control* c : f.AllControls()) {
    EXPECT_TRUE(c->width > 0 && c->height > 0) << c->name;
    if (const Control* p = c->parent; p && c->visible) {  // the dual-add item waits below its frame
      EXPECT_TRUE(c->left >= 0 && c->top >= 0 && c->left + c->width <= p->width && c->top + c->height <= p->height)
          << c->name;
    }
  }
  for (int i = 0; i < Keys::Count; ++i)
    for (int j = i + 1; j < Keys::Count; ++j)  // neighbours share a border, no more
      EXPECT_TRUE(f.lblKey[i].left != f.lblKey[j].left || f.lblKey[i].top != f.lblKey[j].top) << i << ", " << j;
}

}  // namespace
}  // namespace rx
