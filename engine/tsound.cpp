#include "engine/tsound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <climits>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>

#include "platform/filesystem.h"
#include "platform/sharedlibrary.h"

namespace {

constexpr int kStreamsPerSound = 10;

// The mixer is loaded with the first sound: it pulls in the whole of SDL and its audio and
// music libraries, which the start of the program does not need.
struct TMixer {
  TMixer() {
    Find(SetHint, "SDL_SetHint");
    Find(InitSubSystem, "SDL_InitSubSystem");
    Find(QuitSubSystem, "SDL_QuitSubSystem");
    Find(OpenAudio, "Mix_OpenAudio");
    Find(AllocateChannels, "Mix_AllocateChannels");
    Find(FromMemory, "SDL_RWFromConstMem");
    Find(LoadWAV, "Mix_LoadWAV_RW");
    Find(FreeChunk, "Mix_FreeChunk");
    Find(PlayChannel, "Mix_PlayChannel");
  }
  template <typename TFunction>
  void Find(TFunction& function, const char* name) {
    function = reinterpret_cast<TFunction>(Library.Symbol(name));
    Complete = Complete && function;
  }

  TSharedLibrary Library{"libSDL2_mixer-2.0.so.0"};
  bool Complete = true;
  decltype(&SDL_SetHint) SetHint;
  decltype(&SDL_InitSubSystem) InitSubSystem;
  decltype(&SDL_QuitSubSystem) QuitSubSystem;
  decltype(&Mix_OpenAudio) OpenAudio;
  decltype(&Mix_AllocateChannels) AllocateChannels;
  decltype(&SDL_RWFromConstMem) FromMemory;
  decltype(&Mix_LoadWAV_RW) LoadWAV;
  decltype(&Mix_FreeChunk) FreeChunk;
  decltype(&Mix_PlayChannel) PlayChannel;
};

const TMixer& Mixer() {
  static const TMixer& mixer = *new TMixer;
  return mixer;
}

// Every mixer call goes through this lock: sounds play from the metronome's thread and from the
// user-interface thread, and a new sound may grow the channel table meanwhile.
std::mutex& MixerLock() {
  static std::mutex& lock = *new std::mutex;
  return lock;
}

// The default output device, opened on first use and kept for the life of the process.
bool DeviceOpen() {
  static const bool open = [] {
    const TMixer& mixer = Mixer();
    if (!mixer.Complete) return false;
    // SDL would take SIGINT and SIGTERM for a quit event that nothing reads: the program would
    // no longer end on them.
    mixer.SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (mixer.InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    if (mixer.OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 512) != 0) {
      mixer.QuitSubSystem(SDL_INIT_AUDIO);
      return false;
    }
    mixer.AllocateChannels(0);
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
    int first = Mixer().AllocateChannels(-1);
    if (Mixer().AllocateChannels(first + missing) == first + missing) {
      for (int channel = first; channel < first + missing; ++channel) taken.push_back(channel);
    }
  }
  return taken;
}

}  // namespace

TSound::TSound(const std::string& fileName) {
  if (!DeviceOpen()) return;
  // The bytes come through the program's file system; the mixer decodes them from memory.
  std::string bytes;
  if (FileSystem().ReadFile(fileName, bytes) || bytes.empty() || bytes.size() > INT_MAX) return;
  SDL_RWops* source = Mixer().FromMemory(bytes.data(), static_cast<int>(bytes.size()));
  if (source == nullptr) return;
  // Decoding needs no lock; it must not hold up a beat that plays meanwhile. The chunk keeps
  // its own copy of the sound; the source is freed by the mixer.
  Chunk = Mixer().LoadWAV(source, 1);
  if (Chunk == nullptr) return;
  std::lock_guard<std::mutex> hold(MixerLock());
  Streams = TakeChannels(kStreamsPerSound);
}

TSound::~TSound() {
  if (Chunk == nullptr) return;
  std::lock_guard<std::mutex> hold(MixerLock());
  Mixer().FreeChunk(Chunk);  // halts the channels still playing it
  std::vector<int>& free = FreeChannels();
  free.insert(free.end(), Streams.begin(), Streams.end());
}

void TSound::OpenDeviceAhead() {
  struct TOpener {
    TOpener() {
      try {
        worker = std::thread([] { DeviceOpen(); });
      } catch (const std::system_error&) {
        // No thread to be had: the first sound opens the device.
      }
    }
    // The mixer must not be left half opened under the program's end.
    ~TOpener() {
      if (worker.joinable()) worker.join();
    }
    std::thread worker;
  };
  static TOpener opener;
}

void TSound::Play() {
  if (Streams.empty()) return;
  {
    std::lock_guard<std::mutex> hold(MixerLock());
    Mixer().PlayChannel(Streams[Cursor], Chunk, 0);
  }
  Cursor = (Cursor + 1) % Streams.size();
}
