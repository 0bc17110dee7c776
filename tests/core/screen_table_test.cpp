// The table of screens: every screen has a complete row, and the rows are
// what the keys reach.
#include <gtest/gtest.h>

#include <set>

#include "console/screen_table.h"
#include "link/port_paths.h"

namespace rx {
namespace {

TEST(ScreenTable, EveryScreenHasACompleteRowOfItsOwn) {
  int count = 0;
  const ScreenRow* rows = ScreenRows(&count);
  ASSERT_EQ(count, kScreenIdCount);
  std::set<int> screens;
  for (ScreenId screen : kAllScreens) screens.insert(static_cast<int>(screen));
  for (int value = 0; value < count; ++value) {
    const ScreenRow& row = rows[value];
    SCOPED_TRACE(row.name);
    EXPECT_EQ(static_cast<int>(row.screen), value);
    EXPECT_EQ(&RowOf(static_cast<ScreenId>(value)), &row);
    for (auto action : {row.enter, row.back, row.resume, row.busyEsc, row.abortEnter, row.abortEsc,
                        row.confirmEnter, row.confirmDelete, row.confirmCancel})
      EXPECT_NE(action, nullptr);
    EXPECT_NE(row.digit, nullptr);
    EXPECT_NE(row.selectFunc, nullptr);
    for (auto move : {row.up, row.down, row.left, row.right}) EXPECT_NE(move, nullptr);
    EXPECT_NE(row.guide, nullptr);
    if (!screens.count(value)) continue;
    // A screen the operator can reach can also be left.
    EXPECT_NE(row.back, IgnoreAction);
    EXPECT_STRNE(row.name, "(none)");
  }
  EXPECT_EQ(RowOf(static_cast<ScreenId>(99)).back, IgnoreAction);  // outside: inert
}

TEST(DevicePathForPort, TemplateFixedPathAndTheUsbFallbacks) {
  auto none = [](const std::string&) { return false; };
  EXPECT_EQ(DevicePathForPort(7, "/tmp/ports/COM{n}", none), "/tmp/ports/COM7");
  EXPECT_EQ(DevicePathForPort(12, "/x/{n}/{n}", none), "/x/12/12");
  EXPECT_EQ(DevicePathForPort(4, "/dev/serial/by-id/usb-adapter", none),
            "/dev/serial/by-id/usb-adapter");
  EXPECT_EQ(DevicePathForPort(1, "", none), "/dev/ttyS0");
  EXPECT_EQ(DevicePathForPort(2, "", none), "/dev/ttyS1");
  EXPECT_EQ(DevicePathForPort(0, "", none), "");
  // COM3 is the first USB adapter: a ttyUSB when there is one, else a ttyACM.
  EXPECT_EQ(DevicePathForPort(3, "", none), "/dev/ttyUSB0");
  auto acmOnly = [](const std::string& path) { return path == "/dev/ttyACM1"; };
  EXPECT_EQ(DevicePathForPort(4, "", acmOnly), "/dev/ttyACM1");
  auto both = [](const std::string&) { return true; };
  EXPECT_EQ(DevicePathForPort(4, "", both), "/dev/ttyUSB1");
}

}  // namespace
}  // namespace rx
