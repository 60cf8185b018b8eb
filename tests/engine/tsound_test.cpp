#include "engine/tsound.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "engine/tmetronome.h"
#include "support/faultyfilesystem.h"
#include "support/tempdir.h"

namespace {

using namespace std::chrono_literals;

std::string ShippedSound(const std::string& name) {
  return std::string(LOMTAK_DIST_DIR) + "/Environment/Sounds/" + name;
}

// The device is opened once per process, so tests that need another driver than the silent one
// run in a process of their own.
class TSoundTest : public testing::Test {
protected:
  static void SetUpTestSuite() {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
  }
};

TEST_F(TSoundTest, ShippedSoundsAreReadyToOverlap) {
  for (const char* name : {"Click.wav", "Error.wav", "Metronome.wav", "Success.wav"}) {
    SCOPED_TRACE(name);
    TSound sound(ShippedSound(name));
    EXPECT_EQ(sound.getStreamCount(), 10u);
    EXPECT_EQ(sound.getCursor(), 0u);
  }
}

TEST_F(TSoundTest, PlaysTakeTheStreamsInTurn) {
  TSound sound(ShippedSound("Click.wav"));
  ASSERT_EQ(sound.getStreamCount(), 10u);
  for (size_t play = 1; play <= 10; ++play) {
    sound.Play();
    EXPECT_EQ(sound.getCursor(), play % 10);
  }
  sound.Play();  // the eleventh, on the first stream again
  EXPECT_EQ(sound.getCursor(), 1u);
}

// The program decides what a termination signal does: the audio device takes no signal.
TEST_F(TSoundTest, MakingASoundLeavesTheSignalsAlone) {
  for (int signal : {SIGINT, SIGTERM}) {
    struct sigaction before {};
    sigaction(signal, nullptr, &before);
    ASSERT_EQ(before.sa_handler, SIG_DFL) << signal;
  }
  TSound sound(ShippedSound("Click.wav"));
  ASSERT_EQ(sound.getStreamCount(), 10u) << "the device is open";
  for (int signal : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal);
    struct sigaction after {};
    sigaction(signal, nullptr, &after);
    EXPECT_EQ(after.sa_handler, SIG_DFL);
  }
}

TEST_F(TSoundTest, SoundWithoutAFilePlaysNothing) {
  TempDir dir;
  TempDir::Write(dir / "empty.wav", "");
  TempDir::Write(dir / "text.wav", "RIFF, but only in name");
  const struct {
    const char* name;
    std::string path;
  } cases[] = {
      {"missing file", dir / "no such sound.wav"},
      {"empty file", dir / "empty.wav"},
      {"not a sound", dir / "text.wav"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TSound sound(c.path);
    EXPECT_EQ(sound.getStreamCount(), 0u);
    EXPECT_NO_THROW(sound.Play());
    EXPECT_NO_THROW(sound.Play());
    EXPECT_EQ(sound.getCursor(), 0u);
  }
}

// The sound's bytes come through the program's file system, so a failing read is silence.
TEST_F(TSoundTest, ASoundTheFileSystemCannotReadPlaysNothing) {
  FaultyFileSystem disk;
  disk.Fail(FileOperation::Read, "Click.wav");
  TSound sound(ShippedSound("Click.wav"));
  EXPECT_EQ(sound.getStreamCount(), 0u);
  EXPECT_NO_THROW(sound.Play());
  disk.Heal();
  EXPECT_EQ(TSound(ShippedSound("Click.wav")).getStreamCount(), 10u);
}

TEST_F(TSoundTest, SoundWithoutADevicePlaysNothing) {
  EXPECT_EXIT(
      {
        setenv("SDL_AUDIODRIVER", "no such driver", 1);
        TSound sound(ShippedSound("Click.wav"));
        sound.Play();
        std::exit(sound.getStreamCount() == 0 ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

bool HasSound(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    auto sample = static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) |
                                       static_cast<uint8_t>(bytes[i + 1]) << 8);
    if (sample > 1000 || sample < -1000) return true;
  }
  return false;
}

TEST_F(TSoundTest, PlayedSoundReachesTheDevice) {
  // SDL's disk driver writes what the device would sound, in the device's 16-bit format. The
  // file is the child's own: test runs of other build trees may play at the same time.
  EXPECT_EXIT(
      {
        const std::string output =
            testing::TempDir() + "lomtak-disk-audio-" + std::to_string(getpid()) + ".raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
        // Sound left by an earlier run must not count, nor a device that did not open.
        std::remove(output.c_str());
        TSound sound(ShippedSound("Metronome.wav"));
        if (sound.getStreamCount() != 10) std::exit(2);
        sound.Play();
        // The driver writes in real time; wait until the sound is through, or give up.
        bool heard = false;
        for (int wait = 0; wait < 100 && !heard; ++wait) {
          std::this_thread::sleep_for(50ms);
          heard = HasSound(output);
        }
        std::remove(output.c_str());
        std::exit(heard ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

TEST_F(TSoundTest, MetronomeAndUserInterfacePlayAtOnce) {
  TSound beat(ShippedSound("Metronome.wav"));
  TSound click(ShippedSound("Click.wav"));
  std::atomic<int> beats{0};
  TMetronome::OnTick = [&] {
    beat.Play();
    ++beats;
  };
  TMetronome metronome(6000);  // a beat every 10 ms
  metronome.Start();
  // Bounded, so that a metronome that never beats fails the test instead of hanging it.
  for (int play = 0; play < 10000 && (play < 200 || beats < 20); ++play) {
    click.Play();
    std::this_thread::sleep_for(1ms);
  }
  metronome.Stop();
  TMetronome::OnTick = nullptr;
  EXPECT_GE(beats, 20);
}

}  // namespace
