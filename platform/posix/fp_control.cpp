#include "platform/fp_control.h"

#include <cfenv>
#include <csignal>

namespace platform {
namespace {

constexpr int kTrappedExceptions = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

void (*fault_handler)(FpFault) = nullptr;

// Any SIGFPE that is not one of the three trapped faults (an integer division by zero, a signal
// sent by another process) gets the system's default action: the process ends by the signal.
void end_by_default_action() {
  std::signal(SIGFPE, SIG_DFL);
  std::raise(SIGFPE);  // delivered as soon as this handler returns
}

// SIGFPE arrives synchronously on the faulting instruction of our one thread, and the kernel
// starts the handler with a fresh floating-point state (every trap masked), so the handler may
// report the fault and end the process from here. It must never return to the instruction.
void on_sigfpe(int, siginfo_t* info, void*) {
  switch (info->si_code) {
    case FPE_FLTINV: fault_handler(FpFault::Invalid); break;
    case FPE_FLTDIV: fault_handler(FpFault::DivideByZero); break;
    case FPE_FLTOVF: fault_handler(FpFault::Overflow); break;
    default: break;
  }
  end_by_default_action();
}

}  // namespace

// Doubles are computed in the SSE unit, whose results always have 53-bit significands; the x87
// precision field only concerns long double, which is left as it is.
void enable_fp_traps() {
  std::fesetround(FE_TONEAREST);
  std::feclearexcept(FE_ALL_EXCEPT);
  fedisableexcept(FE_ALL_EXCEPT);
  feenableexcept(kTrappedExceptions);
}

void install_fp_fault_handler(void (*handler)(FpFault fault)) {
  fault_handler = handler;
  struct sigaction action {};
  action.sa_sigaction = on_sigfpe;
  action.sa_flags = SA_SIGINFO;
  sigemptyset(&action.sa_mask);
  sigaction(SIGFPE, &action, nullptr);
}

SavedFpState suspend_fp_traps() {
  SavedFpState saved;
  saved.control = static_cast<unsigned long>(fegetexcept());
  saved.flags = static_cast<unsigned long>(std::fetestexcept(FE_ALL_EXCEPT));
  fedisableexcept(FE_ALL_EXCEPT);
  std::feclearexcept(FE_ALL_EXCEPT);
  return saved;
}

unsigned raised_fp_flags() {
  const int raised = std::fetestexcept(FE_ALL_EXCEPT);
  unsigned flags = 0;
  if (raised & FE_INVALID) flags |= kFpInvalid;
  if (raised & FE_DIVBYZERO) flags |= kFpDivideByZero;
  if (raised & FE_OVERFLOW) flags |= kFpOverflow;
  if (raised & FE_UNDERFLOW) flags |= kFpUnderflow;
  return flags;
}

void resume_fp_traps(const SavedFpState& saved) {
  std::feclearexcept(FE_ALL_EXCEPT);
  std::feraiseexcept(static_cast<int>(saved.flags));  // every trap is still masked here
  feenableexcept(static_cast<int>(saved.control));
}

}  // namespace platform
