// Waiting on a real event loop inside a GoogleTest: QTRY_* report a time-out
// only to QTest's own log, which a GoogleTest run never reads.
#pragma once

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <functional>

namespace rx::testing {

// Runs the event loop until ready() holds or timeoutMs have passed; whether it holds.
inline bool Eventually(const std::function<bool()>& ready, int timeoutMs) {
  if (ready()) return true;
  QEventLoop loop;
  QTimer look;
  look.setTimerType(Qt::PreciseTimer);
  QObject::connect(&look, &QTimer::timeout, &loop, [&] { if (ready()) loop.quit(); });
  QTimer::singleShot(timeoutMs, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  look.start(2);
  loop.exec();
  return ready();
}

// Lets the event loop run for ms.
inline void RunFor(int ms) { Eventually([] { return false; }, ms); }

}  // namespace rx::testing

#define ASSERT_SOON(condition, timeoutMs)                                                    \
  ASSERT_TRUE(::rx::testing::Eventually([&] { return static_cast<bool>(condition); }, timeoutMs)) \
      << "still false after " << (timeoutMs) << " ms: " #condition
