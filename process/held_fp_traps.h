#pragma once
// A scope in which trapped floating-point faults only raise flags, so that a computation can be
// tried and judged afterwards instead of ending the run. The flags raised before the scope are
// back when it ends; those raised inside it are forgotten then.
#include "platform/fp_control.h"

namespace process {

class HeldFpTraps {
 public:
  HeldFpTraps() : saved_(platform::suspend_fp_traps()) {}
  ~HeldFpTraps() { platform::resume_fp_traps(saved_); }
  HeldFpTraps(const HeldFpTraps&) = delete;
  HeldFpTraps& operator=(const HeldFpTraps&) = delete;

  // The faults raised inside the scope so far.
  bool invalid() const { return raised(platform::kFpInvalid); }
  bool divided_by_zero() const { return raised(platform::kFpDivideByZero); }
  bool overflowed() const { return raised(platform::kFpOverflow); }

 private:
  static bool raised(platform::FpFlag flag) { return (platform::raised_fp_flags() & flag) != 0; }

  platform::SavedFpState saved_;
};

}  // namespace process
