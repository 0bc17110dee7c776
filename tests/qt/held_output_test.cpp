// The serial text output into a printer that holds the line with XOFF, over
// a real pseudo-terminal whose far end is a thread of the test.
#include <algorithm>

#include "support/far_end.h"
#include "support/pty_terminal.h"

namespace rx {
namespace {

using testing::FarEnd;

constexpr const char* kCannotSend = "エラー：送信できません（[Esc]：解除）";
constexpr const char* kFileName = "FN241433.C08";
// More than the pty takes unread (about 22 KB): the output cannot end before
// the hold takes effect.
constexpr int kRecords = 3000;

class HeldOutput : public testing::OverPty {
 protected:
  void SetUp() override {
    ASSERT_TRUE(far.Ready());
    Connect(far.Path());
    form().SerialSend = true;
    form().lblMenu[12].enabled = true;
    std::ofstream out(terminal->dataDirectory / kFileName, std::ios::binary);
    expected = {"RX-710KP DATA", "FILE NAME  : ", std::string(kFileName) + " "};
    for (int i = 0; i < kRecords; ++i) {
      expected.push_back(std::to_string((1 + i / 1000) * 1000 + i % 1000) + std::to_string(1000481234 + i));
      out << expected.back() << "\r\n";
    }
    out.close();
    expected.insert(expected.end(), {"FILE END   : ", std::string(kFileName) + " "});
    far.Start(testing::Holding(released));
    // Sub-menu item 3, the first file, all blocks, confirmed.
    Press({Keys::Clear, 3, Keys::Enter, Keys::Enter, 1, Keys::Enter, Keys::Enter});
    // The output waits for room: more than a line is queued.
    ASSERT_SOON(port->OutputQueueCount() > 100, 10000);
    EXPECT_EQ(port->AppliedSettings(), "9600,N,8,1");
  }
  // The printer reads again; everything the line let through arrives: nothing
  // more for 300 ms.
  void Release() {
    released = true;
    for (std::size_t seen = SIZE_MAX, turns = 0; seen != far.Received().size() && turns < 60; ++turns) {
      seen = far.Received().size();
      testing::RunFor(300);
    }
  }
  // The output is over and what arrived is its beginning, without its trailer.
  void ExpectCutShort(Mode mode) {
    EXPECT_EQ(form().KeyMode, mode) << form().lblError.caption;
    EXPECT_EQ(form().RecordCount, 0);
    EXPECT_TRUE(form().Records.empty());
    const std::vector<std::string> lines = far.Lines();
    ASSERT_LT(lines.size(), expected.size() - 2);
    EXPECT_TRUE(std::equal(lines.begin(), lines.end(), expected.begin()));
  }

  std::atomic<bool> released{false};  // before far: its thread reads it to its end
  FarEnd far;
  std::vector<std::string> expected;
};

// While the operator is asked whether to stop, a held line is no error however
// long it lasts; a printer's other bytes do not let it go, only XON does.
class AskedDuringAHold : public HeldOutput, public ::testing::WithParamInterface<int> {};

TEST_P(AskedDuringAHold, OnlyXonLetsTheLineGoAndTheAnswerIsFollowed) {
  Press({Keys::Esc});
  ASSERT_EQ(form().KeyMode, Mode::AbortConfirm);
  ASSERT_NO_FATAL_FAILURE(Release());
  far.Send("\x06");  // the printer's status byte
  testing::RunFor(500);  // far past the 100 ms a held line may take
  EXPECT_EQ(form().KeyMode, Mode::AbortConfirm);
  EXPECT_GT(port->OutputQueueCount(), 100) << "let go by a byte other than XON";
  if (GetParam() == Keys::Enter) {
    Press({Keys::Enter});  // stopped: what waited is dropped
    far.Send(std::string(1, sim::kXon));
    Release();
    ExpectCutShort(Mode::Normal);
  } else {
    // The line takes what waited before the output goes on: a hold still in
    // the pty's hands when the wait counts again could end it with 1009.
    far.Send(std::string(1, sim::kXon));
    ASSERT_SOON(port->OutputQueueCount() == 0, 10000);
    Press({Keys::Esc});
    ASSERT_SOON(Idle() && far.Lines().size() >= expected.size(), 20000);
    EXPECT_EQ(far.Lines(), expected);
    EXPECT_EQ(form().RecordCount, 0);
  }
  EXPECT_EQ(fakes.beeper.beeps, 0);
}

INSTANTIATE_TEST_SUITE_P(StopOrGoOn, AskedDuringAHold, ::testing::Values(Keys::Enter, Keys::Esc),
                         [](const auto& info) { return info.param == Keys::Enter ? "Enter" : "Esc"; });

// A line held too long, or a printer that vanishes while it holds the line
// (with the stop question open or not), ends the output with one 1009.
enum class End { HeldTooLong, Vanished, VanishedWhileAsking };
class EndedBy1009 : public HeldOutput, public ::testing::WithParamInterface<End> {};

TEST_P(EndedBy1009, OnceAndWithTheRemainingCount) {
  if (GetParam() == End::VanishedWhileAsking) Press({Keys::Esc});
  if (GetParam() != End::HeldTooLong) far.Vanish();
  ASSERT_SOON(form().KeyMode == Mode::ErrorShown, 20000);
  EXPECT_EQ(form().lblError.caption, kCannotSend);
  testing::RunFor(300);  // the tick and the port's other notifier have had their say
  EXPECT_EQ(fakes.beeper.beeps, 1);
  if (GetParam() != End::HeldTooLong) {
    EXPECT_FALSE(port->IsOpen());
    return;
  }
  // The printer lets go: what waited behind the hold went with the error,
  // and the remaining count is what never arrived.
  far.Send(std::string(1, sim::kXon));
  ASSERT_NO_FATAL_FAILURE(Release());
  ExpectCutShort(Mode::ErrorShown);
  const int arrived = std::max(static_cast<int>(far.Lines().size()) - 3, 0);
  EXPECT_EQ(form().lblSendG[4].caption, std::to_string(kRecords - arrived) + " 件");
}

INSTANTIATE_TEST_SUITE_P(Ends, EndedBy1009,
                         ::testing::Values(End::HeldTooLong, End::Vanished, End::VanishedWhileAsking));

}  // namespace
}  // namespace rx
