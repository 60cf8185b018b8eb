#include "platform/filelock.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "support/tempdir.h"

namespace {

TEST(FileLockTest, AnotherHolderIsRefusedUntilTheFirstLetsGo) {
  TempDir dir;
  const std::string folder = dir / "Anna";
  std::filesystem::create_directory(folder);
  TFileLock first, second;
  ASSERT_FALSE(first.Take(folder));
  EXPECT_TRUE(first.isHeld());
  EXPECT_EQ(second.Take(folder).value(), EWOULDBLOCK);
  EXPECT_FALSE(second.isHeld());
  first.Release();
  EXPECT_FALSE(first.isHeld());
  EXPECT_FALSE(second.Take(folder));
}

TEST(FileLockTest, NothingThereIsNothingHeld) {
  TempDir dir;
  TFileLock lock;
  EXPECT_EQ(lock.Take(dir / "gone").value(), ENOENT);
  EXPECT_FALSE(lock.isHeld());
}

// A program killed while it holds a lock holds nothing: the system lets the lock go.
TEST(FileLockTest, AKilledHolderHoldsNothing) {
  TempDir dir;
  const std::string folder = dir.path();
  int taken[2];
  ASSERT_EQ(pipe(taken), 0);
  const pid_t holder = fork();
  ASSERT_GE(holder, 0);
  if (holder == 0) {
    TFileLock lock;
    const char answer = lock.Take(folder) ? 'n' : 'y';
    if (write(taken[1], &answer, 1) != 1) _exit(1);
    pause();
    _exit(0);
  }
  char answer = 0;
  ASSERT_EQ(read(taken[0], &answer, 1), 1);
  ASSERT_EQ(answer, 'y');
  TFileLock lock;
  EXPECT_EQ(lock.Take(folder).value(), EWOULDBLOCK);
  kill(holder, SIGKILL);
  waitpid(holder, nullptr, 0);
  EXPECT_FALSE(lock.Take(folder));
  close(taken[0]);
  close(taken[1]);
}

}  // namespace
