// What every PagePrinter keeps, run against the fake and the real printer. A
// Rig offers Printer, Start (why its target cannot be had here, "" when it
// can), Required (then that fails the test), Target (one taking documents),
// Refusing (one that cannot take one), Delivered (documents the target holds, once
// settled) and Until (lets the print service answer until a condition holds).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/page_printer.h"

namespace rx {

template <class Rig>
struct PagePrinterContract : ::testing::Test {
  void SetUp() override {
    const std::string why = rig.Start();
    if (!why.empty() && rig.Required()) FAIL() << why;
    if (!why.empty()) GTEST_SKIP() << why;
  }
  // Where a call stands once the print service has answered.
  PrintCall Settled(PrintCall call) {
    rig.Until([&] { return (call == PrintCall::Pending ? call = printer.Poll(&reason) : call) != PrintCall::Pending; });
    return call;
  }
  PrintCall Open(const PageTarget& target) { return Settled(printer.Open(target, "CN241433.C08", &reason)); }

  Rig rig;
  PagePrinter& printer = rig.Printer();
  std::string reason;
  const std::vector<std::string> lines{"RX-710KP DATA", "10010000481234"};
};

TYPED_TEST_SUITE_P(PagePrinterContract);

// A discarded document leaves nothing; a finished one arrives, once.
TYPED_TEST_P(PagePrinterContract, DeliversAFinishedDocumentAndNothingOfADiscardedOne) {
  PagePrinter& paper = this->printer;
  std::string& why = this->reason;
  EXPECT_EQ(paper.Poll(&why), PrintCall::Done);  // nothing pending
  ASSERT_EQ(this->Open(this->rig.Target()), PrintCall::Done) << why;
  EXPECT_GT(paper.LinesPerPage(), 0);
  EXPECT_TRUE(paper.PrintPage(1, 1, this->lines, &why)) << why;
  paper.Discard();
  EXPECT_EQ(paper.Poll(&why), PrintCall::Done);
  ASSERT_EQ(this->Open(this->rig.Target()), PrintCall::Done) << why;
  EXPECT_TRUE(paper.PrintPage(1, 2, this->lines, &why) && paper.PrintPage(2, 2, this->lines, &why));
  EXPECT_EQ(this->Settled(paper.Finish(&why)), PrintCall::Done) << why;
  EXPECT_EQ(this->rig.Delivered(), 1);
}

TYPED_TEST_P(PagePrinterContract, ATargetThatCannotTakeOneFailsTheOpenAndSaysWhich) {
  const PageTarget missing = this->rig.Refusing();
  EXPECT_EQ(this->Open(missing), PrintCall::Failed);
  EXPECT_NE(this->reason.find(missing.name), std::string::npos) << this->reason;
  EXPECT_TRUE(this->printer.Poll(&this->reason) == PrintCall::Done && this->rig.Delivered() == 0);
}

REGISTER_TYPED_TEST_SUITE_P(PagePrinterContract, DeliversAFinishedDocumentAndNothingOfADiscardedOne,
                            ATargetThatCannotTakeOneFailsTheOpenAndSaysWhich);

}  // namespace rx
