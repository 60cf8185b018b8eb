#include "engine/tsound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <mutex>

namespace {

constexpr int kStreamsPerSound = 10;

// Every mixer call goes through this lock: sounds play from the metronome's thread and from the
// user-interface thread, and a new sound may grow the channel table meanwhile.
std::mutex& MixerLock() {
  static std::mutex& lock = *new std::mutex;
  return lock;
}

// The default output device, opened on first use and kept for the life of the process.
bool DeviceOpen() {
  static const bool open = [] {
    // SDL would take SIGINT and SIGTERM for a quit event that nothing reads: the program would
    // no longer end on them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 512) != 0) {
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
      return false;
    }
    Mix_AllocateChannels(0);
    return true;
  }();
  return open;
}

// Channels of sounds that were released, ready for the next sound; the table only grows.
std::vector<int>& FreeChannels() {
  static std::vector<int>& channels = *new std::vector<int>;
  return channels;
}

// Called with the mixer lock held.
std::vector<int> TakeChannels(int count) {
  std::vector<int>& free = FreeChannels();
  std::vector<int> taken;
  while (static_cast<int>(taken.size()) < count && !free.empty()) {
    taken.push_back(free.back());
    free.pop_back();
  }
  int missing = count - static_cast<int>(taken.size());
  if (missing > 0) {
    int first = Mix_AllocateChannels(-1);
    if (Mix_AllocateChannels(first + missing) == first + missing) {
      for (int channel = first; channel < first + missing; ++channel) taken.push_back(channel);
    }
  }
  return taken;
}

}  // namespace

TSound::TSound(const std::string& fileName) {
  if (!DeviceOpen()) return;
  // Decoding needs no lock; it must not hold up a beat that plays meanwhile.
  Chunk = Mix_LoadWAV(fileName.c_str());
  if (Chunk == nullptr) return;
  std::lock_guard<std::mutex> hold(MixerLock());
  Streams = TakeChannels(kStreamsPerSound);
}

TSound::~TSound() {
  if (Chunk == nullptr) return;
  std::lock_guard<std::mutex> hold(MixerLock());
  Mix_FreeChunk(Chunk);  // halts the channels still playing it
  std::vector<int>& free = FreeChannels();
  free.insert(free.end(), Streams.begin(), Streams.end());
}

void TSound::Play() {
  if (Streams.empty()) return;
  {
    std::lock_guard<std::mutex> hold(MixerLock());
    Mix_PlayChannel(Streams[Cursor], Chunk, 0);
  }
  Cursor = (Cursor + 1) % Streams.size();
}
