#pragma once
// A worker thread in the class library's manner: created suspended, started once, waited for.
// (Always suspended: a worker started by the base constructor would run before its object is.)
// A derived class overrides Execute; an exception that escapes it ends the thread quietly and is
// kept in FatalException. The object is used from the thread that created it; only Execute runs
// on the worker. Destruction waits for the worker; a derived class calls WaitFor in its own
// destructor, since the worker may still be inside (or just entering) its Execute.

#include <atomic>
#include <exception>
#include <thread>

class TThread {
public:
  TThread() = default;
  virtual ~TThread();
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  // Starts the worker; a second call does nothing.
  void Start();
  // Returns at once when the worker never started or has ended.
  void WaitFor();
  // Asks Execute to stop; Execute polls Terminated.
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }
  bool Started() const { return started_; }
  bool Finished() const { return finished_; }
  std::exception_ptr FatalException() const { return fatal_; }

protected:
  virtual void Execute() = 0;

private:
  std::thread worker_;
  bool started_ = false;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
  std::exception_ptr fatal_;
};
