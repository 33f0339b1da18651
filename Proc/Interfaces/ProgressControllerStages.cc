#include "Proc/Interfaces/ProgressControllerStages.h"

#include <climits>
#include <cstdint>

#include <glog/logging.h>

namespace Tivrel::Core {
namespace {

// Sum of weights[0, end) in 32-bit two's complement arithmetic, without signed overflow.
int WeightSum(const std::vector<int>& weights, size_t end) {
  uint32_t sum = 0;
  for (size_t i = 0; i < end; ++i) sum += static_cast<uint32_t>(weights[i]);
  return static_cast<int>(sum);
}

// Truncates toward zero, clamped to the int range.
int TruncateToInt(double v) {
  if (v >= 2147483648.0) return INT_MAX;
  if (v <= -2147483649.0) return INT_MIN;
  return v == v ? static_cast<int>(v) : 0;
}

}  // namespace

void ProgressControllerStub::Notify(NotifyEvent) {}
void ProgressControllerStub::SetMaximum(long long) {}
void ProgressControllerStub::SetProgress(long long) {}
void ProgressControllerStub::IncProgress(long long) {}
bool ProgressControllerStub::CheckForStop() const { return false; }

ProgressControllerStages::ProgressControllerStages() : controller_(new ProgressControllerStub) {}

ProgressControllerStages::~ProgressControllerStages() = default;

SP<ProgressControllerStages> ProgressControllerStages::Create() {
  return SP<ProgressControllerStages>(new ProgressControllerStages);
}

void ProgressControllerStages::SetProgressController(const SP<IProgressController>& controller) {
  controller_ = controller ? controller : SP<IProgressController>(new ProgressControllerStub);
}

void ProgressControllerStages::Init(const std::vector<int>& weights) {
  total_ = WeightSum(weights, weights.size());
  stage_ = -1;
  weights_ = weights;
  controller_->SetMaximum(total_);
  controller_->SetProgress(0);
  interrupted_ = false;
}

void ProgressControllerStages::InitStage(int steps, const char* name) {
  const int stepCount = steps < 1 ? 1 : steps;
  if (static_cast<long long>(stage_) + 1 >= static_cast<long long>(weights_.size())) return;
  ++stage_;
  step_ = 0;
  stepSize_ = 1.0 / stepCount;
  VLOG(30) << "ProgressController InitStage:" << (name ? name : "") << " (" << stepCount << ")\n";
  base_ = WeightSum(weights_, static_cast<size_t>(stage_));
  weight_ = weights_[static_cast<size_t>(stage_)];
  if (!interrupted_) Report();
}

void ProgressControllerStages::UpdateProgress() {
  if (!interrupted_) Report();
}

bool ProgressControllerStages::IncProgress() {
  if (step_ < INT_MAX) ++step_;  // past the end the stage's share is full anyway
  return PollStop();
}

bool ProgressControllerStages::SetProgress(int steps) {
  step_ = steps;
  return PollStop();
}

int ProgressControllerStages::GetProgress() const {
  const double done = step_ * stepSize_;
  // Not std::min: a NaN product is passed through, not replaced by 1.0.
  const double share = done > 1.0 ? 1.0 : done;
  return TruncateToInt(weight_ * share + base_);
}

void ProgressControllerStages::Report() { controller_->SetProgress(GetProgress()); }

bool ProgressControllerStages::PollStop() {
  if (!interrupted_) Report();
  if (controller_->CheckForStop()) {
    interrupted_ = true;
    return true;
  }
  return interrupted_;
}

}  // namespace Tivrel::Core
