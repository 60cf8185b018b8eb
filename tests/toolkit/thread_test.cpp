#include "toolkit/thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>

namespace {

class CountingThread : public TThread {
public:
  explicit CountingThread(bool fail = false) : fail_(fail) {}
  ~CountingThread() override { WaitFor(); }
  std::atomic<int> Runs{0};

protected:
  void Execute() override {
    ++Runs;
    if (fail_) throw std::runtime_error("worker failed");
  }

private:
  bool fail_;
};

TEST(ThreadTest, RunsOnceWhenStartedAndNotBefore) {
  CountingThread thread;
  EXPECT_FALSE(thread.Started());
  thread.WaitFor();
  EXPECT_EQ(thread.Runs, 0);
  thread.Start();
  thread.Start();
  thread.WaitFor();
  EXPECT_TRUE(thread.Finished());
  EXPECT_EQ(thread.Runs, 1);
  EXPECT_FALSE(thread.FatalException());
}

TEST(ThreadTest, KeepsTheErrorThatEndedTheWorker) {
  CountingThread thread(true);
  thread.Start();
  thread.WaitFor();
  ASSERT_TRUE(thread.FatalException());
  EXPECT_THROW(std::rethrow_exception(thread.FatalException()), std::runtime_error);
}

// Sets a flag of its caller after a pause.
class SlowThread : public TThread {
public:
  explicit SlowThread(std::atomic<bool>* done) : done_(done) {}
  ~SlowThread() override { WaitFor(); }

protected:
  void Execute() override {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    *done_ = true;
  }

private:
  std::atomic<bool>* done_;
};

TEST(ThreadTest, DestructionWaitsForTheWorker) {
  std::atomic<bool> done{false};
  {
    SlowThread thread(&done);
    thread.Start();
  }
  EXPECT_TRUE(done);
}

}  // namespace
