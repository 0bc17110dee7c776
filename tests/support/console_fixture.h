// A loaded terminal driven through its keys, as the operator drives it.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>

#include "console/dispatcher.h"
#include "shell/highlight.h"
#include "shell/startup.h"
#include "support/fake_platform.h"

namespace rx::testing {

class ConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Form_Load(tt.terminal)); }

  void Press(int key) { lblKey_Click(tt.terminal, key); }
  void Press(std::initializer_list<int> keys) {
    for (int key : keys) Press(key);
  }
  // Types a time or number: digits and ".".
  void Type(const std::string& text) {
    for (char c : text) Press(c == '.' ? Keys::Point : c - '0');
  }
  // The highlighted items of a set, by index.
  template <std::size_t N>
  std::vector<int> Highlighted(const std::array<Control, N>& set) const {
    std::vector<int> found;
    for (std::size_t i = 0; i < N; ++i)
      if (IsHighlighted(set[i])) found.push_back(static_cast<int>(i));
    return found;
  }

  TestTerminal tt;
  Form& f = tt.form();
};

}  // namespace rx::testing
