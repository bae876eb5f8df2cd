// Fault injection and the call record shared by every fake service.
#pragma once

#include <cstddef>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/result.h"

namespace fake {

// Scripts failures by call name ("Device::Present"): the next N calls answer with a code.
class FaultPlan {
 public:
  void Fail(const std::string& call, int times, platform::HRESULT code);
  // The first `skip` calls go through, then the next N fail.
  void FailAfter(const std::string& call, int skip, int times, platform::HRESULT code);
  // Every call from now on fails, until Clear.
  void FailAlways(const std::string& call, platform::HRESULT code);
  // True, with the code, when this call is scripted to fail; counts the failure down.
  bool Take(const std::string& call, platform::HRESULT* code);
  void Clear();

 private:
  struct Fault {
    int skip = 0;       // calls that still go through first
    int remaining = 0;  // -1: for ever
    platform::HRESULT code = 0;
  };
  std::mutex mutex_;  // the sound worker thread calls in too
  std::map<std::string, Fault> faults_;
};

// Every call a fake service receives, in order, as "Service::Call(arguments)".
class CallLog {
 public:
  void Record(std::string call);
  std::vector<std::string> Calls() const;
  // Calls whose text starts with the prefix.
  std::size_t Count(const std::string& prefix) const;
  std::vector<std::string> Matching(const std::string& prefix) const;
  void Clear();

 private:
  mutable std::mutex mutex_;  // the sound worker thread records calls too
  std::vector<std::string> calls_;
};

}  // namespace fake
