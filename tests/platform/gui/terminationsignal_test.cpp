#include "platform/gui/terminationsignal.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <QTest>

#include <thread>

#include "support/guiapplication.h"

namespace {

TEST(TerminationSignalTest, EachSignalAsksTheUserInterfaceThreadOnceThenEndsTheProgram) {
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    int asked = 0;
    std::thread::id thread;
    OnTerminationSignal([&] {
      ++asked;
      thread = std::this_thread::get_id();
    });
    raise(signal);
    EXPECT_EQ(asked, 0) << "not inside the signal handler";
    ASSERT_TRUE(QTest::qWaitFor([&] { return asked > 0; }));
    EXPECT_EQ(thread, std::this_thread::get_id());
    QTest::qWait(50);
    EXPECT_EQ(asked, 1);
    struct sigaction now {};
    sigaction(signal, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL) << "a second one ends the program at once";
  }
}

}  // namespace
