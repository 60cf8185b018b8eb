#include "toolkit/gui/timer.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <vector>

#include "support/guiapplication.h"

namespace {

// A new interval starts when it is set, also while the interval before it runs: the tick comes
// that long after the last restart, never at the end of the interval it cut short, and the
// periods go on from there.
TEST(TimerTest, ANewIntervalStartsWhenItIsSet) {
  struct Case {
    const char* name;
    int first, restartAfter, second;
  } cases[] = {
      {"the same interval anew", 400, 200, 400},
      {"a longer interval", 300, 200, 500},
      {"a shorter interval", 1000, 100, 300},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTimer timer(nullptr);
    std::vector<qint64> ticks;
    QElapsedTimer clock;
    timer.OnTimer = [&](TObject*) { ticks.push_back(clock.elapsed()); };
    clock.start();
    timer.setInterval(c.first);
    QTest::qWait(c.restartAfter);
    const qint64 restarted = clock.elapsed();
    // A busy machine can hold the wait past the first interval: only the ticks after the new
    // interval was set say how it runs.
    ticks.clear();
    timer.setInterval(c.second);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks.size() >= 2; }, 5000));
    timer.setEnabled(false);
    // Qt's coarse timers fire a little early or late.
    EXPECT_GE(ticks[0] - restarted, c.second * 9 / 10);
    EXPECT_GE(ticks[1] - ticks[0], c.second * 9 / 10);
  }
}

}  // namespace
