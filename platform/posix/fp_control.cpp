#include "platform/fp_control.h"

#include <cfenv>
#include <csignal>
#include <mutex>
#include <ucontext.h>

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

// SIGFPE arrives synchronously on the faulting instruction of the thread that trapped (the
// computation's own: a thread lent a share of a loop holds its faults), and the kernel starts the
// handler with a fresh floating-point state (every trap masked), so the handler may report the
// fault and end the process from here. It must never return to the instruction.
void on_sigfpe(int, siginfo_t* info, void*) {
  switch (info->si_code) {
    case FPE_FLTINV: fault_handler(FpFault::Invalid); break;
    case FPE_FLTDIV: fault_handler(FpFault::DivideByZero); break;
    case FPE_FLTOVF: fault_handler(FpFault::Overflow); break;
    default: break;
  }
  end_by_default_action();
}

// The first fault recorded on each thread, which only the thread's own SIGFPE handler writes:
// the state a signal handler needs, set aside for it.
constexpr int kNoFault = -1;
thread_local int first_fault = kNoFault;

// The SIGFPE action belongs to the process, the recording to each thread: the recording action
// is installed when the first thread begins to record and the one it replaced is put back when
// the last one ends.
std::mutex recording_lock;
int recording_threads = 0;
struct sigaction action_before_recording {};

// SSE and x87 exception masks in the faulting context: on return the instruction runs again
// masked and gives its default result. x87 exceptions are pending until the next x87
// instruction; their summary bits are cleared so that none fires again.
constexpr unsigned kSseMasks = 0x1f80;
constexpr unsigned short kX87Masks = 0x3f;
constexpr unsigned short kX87Pending = 0x8080;

void on_recorded_sigfpe(int, siginfo_t* info, void* context) {
  int fault = kNoFault;
  switch (info->si_code) {
    case FPE_FLTINV: fault = static_cast<int>(FpFault::Invalid); break;
    case FPE_FLTDIV: fault = static_cast<int>(FpFault::DivideByZero); break;
    case FPE_FLTOVF: fault = static_cast<int>(FpFault::Overflow); break;
    default: end_by_default_action(); return;
  }
  if (first_fault == kNoFault) first_fault = fault;
  auto* state = static_cast<ucontext_t*>(context)->uc_mcontext.fpregs;
  state->mxcsr |= kSseMasks;
  state->cwd |= kX87Masks;
  state->swd &= static_cast<unsigned short>(~kX87Pending);
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

SavedFpState record_first_fp_fault() {
  {
    const std::lock_guard<std::mutex> hold(recording_lock);
    if (recording_threads++ == 0) {
      struct sigaction action {};
      action.sa_sigaction = on_recorded_sigfpe;
      action.sa_flags = SA_SIGINFO;
      sigemptyset(&action.sa_mask);
      sigaction(SIGFPE, &action, &action_before_recording);
    }
  }
  const SavedFpState saved = suspend_fp_traps();
  first_fault = kNoFault;
  feenableexcept(kTrappedExceptions);
  return saved;
}

void end_fp_fault_record(const SavedFpState& saved) {
  resume_fp_traps(saved);
  const std::lock_guard<std::mutex> hold(recording_lock);
  if (--recording_threads == 0) sigaction(SIGFPE, &action_before_recording, nullptr);
}

bool first_recorded_fp_fault(FpFault& fault) {
  if (first_fault == kNoFault) return false;
  fault = static_cast<FpFault>(first_fault);
  return true;
}

// The traps are set to exactly those saved: a recording scope that met no fault ends with its
// traps enabled, which feenableexcept alone would leave so.
void resume_fp_traps(const SavedFpState& saved) {
  fedisableexcept(FE_ALL_EXCEPT);
  std::feclearexcept(FE_ALL_EXCEPT);
  std::feraiseexcept(static_cast<int>(saved.flags));  // every trap is masked here
  feenableexcept(static_cast<int>(saved.control));
}

}  // namespace platform
