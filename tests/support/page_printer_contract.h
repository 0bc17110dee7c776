// What every PagePrinter keeps, run against the fake and the real printer.
//
// A Rig offers:
//   PagePrinter& Printer();
//   std::string Start();   why its target cannot be had here ("" when it can)
//   bool Required();       the target must be had (the test then fails, not skips)
//   PageTarget Target();   one that takes documents
//   PageTarget Missing();  one that is not there
//   int Delivered();       documents the target holds, once it has settled
//   bool Until(std::function<bool()>); lets the print service answer until it holds
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/page_printer.h"

namespace rx {

template <class Rig>
class PagePrinterContract : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string why = rig.Start();
    if (why.empty()) return;
    if (rig.Required()) FAIL() << why;
    GTEST_SKIP() << why;
  }
  // Where a call stands once the print service has answered.
  PrintCall Settled(PrintCall call, std::string* reason) {
    rig.Until([&] { return (call == PrintCall::Pending ? call = rig.Printer().Poll(reason) : call) != PrintCall::Pending; });
    return call;
  }
  PrintCall Open(const PageTarget& target, std::string* reason) {
    return Settled(rig.Printer().Open(target, "CN241433.C08", reason), reason);
  }

  Rig rig;
  const std::vector<std::string> lines{"RX-710KP DATA", "10010000481234"};
};

TYPED_TEST_SUITE_P(PagePrinterContract);

// A discarded document leaves nothing; a finished one arrives whole, once.
TYPED_TEST_P(PagePrinterContract, DeliversAFinishedDocumentAndNothingOfADiscardedOne) {
  PagePrinter& printer = this->rig.Printer();
  std::string reason;
  EXPECT_EQ(printer.Poll(&reason), PrintCall::Done);  // nothing pending
  ASSERT_EQ(this->Open(this->rig.Target(), &reason), PrintCall::Done) << reason;
  EXPECT_GT(printer.LinesPerPage(), 0);
  EXPECT_TRUE(printer.PrintPage(1, 1, this->lines, &reason)) << reason;
  printer.Discard();
  EXPECT_EQ(printer.Poll(&reason), PrintCall::Done);
  ASSERT_EQ(this->Open(this->rig.Target(), &reason), PrintCall::Done) << reason;
  EXPECT_TRUE(printer.PrintPage(1, 2, this->lines, &reason) && printer.PrintPage(2, 2, this->lines, &reason));
  EXPECT_EQ(this->Settled(printer.Finish(&reason), &reason), PrintCall::Done) << reason;
  EXPECT_EQ(this->rig.Delivered(), 1);
}

TYPED_TEST_P(PagePrinterContract, ATargetNotThereFailsTheOpenAndSaysWhich) {
  std::string reason;
  const PageTarget missing = this->rig.Missing();
  EXPECT_EQ(this->Open(missing, &reason), PrintCall::Failed);
  EXPECT_NE(reason.find(missing.name), std::string::npos) << reason;
  EXPECT_EQ(this->rig.Printer().Poll(&reason), PrintCall::Done);
  EXPECT_EQ(this->rig.Delivered(), 0);
}

REGISTER_TYPED_TEST_SUITE_P(PagePrinterContract, DeliversAFinishedDocumentAndNothingOfADiscardedOne,
                            ATargetNotThereFailsTheOpenAndSaysWhich);

}  // namespace rx
