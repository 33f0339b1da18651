// ProgressControllerStages: stage shares and steps, empty stages, stop requests, the observer list.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <glog/logging.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "Proc/Interfaces/ProgressControllerStages.h"
#include "Testing/Mocks.h"

namespace Tivrel::Core {
namespace {

using ::testing::_;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// The controller notes SetMaximum and SetProgress as text, one word each, and never asks to stop.
class ProgressControllerStagesTest : public ::testing::Test {
protected:
  void SetUp() override {
    ON_CALL(*controller, SetMaximum(_)).WillByDefault([this](long long m) { reports += " max" + std::to_string(m); });
    ON_CALL(*controller, SetProgress(_)).WillByDefault([this](long long p) { reports += " " + std::to_string(p); });
    stages->SetProgressController(controller);
  }
  std::string Take() { return std::exchange(reports, {}); }

  SP<Testing::MockProgressController> controller{new ::testing::NiceMock<Testing::MockProgressController>};
  std::string reports;
  SP<ProgressControllerStages> stages = ProgressControllerStages::Create();
};

TEST_F(ProgressControllerStagesTest, StepsFillTheirStagesShare) {
  stages->Init({1, 3});
  stages->InitStage(10, "first");
  for (int i = 0; i < 11; ++i) EXPECT_FALSE(stages->IncProgress());
  // Init, InitStage, 0.1 to 0.9 truncated, then the stage is full and stays full.
  EXPECT_EQ(Take(), " max4 0 0 0 0 0 0 0 0 0 0 0 1 1");
  stages->InitStage(4, "second");
  for (int i = 0; i < 5; ++i) stages->IncProgress();
  stages->InitStage(7, "beyond the last stage");  // nothing at all
  stages->SetProgress(-4);                        // no lower bound: 1 + 3 x (-1)
  stages->UpdateProgress();
  EXPECT_EQ(Take(), " 1 1 2 3 4 4 -2 -2");
}

TEST_F(ProgressControllerStagesTest, StageWithoutStepsCountsAsOneAndIsLogged) {
  stages->Init({2, 2});
  const int verbosity = FLAGS_v;
  ::testing::internal::CaptureStderr();
  FLAGS_v = 30;
  stages->InitStage(0, "Encoding");
  stages->IncProgress();
  FLAGS_v = 29;
  stages->InitStage(-3, "Muxing");
  stages->IncProgress();
  FLAGS_v = verbosity;
  const std::string log = ::testing::internal::GetCapturedStderr();
  EXPECT_THAT(log, HasSubstr("] ProgressController InitStage:Encoding (1)\n"));
  EXPECT_THAT(log, ::testing::Not(HasSubstr("(1)\n\n")));
  EXPECT_THAT(log, ::testing::Not(HasSubstr("Muxing")));
  EXPECT_EQ(Take(), " max4 0 0 2 2 4");
}

TEST_F(ProgressControllerStagesTest, StopRequestSilencesReportsUntilInit) {
  stages->Init({5});
  stages->InitStage(5, "only");
  EXPECT_CALL(*controller, CheckForStop())  // still asked on every step
      .Times(3)
      .WillOnce(::testing::Return(true))
      .WillRepeatedly(::testing::Return(false));
  EXPECT_TRUE(stages->IncProgress());
  EXPECT_TRUE(stages->IncProgress());
  EXPECT_TRUE(stages->SetProgress(3));
  stages->UpdateProgress();
  EXPECT_EQ(stages->GetProgress(), 3);
  EXPECT_EQ(Take(), " max5 0 0 1");
  stages->Init({5});
  EXPECT_FALSE(stages->HasInterrupted());
  EXPECT_EQ(Take(), " max5 0");

  stages->SetProgressController(nullptr);  // falls back to a stub, which never stops
  stages->InitStage(1, "stub");
  EXPECT_FALSE(stages->SetProgress(1000));
  EXPECT_EQ(stages->GetProgress(), 5);
}

using NullObserver = Testing::MockProgressObserver;  // never called

TEST_F(ProgressControllerStagesTest, ObserverListHoldsEachObserverOnce) {
  NullObserver a, b, c;
  using List = std::initializer_list<IProgressObserver*>;
  for (IProgressObserver* o : List{&a, &b, &a, nullptr, &c}) controller->RegisterEventHandler(o);
  for (IProgressObserver* o : List{&b, &b, nullptr}) controller->UnregisterEventHandler(o);
  EXPECT_THAT(controller->GetEventHandlers(), ElementsAre(&a, &c));

  // From several threads at once: every observer ends up listed once, null never.
  std::vector<NullObserver> observers(16);
  std::vector<std::thread> threads;
  for (size_t t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (size_t i = 0; i < 16 * 200; ++i) {
        controller->RegisterEventHandler(i % 7 == 0 ? nullptr : &observers[(i + t) % 16]);
        if (i % 3 == t % 3) controller->UnregisterEventHandler(&observers[i % 16]);
      }
      for (NullObserver& o : observers) controller->RegisterEventHandler(&o);
    });
  }
  for (std::thread& t : threads) t.join();
  std::vector<IProgressObserver*> expected{&a, &c};
  for (NullObserver& o : observers) expected.push_back(&o);
  EXPECT_THAT(controller->GetEventHandlers(), ::testing::UnorderedElementsAreArray(expected));
}

}  // namespace
}  // namespace Tivrel::Core
