#pragma once

// Turns a hang into a failure: a Watchdog that is not destroyed within its limit prints
// what hung and aborts the test program, so that a deadlocked test fails the run instead
// of stalling it. Create one on the stack around the code that might hang.

#include <chrono>
#include <future>
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
  std::promise<void> done_;
  std::thread thread_;
};

}  // namespace Tivrel::Testing
