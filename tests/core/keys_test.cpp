// What the arrows and Clear do on the menu pages and the file list.
#include <gtest/gtest.h>

#include "console/dispatcher.h"
#include "console/row_selection.h"
#include "shell/highlight.h"
#include "shell/startup.h"
#include "support/fake_platform.h"

namespace rx {
namespace {

using testing::TestTerminal;

class KeysTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Form_Load(tt.terminal)); }
  void Press(int key) { lblKey_Click(tt.terminal, key); }
  int Highlighted() const {
    int found = 0;
    for (int i = 1; i <= 13; ++i)
      if (IsHighlighted(tt.terminal.form.lblMenu[i])) found = found ? -1 : i;
    return found;  // -1 when more than one
  }
  TestTerminal tt;
  Form& f = tt.form();
};

TEST_F(KeysTest, UpAndDownRingThroughBothMenuPages) {
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
  EXPECT_EQ(Highlighted(), 9);
}

TEST_F(KeysTest, DisabledSerialSendItemIsSkippedBothWays) {
  Press(Keys::Clear);
  Press(2);
  EXPECT_EQ(f.MenuItem, MenuItemId::HunterStart);
  Press(Keys::Down);
  EXPECT_EQ(f.MenuItem, MenuItemId::ComputerDate);
  Press(Keys::Up);
  EXPECT_EQ(f.MenuItem, MenuItemId::HunterStart);
  Press(3);  // digit of the disabled item
  EXPECT_EQ(f.MenuItem, MenuItemId::HunterStart);
  EXPECT_EQ(Highlighted(), 11);
}

// The file list: three cells a row.
class FileListMovesTest : public KeysTest {
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
