#pragma once

// Turns a hang into a failure: a Watchdog that is not destroyed within its limit prints
// what hung and aborts the test program, so that a deadlocked test fails the run instead
// of stalling it. Create one on the stack around the code that might hang.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace Tivrel::Testing {

class Watchdog {
public:
  Watchdog(std::chrono::seconds limit, std::string what);
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

private:
  std::mutex mutex_;
  std::condition_variable done_;
  bool finished_ = false;
  std::thread thread_;
};

}  // namespace Tivrel::Testing
