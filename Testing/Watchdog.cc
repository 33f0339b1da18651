#include "Testing/Watchdog.h"

#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

namespace Tivrel::Testing {

namespace {

// "Suite.Test: what" inside a test, `what` alone outside.
std::string InCurrentTest(std::string what) {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  return test ? std::string(test->test_suite_name()) + "." + test->name() + ": " + what : what;
}

}  // namespace

Watchdog::Watchdog(std::chrono::seconds limit, std::string what)
    : thread_([this, limit, what = InCurrentTest(std::move(what))] {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!done_.wait_for(lock, limit, [this] { return finished_; })) {
          std::fprintf(stderr, "%s did not end within %lld s (a hang or a deadlock); aborting\n", what.c_str(),
                       static_cast<long long>(limit.count()));
          std::abort();
        }
      }) {}

Watchdog::~Watchdog() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    finished_ = true;
  }
  done_.notify_one();
  thread_.join();
}

}  // namespace Tivrel::Testing
