#pragma once
// The metronome: beats a tempo in beats per minute on the multimedia timer and raises the
// class-wide OnTick once per beat, on the timer's thread. Start, Stop and setTempo belong to the
// user-interface thread. The timer id is class-wide: one metronome runs at a time.

#include <cstdint>
#include <functional>

class TMetronome {
public:
  // The beat handler of the whole program; set it only while no metronome runs.
  static std::function<void()> OnTick;

  // Makes a handler OnTick while it lives and clears it when it goes, so that no beat reaches
  // an owner that is gone. The owner makes it before its metronome, which then stops first.
  class TOnTickHandle {
  public:
    explicit TOnTickHandle(std::function<void()> handler) { OnTick = std::move(handler); }
    ~TOnTickHandle() { OnTick = nullptr; }
    TOnTickHandle(const TOnTickHandle&) = delete;
    TOnTickHandle& operator=(const TOnTickHandle&) = delete;
  };

  explicit TMetronome(int32_t tempo);
  ~TMetronome();
  TMetronome(const TMetronome&) = delete;
  TMetronome& operator=(const TMetronome&) = delete;

  bool isRunning() const { return Running; }
  int32_t getTempo() const { return Tempo; }
  // On a running metronome the timer is started again, so the new beat applies at once.
  void setTempo(int32_t tempo);
  void Start();
  void Stop();

  // The multimedia timer started last; 0 before the first start, after a stop, or when the
  // system refused the timer.
  static uint32_t getTimerId() { return TimerId; }

private:
  static void TimerProc(uint32_t id, void* user);

  static uint32_t TimerId;
  int32_t Tempo;
  bool Running = false;
};
