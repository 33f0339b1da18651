#include "Testing/Watchdog.h"

#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

namespace Tivrel::Testing {

// Inside a test, `what` is reported as "Suite.Test: what".
Watchdog::Watchdog(std::chrono::seconds limit, std::string what) {
  if (const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info()) {
    what = std::string(test->test_suite_name()) + "." + test->name() + ": " + what;
  }
  thread_ = std::thread([limit, what, done = done_.get_future()] {
    if (done.wait_for(limit) == std::future_status::ready) return;
    std::fprintf(stderr, "%s did not end within %lld s (a hang or a deadlock); aborting\n", what.c_str(),
                 static_cast<long long>(limit.count()));
    std::abort();
  });
}

Watchdog::~Watchdog() {
  done_.set_value();
  thread_.join();
}

}  // namespace Tivrel::Testing
