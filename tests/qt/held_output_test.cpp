// The serial text output into a printer that holds the line with XOFF, over
// a real pseudo-terminal whose far end is a thread of the test.
#include <signal.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>

#include "link/device_port.h"
#include "support/far_end.h"
#include "support/pty_terminal.h"

namespace rx {
namespace {

using testing::FarEnd;

constexpr const char* kCannotSend = "エラー：送信できません（[Esc]：解除）";
constexpr const char* kFileName = "FN241433.C08";
// More than the pty takes unread (about 22 KB): the output cannot end before
// a hold takes effect.
constexpr int kLongFile = 3000;

// Record i of a long file: blocks of a thousand bibs.
std::string RecordLine(int i) {
  char line[24];
  std::snprintf(line, sizeof line, "%d%03d%010d", 1 + i / 1000, i % 1000, 481234 + i);
  return line;
}

// A printer that holds the line for 40 ms each time another 16 KB have
// arrived: holds at fixed places, whatever the timing. The first meets a
// terminal with lines still to write (the pty takes only about 22 KB unread).
constexpr std::size_t kHoldEvery = 16 * 1024;
FarEnd::Answer HoldingEvery(std::atomic<int>* xoffs) {
  return [xoffs, taken = std::size_t{0}](FarEnd& far, const std::string& burst) mutable {
    const std::size_t before = taken;
    taken += burst.size();
    if (taken / kHoldEvery == before / kHoldEvery) return;
    far.Send(std::string(1, kXoff));
    ++*xoffs;
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    far.Send(std::string(1, kXon));
  };
}

// XOFF at the first burst, and no XON: the far end goes on reading, so what
// the line took before the XOFF arrives at once, and nothing after it.
FarEnd::Answer XoffOnce(std::atomic<bool>* xoffSent) {
  return [xoffSent](FarEnd& far, const std::string&) {
    if (xoffSent->exchange(true)) return;
    far.Send(std::string(1, kXoff));
  };
}

// XOFF at the first burst, then neither reading nor XON until released: the
// line is held however late the XOFF takes effect.
FarEnd::Answer Holding(const std::atomic<bool>& released, std::atomic<bool>* holding = nullptr) {
  return [&released, holding, held = false](FarEnd& far, const std::string&) mutable {
    if (std::exchange(held, true)) return;
    far.Send(std::string(1, kXoff));
    if (holding) *holding = true;
    while (!released && !far.Stopping()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  };
}

class HeldOutput : public testing::OverPty {
 protected:
  void SetUp() override {
    ASSERT_TRUE(far.Ready());
    Connect(far.Path());
    form().SerialSend = true;
    form().lblMenu[12].enabled = true;
  }
  // Sub-menu item 3, the first file, all blocks, confirmed.
  void StartOutput(int records, FarEnd::Answer answer) {
    std::ofstream out(terminal->dataDirectory / kFileName, std::ios::binary);
    for (int i = 0; i < records; ++i) out << RecordLine(i) << "\r\n";
    out.close();
    expected = {"RX-710KP DATA", "FILE NAME  : ", std::string(kFileName) + " "};
    for (int i = 0; i < records; ++i) expected.push_back(RecordLine(i));
    expected.insert(expected.end(), {"FILE END   : ", std::string(kFileName) + " "});
    far.Start(std::move(answer));
    Press({Keys::Clear, 3, Keys::Enter, Keys::Enter, 1, Keys::Enter, Keys::Enter});
  }
  // The printer has said XOFF and the output waits for room: more than 100
  // characters queued.
  void WaitUntilHeld() { ASSERT_SOON(xoffSent && port->OutputQueueCount() > 100, 3000); }
  // Lets the printer go and waits until all the terminal had written has arrived.
  void ReleaseAndDrain() {
    released = true;
    far.Send(std::string(1, kXon));
    ASSERT_NO_FATAL_FAILURE(WaitUntilQuiet());
    EXPECT_LE(port->OutputQueueCount(), 0);
  }
  // Nothing has arrived for 100 ms.
  void WaitUntilQuiet() {
    std::size_t seen = SIZE_MAX;
    QElapsedTimer still;
    ASSERT_TRUE(testing::Eventually(
        [&] {
          if (far.Received().size() != seen) {
            seen = far.Received().size();
            still.start();
          }
          return still.elapsed() >= 100;
        },
        3000));
  }
  // What arrived is the output's beginning, without its trailer.
  void ExpectCutShort() {
    std::vector<std::string> lines = far.Lines();
    ASSERT_LT(lines.size(), expected.size() - 2);
    EXPECT_TRUE(std::equal(lines.begin(), lines.end(), expected.begin()));
  }
  // The output is over: its queue is given back, and nothing of it is written later.
  void ExpectEnded(Mode mode) {
    EXPECT_EQ(form().KeyMode, mode) << form().lblError.caption;
    EXPECT_EQ(form().RecordCount, 0);
    EXPECT_TRUE(form().Records.empty());
  }

  // Before far: its thread reads them to its end.
  std::atomic<bool> released{false};
  std::atomic<bool> xoffSent{false};
  FarEnd far;
  std::vector<std::string> expected;
};

TEST_F(HeldOutput, APacingPrinterGetsEveryLineInOrder) {
  std::atomic<int> xoffs{0};
  StartOutput(4000, HoldingEvery(&xoffs));
  ASSERT_SOON(Idle(), 8000);
  ExpectEnded(Mode::Normal);
  ASSERT_SOON(far.Lines().size() >= expected.size(), 1000);
  EXPECT_EQ(far.Lines(), expected);
  EXPECT_EQ(fakes.beeper.beeps, 0);
  EXPECT_EQ(xoffs, 3);  // at 16, 32 and 48 KB of the 64 KB
}

TEST_F(HeldOutput, ALineHeldTooLongEndsTheOutputWith1009) {
  StartOutput(kLongFile, XoffOnce(&xoffSent));
  WaitUntilHeld();
  QElapsedTimer held;
  held.start();
  ASSERT_SOON(Idle(), 2000);
  // 100 ms of busy time counted by the 100 ms tick: two ticks into the wait.
  EXPECT_LT(held.elapsed(), 400);
  EXPECT_EQ(form().lblError.caption, kCannotSend);
  ExpectEnded(Mode::ErrorShown);
  // The printer lets go: what waited behind the hold went with the error,
  // and the remaining count is what never arrived.
  WaitUntilQuiet();
  const std::size_t got = far.Received().size();
  far.Send(std::string(1, kXon));
  testing::RunFor(300);
  EXPECT_EQ(far.Received().size(), got);  // not a line more
  ExpectCutShort();
  const int records = std::max(static_cast<int>(far.Lines().size()) - 3, 0);
  EXPECT_EQ(form().lblSendG[4].caption, std::to_string(kLongFile - records) + " 件");
  EXPECT_EQ(fakes.beeper.beeps, 1);
}

TEST_F(HeldOutput, OnlyXonLetsAHeldLineGoOn) {
  StartOutput(kLongFile, XoffOnce(&xoffSent));
  WaitUntilHeld();
  Press({Keys::Esc});  // the stop question: no 1009 however long the hold
  WaitUntilQuiet();
  const std::size_t got = far.Received().size();
  far.Send("\x06");  // the printer's status byte
  testing::RunFor(300);
  EXPECT_EQ(far.Received().size(), got);
  far.Send(std::string(1, kXon));
  ASSERT_SOON(port->OutputQueueCount() == 0, 3000);  // the line took what waited
  Press({Keys::Esc});  // goes on once the line is free: no wait is counted
  ASSERT_SOON(Idle() && far.Lines().size() >= expected.size(), 5000);
  EXPECT_EQ(far.Lines(), expected);
}

// Esc during a hold asks whether to stop; the answer is the parameter.
class AskedDuringAHold : public HeldOutput, public ::testing::WithParamInterface<int> {};

TEST_P(AskedDuringAHold, NoErrorWhileAskingThenTheAnswerIsFollowed) {
  StartOutput(kLongFile, Holding(released, &xoffSent));
  WaitUntilHeld();
  Press({Keys::Esc});
  EXPECT_EQ(form().KeyMode, Mode::AbortConfirm);
  EXPECT_EQ(form().lblGuide.caption, "※送信を中断しますか？（[Enter]:中断、[Esc]:継続）");
  const int queued = port->OutputQueueCount();
  testing::RunFor(500);  // far past the 100 ms a held line may take
  EXPECT_EQ(form().KeyMode, Mode::AbortConfirm);
  EXPECT_EQ(fakes.beeper.beeps, 0);
  EXPECT_LE(port->OutputQueueCount(), queued);  // no line queued while asking
  if (GetParam() == Keys::Enter) {
    Press({GetParam()});
    ExpectEnded(Mode::Normal);
    ReleaseAndDrain();
    ExpectCutShort();
  } else {
    // The printer goes on before the output does: a hold still in the
    // pty's hands when the wait counts again could end it with 1009.
    released = true;
    far.Send(std::string(1, kXon));
    ASSERT_SOON(port->OutputQueueCount() == 0, 3000);
    Press({GetParam()});
    ASSERT_SOON(Idle() && far.Lines().size() >= expected.size(), 5000);
    ExpectEnded(Mode::Normal);
    EXPECT_EQ(far.Lines(), expected);
  }
  EXPECT_EQ(fakes.beeper.beeps, 0);
}

INSTANTIATE_TEST_SUITE_P(StopOrGoOn, AskedDuringAHold, ::testing::Values(Keys::Enter, Keys::Esc),
                         [](const auto& info) { return info.param == Keys::Enter ? "Enter" : "Esc"; });

// The printer vanishes while it holds the line; the parameter: with the stop
// question open.
class LostDuringAHold : public HeldOutput, public ::testing::WithParamInterface<bool> {};

TEST_P(LostDuringAHold, EndsTheOutputWithOne1009) {
  StartOutput(kLongFile, Holding(released, &xoffSent));
  WaitUntilHeld();
  if (GetParam()) Press({Keys::Esc});
  far.Vanish();
  ASSERT_SOON(form().KeyMode == Mode::ErrorShown, 2000);
  EXPECT_EQ(form().lblError.caption, kCannotSend);
  testing::RunFor(300);  // the tick and the port's other notifier have had their say
  EXPECT_EQ(fakes.beeper.beeps, 1);
  ExpectEnded(Mode::ErrorShown);
  EXPECT_FALSE(port->IsOpen());
}

INSTANTIATE_TEST_SUITE_P(Asking, LostDuringAHold, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Asking" : "Writing"; });

}  // namespace
}  // namespace rx
