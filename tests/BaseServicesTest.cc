// Base services: MD5 digests, call stacks, reference counts across threads, thread priorities and paths.

#include <pthread.h>
#include <sched.h>
#include <signal.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <future>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Core/CallStack.h"
#include "Platform/Core/MD5.h"
#include "Platform/Core/RefCount.h"
#include "Platform/Core/ThreadPriority.h"
#include "Platform/Core/ioPath.h"

namespace Tivrel {
namespace {

// Bytes i*31+7 (i = 0..size-1) fed in `pieces` (all at once when empty) across the 64-byte
// blocks, then `tail`; a copy taken before the tail goes on on its own. The expected digests
// were computed independently from the same bytes.
TEST(BaseServicesTest, MD5OfPiecesAndCopies) {
  const std::tuple<size_t, std::vector<size_t>, const char*, const char*> cases[] = {
      // size, pieces, tail, digest
      {0, {}, "", "d41d8cd98f00b204e9800998ecf8427e"},
      {64, {}, "", "b6bf87c24b1bc334e2541387a92b981b"},
      {1000, {1, 62, 0, 64, 65, 300, 508}, "", "2b1e78d5765de9e10495a01412a1cf22"},
      {100, {37, 63}, "A", "bc2e8cdb8e199a081d5a505af844a3eb"},
  };
  for (auto [size, pieces, tail, digest] : cases) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 31 + 7);
    if (pieces.empty()) pieces = {size};
    Core::MD5 md5;
    size_t offset = 0;
    for (size_t piece : pieces) md5.update(bytes.data() + (offset += piece) - piece, piece);
    Core::MD5 copy = md5;
    copy.update("other tail");
    md5.update(tail);
    md5.finalize();
    EXPECT_EQ(md5.hexdigest(), digest) << size;
  }

  Core::MD5 md5;
  EXPECT_THROW(md5.hexdigest(), std::logic_error);
  EXPECT_THROW(md5.update(nullptr, 3), std::invalid_argument);
  md5.update("abc", 3);
  md5.finalize();
  md5.finalize();  // a second finalize changes nothing
  EXPECT_EQ(md5.hexdigest(), Core::MD5(std::string("abc")).hexdigest());
  EXPECT_EQ(md5.hexdigest(), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_THROW(md5.update("x", 1), std::logic_error);
}

std::atomic<int> sideEffect{0};
std::atomic<int> childSignals{0};

// One real frame per level: the work after the call keeps it from becoming a jump.
[[gnu::noinline]] std::string StackAtDepth(int depth) {
  std::string stack = depth == 0 ? GetCallStack() : StackAtDepth(depth - 1);
  sideEffect.fetch_add(1, std::memory_order_relaxed);
  return stack;
}

TEST(BaseServicesTest, GetCallStackListsTheCallersWithoutStartingAProcess) {
  struct sigaction counting {
  }, previous{};
  counting.sa_handler = [](int) { childSignals.fetch_add(1); };
  ASSERT_EQ(sigaction(SIGCHLD, &counting, &previous), 0);
  const std::string shallow = StackAtDepth(0), deep = StackAtDepth(5);
  // From many threads at once, the later calls symbolised from memory: a call site always gives the same text.
  std::atomic<int> mismatches{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&mismatches, t] {
      std::string first;
      for (int i = 0; i < 200; ++i) {
        const std::string stack = StackAtDepth(t);  // one call site
        if (first.empty()) first = stack;
        mismatches += stack.empty() || stack != first;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  sigaction(SIGCHLD, &previous, nullptr);

  EXPECT_EQ(childSignals.load(), 0) << "a child process was started";
  EXPECT_EQ(mismatches.load(), 0);
  const auto lines = [](const std::string& text) { return std::count(text.begin(), text.end(), '\n'); };
  EXPECT_GE(lines(shallow), 3) << shallow;
  EXPECT_EQ(lines(deep), lines(shallow) + 5) << deep;
  // This test's frames are attributed to the test program.
  EXPECT_NE(deep.find(std::string(" (") + program_invocation_name + ")\n"), std::string::npos) << deep;
}

std::atomic<int> destroyed{0};

class Counted : public virtual IRefCountable, public RefCountImpl {
protected:
  ~Counted() override { destroyed.fetch_add(1); }
};

// Threads add and drop references concurrently, then every holder lets go at once: the
// object is destroyed exactly once, by whichever thread held the last reference.
TEST(BaseServicesTest, RefCountCountsAcrossThreadsAndDeletesOnce) {
  constexpr int kThreads = 4;
  SP<Counted> object(new Counted);
  EXPECT_EQ(SP<Counted>(new Counted(*object))->GetRefCount(), 1);  // a copy is a new object
  EXPECT_EQ(destroyed.load(), 1);
  std::atomic<int> ready{0};
  std::promise<void> go;
  const std::shared_future<void> letGo = go.get_future().share();
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([mine = object, &ready, letGo]() mutable {
      for (int i = 0; i < 20000; ++i) SP<const IRefCountable> extra(mine.get());
      ready.fetch_add(1);
      letGo.wait();
      mine.reset();
    });
  }
  while (ready.load() < kThreads) std::this_thread::yield();
  EXPECT_EQ(object->GetRefCount(), 1 + kThreads);
  object.reset();
  go.set_value();
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(destroyed.load(), 2);
}

TEST(BaseServicesTest, SetThreadPriorityChangesTheThreadsPolicy) {
  std::promise<void> stop;
  std::thread worker([done = stop.get_future()] { done.wait(); });
  sched_param param{};
  int policy = -1;
  const auto set = [&](int priority) {
    const bool accepted = Core::SetThreadPriority(worker.native_handle(), priority);
    EXPECT_EQ(pthread_getschedparam(worker.native_handle(), &policy, &param), 0);
    return accepted;
  };
  for (auto [priority, expected] : {std::pair{-1, SCHED_BATCH}, {0, SCHED_OTHER}, {-2, SCHED_IDLE}, {-7, SCHED_IDLE}}) {
    EXPECT_TRUE(set(priority)) << priority;
    EXPECT_EQ(policy, expected) << priority;
  }
  // Leaving SCHED_IDLE and real-time scheduling need privilege; a refusal keeps the policy.
  const bool normalAgain = set(0);
  EXPECT_EQ(policy, normalAgain ? SCHED_OTHER : SCHED_IDLE);
  const bool realtime = set(1000);
  EXPECT_EQ(policy, realtime ? SCHED_RR : normalAgain ? SCHED_OTHER : SCHED_IDLE);
  EXPECT_EQ(param.sched_priority, realtime ? sched_get_priority_max(SCHED_RR) : 0);  // clamped
  stop.set_value();
  worker.join();
}

TEST(BaseServicesTest, IoPathKeepsItsUtf8Text) {
  EXPECT_EQ(ioPath("/media/f\xC3\xBCr Elise/VIDEO_TS").utf8string(), "/media/f\xC3\xBCr Elise/VIDEO_TS");
  EXPECT_TRUE(ioPath(static_cast<const char*>(nullptr)).empty());
}

}  // namespace
}  // namespace Tivrel
