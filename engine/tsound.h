#pragma once
// One short sound effect, decoded into memory once and played on up to ten mixer channels of
// its own in turn, so that quick plays overlap instead of cutting each other off. Owns the
// decoded sound and its channels; the audio device is opened once per process and shared.
// Each object is played by one thread at a time; different objects may play on different
// threads at once. Every failure is silent: a sound without a device or a file plays nothing.
// Opening the device leaves the process's signals to the program.

#include <cstddef>
#include <string>
#include <vector>

struct Mix_Chunk;

class TSound {
public:
  explicit TSound(const std::string& fileName);
  ~TSound();
  TSound(const TSound&) = delete;
  TSound& operator=(const TSound&) = delete;

  void Play();

  // Opens the audio device on a worker thread, so that a sound made later finds it open, or
  // waits only for the rest of the opening. Once per process; the program's end waits for it.
  static void OpenDeviceAhead();

  // How many plays can sound at once (0 when the sound could not be made ready), and which of
  // them plays next.
  size_t getStreamCount() const { return Streams.size(); }
  size_t getCursor() const { return Cursor; }

private:
  Mix_Chunk* Chunk = nullptr;
  std::vector<int> Streams;  // mixer channels
  size_t Cursor = 0;
};
