// The table of screens: every screen has a complete row of its own, so a
// cell forgotten in a new row fails here rather than doing nothing.
#include <gtest/gtest.h>

#include <set>

#include "console/screen_table.h"

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

}  // namespace
}  // namespace rx
