// The menu tree: opening menus with Enter, going back with Esc, the arrows
// on the menu pages and the file list, and the screens after an error was
// acknowledged.
#include "console/clicks.h"
#include "console/navigation.h"
#include "console/row_selection.h"
#include "link/error_line.h"
#include "support/console_fixture.h"

namespace rx {
namespace {

using Menus = testing::ConsoleTest;
using K = int;
constexpr K Up = Keys::Up, Down = Keys::Down, Esc = Keys::Esc, Enter = Keys::Enter,
            Clear = Keys::Clear;

TEST_F(Menus, DnfMemoryDisablesModifyUntilEscUndoesIt) {
  Press({2, Enter});
  EXPECT_EQ(f.Screen, ScreenId::FunctionMenu);
  EXPECT_EQ(f.lblFunc[1].caption, "　１ ------");
  EXPECT_FALSE(f.lblFunc[1].enabled);
  EXPECT_EQ(f.FuncItem, FuncItemId::Add);
  EXPECT_FALSE(f.fraMenu[0].visible);
  EXPECT_TRUE(f.fraMenu[2].visible);
  EXPECT_EQ(f.lblGuide.caption, "※テンキーまたは↑↓で選択して[Enter] （[Esc]:戻り）");
  Press(1);  // the disabled item
  EXPECT_EQ(f.FuncItem, FuncItemId::Add);
  Press(Up);  // wraps past it
  EXPECT_EQ(f.FuncItem, FuncItemId::Read);
  Press(Esc);
  EXPECT_EQ(f.Screen, ScreenId::MainMenu);
  EXPECT_TRUE(f.fraMenu[0].visible);
  EXPECT_FALSE(f.fraMenu[2].visible);
  EXPECT_EQ(f.lblFunc[1].caption, "　１ 修　正");
  EXPECT_TRUE(f.lblFunc[1].enabled);
  EXPECT_EQ(f.lblGuide.caption, "※テンキーまたは↑↓で選択して[Enter] （[Esc]:終了、[Clear]：次頁）");
  EXPECT_EQ(Highlighted(f.lblFunc), std::vector<int>({6, 8}));  // the other menus keep theirs
}

TEST_F(Menus, RelayResultsLeaveOnlyModifyAndRead) {
  Press({6, Enter});
  EXPECT_EQ(f.lblFunc[2].caption, "　２ ------");
  EXPECT_EQ(f.lblFunc[3].caption, "　３ ------");
  EXPECT_EQ(f.FuncItem, FuncItemId::Modify);
  Press(Down);
  EXPECT_EQ(f.FuncItem, FuncItemId::Read);
  Press(Down);
  EXPECT_EQ(f.FuncItem, FuncItemId::Modify);
  Press({2, 3, 5});
  EXPECT_EQ(f.FuncItem, FuncItemId::Modify);
  Press(Esc);
  for (int i = 1; i <= 3; ++i) EXPECT_TRUE(f.lblFunc[i].enabled) << i;
  EXPECT_EQ(f.lblFunc[3].caption, "　３ 削　除");
}

TEST_F(Menus, DualAddFrameGrowsOnceHoweverOftenTheMenuIsEntered) {
  f.DualAdd = true;
  int normal = f.fraMenu[2].height;
  Press({1, Enter});
  EXPECT_TRUE(f.lblFunc[5].visible);
  EXPECT_TRUE(f.lblFunc[5].enabled);
  int taller = f.fraMenu[2].height;
  EXPECT_EQ(taller, normal + f.lblFunc[1].height);
  Press({5});
  EXPECT_EQ(f.FuncItem, FuncItemId::DualAdd);
  Press({Esc, Enter});
  EXPECT_EQ(f.fraMenu[2].height, taller);
  Press({Esc, 2, Enter});  // another memory: no item 5
  EXPECT_FALSE(f.lblFunc[5].visible);
  EXPECT_EQ(f.fraMenu[2].height, normal);
  Press(Esc);
  EXPECT_EQ(f.fraMenu[2].height, normal);
}

TEST_F(Menus, ReadRangeMenuAndBackToTheFunctionMenu) {
  Press({3, Enter, 4, Enter});
  EXPECT_EQ(f.Screen, ScreenId::ReadRange);
  EXPECT_EQ(f.FuncCode, Scope::AllBlocks);
  Press(2);
  EXPECT_EQ(f.FuncCode, Scope::OneBlock);
  EXPECT_EQ(Highlighted(f.lblFunc), std::vector<int>({4, 6, 9}));
  Press(Up);
  EXPECT_EQ(f.FuncCode, Scope::AllBlocks);
  Press(Esc);
  EXPECT_EQ(f.Screen, ScreenId::FunctionMenu);
  EXPECT_TRUE(f.fraMenu[2].visible);
  EXPECT_FALSE(f.fraMenu[4].visible);
  EXPECT_EQ(f.FuncItem, FuncItemId::Read);  // 読込 still highlighted
}

TEST_F(Menus, EscOnAMenuPageAsksToCloseTheWindow) {
  Press(Esc);
  EXPECT_EQ(tt.fakes.desktop.closeRequests, 1);
  Press({Clear, Esc});
  EXPECT_EQ(tt.fakes.desktop.closeRequests, 2);
  EXPECT_EQ(f.Screen, ScreenId::SubMenu);
}

TEST_F(Menus, ClicksOnlyMoveHighlightsAndOnlyWhenIdle) {
  Control_Click(tt.terminal, f.lblMenu[5]);
  EXPECT_EQ(f.MenuItem, MenuItemId::RelayCourseMemory);
  EXPECT_EQ(f.Screen, ScreenId::MainMenu);
  Press(Clear);
  Control_Click(tt.terminal, f.lblMenu[12]);  // disabled
  EXPECT_EQ(f.MenuItem, MenuItemId::OperationSettings);
  f.KeyMode = Mode::ErrorShown;
  Control_Click(tt.terminal, f.lblMenu[11]);
  EXPECT_EQ(f.MenuItem, MenuItemId::OperationSettings);
  f.KeyMode = Mode::Normal;
  Control_Click(tt.terminal, f.lblMenu[11]);
  EXPECT_EQ(f.MenuItem, MenuItemId::HunterStart);
  Press({Clear, 2, Enter});
  Control_Click(tt.terminal, f.lblFunc[1]);  // disabled for the DNF memory
  Control_Click(tt.terminal, f.lblMenu[3]);  // not on a menu page
  EXPECT_EQ(f.FuncItem, FuncItemId::Add);
  EXPECT_EQ(f.MenuItem, MenuItemId::DnfMemory);
}

TEST_F(Menus, BlockEntryGoesBackToItsRangeMenu) {
  struct Case {
    MenuItemId menuItem;
    ScreenId expected;
  } cases[] = {{MenuItemId::FirstRunResult, ScreenId::ReadRange},
               {MenuItemId::SendToDevice, ScreenId::SendRange},
               {MenuItemId::SerialSend, ScreenId::SerialSendRange}};
  for (const Case& c : cases) {
    f.MenuItem = c.menuItem;
    f.Screen = ScreenId::BlockEntry;
    f.lblBlk.caption = "12";
    f.fraFile.visible = true;
    Press(Esc);
    EXPECT_EQ(f.Screen, c.expected) << Index(c.menuItem);
    EXPECT_EQ(f.lblBlk.caption, "");
    EXPECT_EQ(f.fraFile.visible, c.menuItem != MenuItemId::SendToDevice) << Index(c.menuItem);
    EXPECT_FALSE(f.InputActive);
  }
}

TEST_F(Menus, FileSelectionGoesBackByMenuItem) {
  struct Case {
    MenuItemId menuItem;
    ScreenId expected;
  } cases[] = {{MenuItemId::FileOperations, ScreenId::FileMenu},
               {MenuItemId::SendToDevice, ScreenId::SendRange},
               {MenuItemId::HunterStart, ScreenId::SubMenu},
               {MenuItemId::SerialSend, ScreenId::SubMenu},
               {MenuItemId::FirstRunResult, ScreenId::ReadRange}};
  for (const Case& c : cases) {
    f.MenuItem = c.menuItem;
    f.Screen = ScreenId::FileSelection;
    f.fraFile.visible = true;
    f.fraMenu[3].visible = false;
    Press(Esc);
    EXPECT_EQ(f.Screen, c.expected) << Index(c.menuItem);
    EXPECT_FALSE(f.fraFile.visible);
    EXPECT_EQ(f.fraMenu[3].visible, c.menuItem == MenuItemId::FileOperations);
    EXPECT_EQ(f.lblCap[Keys::Left].caption, "");
  }
  f.MenuItem = MenuItemId::FileOperations;
  f.Screen = ScreenId::FileList;
  Press(Esc);
  EXPECT_EQ(f.Screen, ScreenId::FileMenu);
}

TEST_F(Menus, EscOnTheRemainingScreens) {
  using M = MenuItemId;
  using Fn = FuncItemId;
  struct Case {
    ScreenId screen;
    MenuItemId menuItem;
    FuncItemId funcItem;
    EditStage editStep;
    const char* dateTime;
    ScreenId expectedScreen;
    EditStage expectedStep;
  } cases[] = {
      {ScreenId::FileMenu, M::FileOperations, Fn::DeleteFile, EditStage::Course, "", ScreenId::MainMenu, EditStage::Course},
      {ScreenId::SendRange, M::SendToDevice, Fn::Modify, EditStage::Course, "", ScreenId::MainMenu, EditStage::Course},
      {ScreenId::SerialSendRange, M::SerialSend, Fn::Modify, EditStage::Course, "", ScreenId::SubMenu, EditStage::Course},
      {ScreenId::HunterStart, M::HunterStart, Fn::Modify, EditStage::Course, "1124", ScreenId::HunterStart, EditStage::Course},  // something typed
      {ScreenId::HunterStart, M::HunterStart, Fn::Modify, EditStage::Course, "", ScreenId::SubMenu, EditStage::Course},
      {ScreenId::AlpineEdit, M::CourseMemory, Fn::Modify, EditStage::Block, "", ScreenId::FunctionMenu, EditStage::Block},
      {ScreenId::AlpineEdit, M::CourseMemory, Fn::Modify, EditStage::NewTime, "", ScreenId::AlpineEdit, EditStage::Block},  // the entry starts over
      {ScreenId::AlpineEdit, M::CourseMemory, Fn::DualAdd, EditStage::Block, "", ScreenId::AlpineEdit, EditStage::Course},
      {ScreenId::RelayEdit, M::RelayResult, Fn::Modify, EditStage::Block, "", ScreenId::FunctionMenu, EditStage::Block},
      {ScreenId::RelayEdit, M::RelayResult, Fn::Modify, LegStage(1), "", ScreenId::RelayEdit, EditStage::Block},
      {ScreenId::RelayEdit, M::RelayResult, Fn::Modify, EditStage::RelayConfirm, "", ScreenId::RelayEdit, LegStage(2)},  // back to the end marker
  };
  for (const Case& c : cases) {
    f.Screen = c.screen;
    f.MenuItem = c.menuItem;
    f.FuncItem = c.funcItem;
    f.EditStep = c.editStep;
    f.EditRow = 2;
    f.lblDateTime.caption = c.dateTime;
    f.fraMenu[4].visible = f.fraSend.visible = true;
    Press(Esc);
    EXPECT_EQ(f.Screen, c.expectedScreen) << static_cast<int>(c.screen) << "/" << static_cast<int>(c.editStep);
    if (c.screen == ScreenId::AlpineEdit || c.screen == ScreenId::RelayEdit) {
      EXPECT_EQ(f.EditStep, c.expectedStep) << static_cast<int>(c.screen);
    }
    if (c.screen == ScreenId::FileMenu || c.screen == ScreenId::SendRange ||
        c.screen == ScreenId::SerialSendRange) {
      EXPECT_FALSE(f.fraSend.visible || f.fraMenu[4].visible) << static_cast<int>(c.screen);
    }
  }
  EXPECT_EQ(f.InputLabel, &f.lblRelayInp[2]);
  EXPECT_EQ(f.InputIntDigits, 0);
}

TEST_F(Menus, ResumeAfterErrorByScreen) {
  // Main page (best output failed): the menu stays, with the sub-menu guide.
  ShowError(tt.terminal, 1002);
  Press(Esc);
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_FALSE(f.lblError.visible);
  EXPECT_EQ(f.lblGuide.caption, "※テンキーまたは↑↓で選択して[Enter] （[Esc]:戻り）");

  // Read range: the confirmation goes away.
  Press({1, Enter, 4, Enter});
  f.fraYomikomi.visible = true;
  f.lblBlk.caption = " ";
  ShowError(tt.terminal, 1005);
  Press(Esc);
  EXPECT_EQ(f.Screen, ScreenId::ReadRange);
  EXPECT_FALSE(f.fraYomikomi.visible);
  EXPECT_EQ(f.lblBlk.caption, "");

  // Serial send: back to the sub-menu page.
  f.MenuItem = MenuItemId::SerialSend;
  f.Screen = ScreenId::SerialSendRange;
  f.fraMenu[4].visible = true;
  f.fraSend.visible = true;
  ShowError(tt.terminal, 1009);
  Press(Esc);
  EXPECT_EQ(f.Screen, ScreenId::SubMenu);
  EXPECT_FALSE(f.fraMenu[4].visible);
  EXPECT_FALSE(f.fraSend.visible);

  // Hunter start: back to the sub-menu page.
  f.MenuItem = MenuItemId::HunterStart;
  f.Screen = ScreenId::HunterStart;
  f.fraHunter.visible = true;
  ShowError(tt.terminal, 12);
  Press(Esc);
  EXPECT_EQ(f.Screen, ScreenId::SubMenu);
  EXPECT_FALSE(f.fraHunter.visible);
}

TEST_F(Menus, AbortQuestionDuringTransfers) {
  // Reading: XOFF holds the device while we ask; Esc lets it go on.
  tt.fakes.port.open = true;
  f.Screen = ScreenId::ReadRange;
  f.KeyMode = Mode::Busy;
  Press(Esc);
  EXPECT_EQ(f.KeyMode, Mode::AbortConfirm);
  EXPECT_EQ(tt.fakes.port.written, "\x13");
  EXPECT_EQ(f.lblGuide.caption, "※送信を中断しますか？（[Enter]:中断、[Esc]:継続）");
  Press(Esc);
  EXPECT_EQ(f.KeyMode, Mode::Busy);
  EXPECT_EQ(tt.fakes.port.written, "\x13\x11");
  EXPECT_EQ(f.lblGuide.caption, "※[Esc]:読込中断");

  // Serial send: Enter ends it and leaves to the sub-menu page.
  f.MenuItem = MenuItemId::SerialSend;
  f.Screen = ScreenId::SerialSendRange;
  Press({Esc, Enter});
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_EQ(f.Screen, ScreenId::SubMenu);

  // Elsewhere Esc is ignored while busy.
  f.Screen = ScreenId::AlpineEdit;
  f.KeyMode = Mode::Busy;
  Press(Esc);
  EXPECT_EQ(f.KeyMode, Mode::Busy);
}

TEST_F(Menus, ConfirmationEscRestoresTheScreenBehindIt) {
  Press({1, Enter, 4, Enter});
  f.fraYomikomi.visible = true;
  f.lblBlk.caption = " ";
  f.lblGuide.caption = "※キーを押してください（[Enter]:実行、[Esc]:戻り）";
  f.KeyMode = Mode::ConfirmPending;
  Press(5);  // ignored while asking
  EXPECT_EQ(f.KeyMode, Mode::ConfirmPending);
  Press(Esc);
  EXPECT_EQ(f.KeyMode, Mode::Normal);
  EXPECT_FALSE(f.fraYomikomi.visible);
  EXPECT_EQ(f.lblBlk.caption, "");
  EXPECT_EQ(f.Screen, ScreenId::ReadRange);
  EXPECT_EQ(f.lblGuide.caption, "※テンキーまたは↑↓で選択して[Enter] （[Esc]:戻り）");

  // The deletion prompt returns to the file selection.
  f.MenuItem = MenuItemId::FileOperations;
  f.Screen = ScreenId::FileMenu;
  f.KeyMode = Mode::ConfirmPending;
  Press(Enter);  // the deletion is answered with Delete, not Enter
  EXPECT_EQ(f.KeyMode, Mode::ConfirmPending);
  Press(Esc);
  EXPECT_EQ(f.Screen, ScreenId::FileSelection);
  EXPECT_EQ(f.lblCap[Keys::Left].caption, "←");
  EXPECT_EQ(f.lblCap[Keys::Right].caption, "→");
}

TEST_F(Menus, UpAndDownRingThroughBothMenuPages) {
  Press(Keys::Up);
  EXPECT_EQ(f.MenuItem, MenuItemId::ComputerDate);
  EXPECT_EQ(f.Screen, ScreenId::SubMenu);
  EXPECT_TRUE(f.fraMenu[1].visible);
  EXPECT_FALSE(f.fraMenu[0].visible);
  Press(Keys::Down);
  EXPECT_EQ(f.MenuItem, MenuItemId::CourseMemory);
  EXPECT_EQ(f.Screen, ScreenId::MainMenu);
  EXPECT_TRUE(f.fraMenu[0].visible);
  Press(9);
  Press(Keys::Down);
  EXPECT_EQ(f.MenuItem, MenuItemId::OperationSettings);
  EXPECT_EQ(f.Screen, ScreenId::SubMenu);
  Press(Keys::Up);
  EXPECT_EQ(f.MenuItem, MenuItemId::BestOutput);
  EXPECT_EQ(f.Screen, ScreenId::MainMenu);
  EXPECT_EQ(Highlighted(f.lblMenu), std::vector<int>({9}));
}

TEST_F(Menus, DisabledSerialSendItemIsSkippedBothWays) {
  Press(Keys::Clear);
  Press(2);
  EXPECT_EQ(f.MenuItem, MenuItemId::HunterStart);
  Press(Keys::Down);
  EXPECT_EQ(f.MenuItem, MenuItemId::ComputerDate);
  Press(Keys::Up);
  EXPECT_EQ(f.MenuItem, MenuItemId::HunterStart);
  Press(3);  // digit of the disabled item
  EXPECT_EQ(f.MenuItem, MenuItemId::HunterStart);
  EXPECT_EQ(Highlighted(f.lblMenu), std::vector<int>({11}));
}

// The file list: three cells a row.
class FileListMovesTest : public testing::ConsoleTest {
 protected:
  void List(int count, int capacity) {
    f.Screen = ScreenId::FileSelection;
    f.FileListMax = capacity;
    f.FileCount = count;
    f.FileSel = -1;
    SelectRow(f, 0);
  }
  void From(int cell, int key, int expected) {
    SelectRow(f, cell);
    Press(key);
    EXPECT_EQ(f.FileSel, expected) << "from " << cell << " key " << key;
    EXPECT_TRUE(IsHighlighted(f.lblFileList[expected]));
  }
};

TEST_F(FileListMovesTest, SevenFiles) {
  List(7, 33);
  From(1, Keys::Up, 4);
  From(4, Keys::Down, 1);
  From(5, Keys::Down, 2);
  From(0, Keys::Up, 6);
  From(6, Keys::Right, 0);
  From(0, Keys::Left, 6);
  From(3, Keys::Down, 6);
  EXPECT_FALSE(IsHighlighted(f.lblFileList[3]));
}

TEST_F(FileListMovesTest, EmptyListIgnoresTheArrows) {
  List(0, 51);
  for (int key : {Keys::Up, Keys::Down, Keys::Left, Keys::Right}) {
    Press(key);
    EXPECT_EQ(f.FileSel, 0);
  }
}

}  // namespace
}  // namespace rx
