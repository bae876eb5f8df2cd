// Fault injection and the call record shared by every fake service.
#include "platform/fake/fault_plan.h"

namespace fake {

void FaultPlan::Fail(const std::string& call, int times, platform::HRESULT code) {
  std::lock_guard<std::mutex> lock(mutex_);
  faults_[call] = Fault{0, times, code};
}

void FaultPlan::FailAfter(const std::string& call, int skip, int times, platform::HRESULT code) {
  std::lock_guard<std::mutex> lock(mutex_);
  faults_[call] = Fault{skip, times, code};
}

void FaultPlan::FailAlways(const std::string& call, platform::HRESULT code) {
  std::lock_guard<std::mutex> lock(mutex_);
  faults_[call] = Fault{0, -1, code};
}

bool FaultPlan::Take(const std::string& call, platform::HRESULT* code) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto found = faults_.find(call);
  if (found == faults_.end() || found->second.remaining == 0) return false;
  if (found->second.skip > 0) {
    --found->second.skip;
    return false;
  }
  *code = found->second.code;
  if (found->second.remaining > 0) --found->second.remaining;
  return true;
}

void FaultPlan::Clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  faults_.clear();
}

void CallLog::Record(std::string call) {
  std::lock_guard<std::mutex> lock(mutex_);
  calls_.push_back(std::move(call));
}

std::vector<std::string> CallLog::Calls() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return calls_;
}

void CallLog::Clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  calls_.clear();
}

std::size_t CallLog::Count(const std::string& prefix) const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::size_t count = 0;
  for (const auto& call : calls_) count += call.compare(0, prefix.size(), prefix) == 0;
  return count;
}

std::vector<std::string> CallLog::Matching(const std::string& prefix) const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::string> found;
  for (const auto& call : calls_)
    if (call.compare(0, prefix.size(), prefix) == 0) found.push_back(call);
  return found;
}

}  // namespace fake
