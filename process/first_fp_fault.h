#pragma once
// A scope in which the floating-point faults that would end a trapping run are only recorded:
// the first one raised is kept, and the computation goes on with the default IEEE results. A
// computation tried in the scope is judged by the fault a trapping run of it would have ended at,
// however many others follow from it (an overflow's infinity, say, later met by a subtraction).
// Nested HeldFpTraps scopes hold their faults as they do in a trapping run. When the last scope
// on any thread ends, a trapped fault reaches the handler it had before the first began.
#include <optional>

#include "platform/fp_control.h"

namespace process {

class FirstFpFault {
 public:
  FirstFpFault() : saved_(platform::record_first_fp_fault()) {}
  ~FirstFpFault() { platform::end_fp_fault_record(saved_); }
  FirstFpFault(const FirstFpFault&) = delete;
  FirstFpFault& operator=(const FirstFpFault&) = delete;

  // The first fault raised in the scope so far, on this thread.
  std::optional<platform::FpFault> first() const {
    platform::FpFault fault;
    if (!platform::first_recorded_fp_fault(fault)) return std::nullopt;
    return fault;
  }

 private:
  platform::SavedFpState saved_;
};

}  // namespace process
