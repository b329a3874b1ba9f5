#pragma once
// A scope in which trapped floating-point faults only raise flags, so that a computation can be
// tried and judged afterwards instead of ending the run.
#include "platform/fp_control.h"

namespace process {

class HeldFpTraps {
 public:
  HeldFpTraps() : saved_(platform::suspend_fp_traps()) {}
  ~HeldFpTraps() { platform::resume_fp_traps(saved_); }
  HeldFpTraps(const HeldFpTraps&) = delete;
  HeldFpTraps& operator=(const HeldFpTraps&) = delete;

  bool overflowed() const { return (platform::raised_fp_flags() & platform::kFpOverflow) != 0; }
  bool underflowed() const { return (platform::raised_fp_flags() & platform::kFpUnderflow) != 0; }
  // Any fault that would have ended the run.
  bool faulted() const {
    return (platform::raised_fp_flags() &
            (platform::kFpInvalid | platform::kFpDivideByZero | platform::kFpOverflow)) != 0;
  }

 private:
  unsigned long saved_;
};

}  // namespace process
