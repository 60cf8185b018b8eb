#include "toolkit/thread.h"

TThread::~TThread() { WaitFor(); }

void TThread::Start() {
  if (started_) return;
  started_ = true;
  worker_ = std::thread([this] {
    try {
      Execute();
    } catch (...) {
      fatal_ = std::current_exception();
    }
    finished_ = true;
  });
}

void TThread::WaitFor() {
  if (worker_.joinable()) worker_.join();
}
