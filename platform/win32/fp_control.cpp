#include "platform/fp_control.h"

#include <float.h>
#include <math.h>

#include <mutex>

#include <windows.h>
#include <xmmintrin.h>

namespace platform {
namespace {

// MXCSR, the control and status register of the SSE unit in which doubles are computed.
constexpr unsigned kInvalidFlag = 0x01;
constexpr unsigned kDivideByZeroFlag = 0x04;
constexpr unsigned kOverflowFlag = 0x08;
constexpr unsigned kUnderflowFlag = 0x10;
constexpr unsigned kAllFlags = 0x3f;
constexpr unsigned kMaskShift = 7;  // each mask bit sits 7 bits above its flag
constexpr unsigned kAllMasks = kAllFlags << kMaskShift;
constexpr unsigned kTrapped = kInvalidFlag | kDivideByZeroFlag | kOverflowFlag;
constexpr unsigned kRounding = 0x6000;
constexpr unsigned kFlushToZero = 0x8000;
constexpr unsigned kDenormalsAreZero = 0x0040;

// The x87 unit is not used for the program's doubles, but the C library computes some functions
// on it (sqrt among them): its precision field is set to 53 bits, so that those results are
// rounded once, to double precision, as the SSE unit rounds them.
constexpr unsigned short kX87PrecisionField = 0x0300;
constexpr unsigned short kX87Precision53 = 0x0200;
constexpr unsigned short kX87Flags = 0x3f;

void (*fault_handler)(FpFault) = nullptr;

void set_x87_precision_53() {
  unsigned short control = 0;
  __asm__ __volatile__("fnstcw %0" : "=m"(control));
  control = static_cast<unsigned short>((control & ~kX87PrecisionField) | kX87Precision53);
  __asm__ __volatile__("fldcw %0" : : "m"(control));
}

unsigned x87_flags() {
  unsigned short status = 0;
  __asm__ __volatile__("fnstsw %0" : "=m"(status));
  return status & kX87Flags;
}

void clear_flags() {
  _mm_setcsr(_mm_getcsr() & ~kAllFlags);
  __asm__ __volatile__("fnclex");
}

// The trapped fault an exception stands for. x64 Windows may report an SSE fault as "multiple
// traps" instead of by kind; the flags raised and not masked in the faulting context tell it.
bool fault_of(const EXCEPTION_POINTERS& exception, FpFault& fault) {
  switch (exception.ExceptionRecord->ExceptionCode) {
    case EXCEPTION_FLT_INVALID_OPERATION: fault = FpFault::Invalid; return true;
    case EXCEPTION_FLT_DIVIDE_BY_ZERO: fault = FpFault::DivideByZero; return true;
    case EXCEPTION_FLT_OVERFLOW: fault = FpFault::Overflow; return true;
    case STATUS_FLOAT_MULTIPLE_TRAPS:
    case STATUS_FLOAT_MULTIPLE_FAULTS: break;
    default: return false;
  }
  const unsigned mxcsr = exception.ContextRecord->MxCsr;
  const unsigned unmasked = mxcsr & kAllFlags & ~(mxcsr >> kMaskShift);
  if (unmasked & kInvalidFlag) {
    fault = FpFault::Invalid;
  } else if (unmasked & kDivideByZeroFlag) {
    fault = FpFault::DivideByZero;
  } else if (unmasked & kOverflowFlag) {
    fault = FpFault::Overflow;
  } else {
    return false;
  }
  return true;
}

// Runs first, before any frame's handler, on the faulting thread. The handler ends the process;
// the unit closing it runs must not fault again, so every trap is masked first. Every other
// exception is left to the system.
LONG CALLBACK on_exception(EXCEPTION_POINTERS* exception) {
  FpFault fault;
  if (fault_handler == nullptr || !fault_of(*exception, fault)) return EXCEPTION_CONTINUE_SEARCH;
  _mm_setcsr(_mm_getcsr() | kAllMasks);
  clear_flags();
  fault_handler(fault);
  return EXCEPTION_CONTINUE_SEARCH;
}

// The C library reports some errors only through its math-error hook, without the IEEE flag
// that the operation raises in hardware: sqrt of a negative number returns a NaN without the
// invalid-operation flag, and a library may return an infinity without the overflow flag. The
// hook raises the flag of the error by an operation that raises it, so that a trap or a held
// flag sees it as it would see the hardware's. The function's own result is kept, and nothing
// is printed.
int __cdecl on_math_error(struct _exception* error) {
  volatile double zero = 0.0;
  volatile double tiny = DBL_MIN;
  volatile double huge = DBL_MAX;
  volatile double raised = 0.0;
  switch (error->type) {
    case _DOMAIN: raised = zero / zero; break;
    case _SING: raised = 1.0 / zero; break;
    case _OVERFLOW: raised = huge * huge; break;
    case _UNDERFLOW: raised = tiny * tiny; break;
    default: break;  // loss of significance: no flag of its own
  }
  (void)raised;
  return 1;
}

// The first fault recorded on each thread, which only the thread's own exception handler writes:
// the state a handler needs, set aside for it.
constexpr int kNoFault = -1;
thread_local int first_fault = kNoFault;

// The exception handlers belong to the process, the recording to each thread: the recording
// handler is first in the chain from when the first thread begins to record until the last one
// ends, so that a trapped fault outside reaches the program's own handler.
std::mutex recording_lock;
int recording_threads = 0;
PVOID recording_handler = nullptr;

// Records the fault and masks every trap in the faulting context, SSE and x87, then runs the
// instruction again: masked, it gives its default result.
LONG CALLBACK on_recorded_exception(EXCEPTION_POINTERS* exception) {
  FpFault fault;
  if (!fault_of(*exception, fault)) return EXCEPTION_CONTINUE_SEARCH;
  if (first_fault == kNoFault) first_fault = static_cast<int>(fault);
  CONTEXT& context = *exception->ContextRecord;
  context.MxCsr |= kAllMasks;
  context.FltSave.MxCsr |= kAllMasks;
  context.FltSave.ControlWord |= kX87Flags;
  context.FltSave.StatusWord &= static_cast<WORD>(~0x8080);  // no x87 exception left pending
  return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

void enable_fp_traps() {
  set_x87_precision_53();
  unsigned mxcsr = _mm_getcsr();
  mxcsr &= ~(kAllFlags | kRounding | kFlushToZero | kDenormalsAreZero);  // round to nearest
  mxcsr |= kAllMasks;
  mxcsr &= ~(kTrapped << kMaskShift);
  __asm__ __volatile__("fnclex");
  _mm_setcsr(mxcsr);
}

void install_fp_fault_handler(void (*handler)(FpFault fault)) {
  fault_handler = handler;
  AddVectoredExceptionHandler(1, on_exception);
  __mingw_setusermatherr(on_math_error);
}

// The x87 flags share the layout of the SSE ones: both are kept in the saved flags, and given
// back through the SSE register, where raised_fp_flags sees them as before.
SavedFpState suspend_fp_traps() {
  const unsigned mxcsr = _mm_getcsr();
  SavedFpState saved;
  saved.control = mxcsr & ~kAllFlags;
  saved.flags = (mxcsr | x87_flags()) & kAllFlags;
  _mm_setcsr((mxcsr | kAllMasks) & ~kAllFlags);
  __asm__ __volatile__("fnclex");
  return saved;
}

unsigned raised_fp_flags() {
  const unsigned raised = (_mm_getcsr() | x87_flags()) & kAllFlags;
  unsigned flags = 0;
  if (raised & kInvalidFlag) flags |= kFpInvalid;
  if (raised & kDivideByZeroFlag) flags |= kFpDivideByZero;
  if (raised & kOverflowFlag) flags |= kFpOverflow;
  if (raised & kUnderflowFlag) flags |= kFpUnderflow;
  return flags;
}

SavedFpState record_first_fp_fault() {
  {
    const std::lock_guard<std::mutex> hold(recording_lock);
    if (recording_threads++ == 0) {
      recording_handler = AddVectoredExceptionHandler(1, on_recorded_exception);
    }
  }
  const SavedFpState saved = suspend_fp_traps();
  first_fault = kNoFault;
  _mm_setcsr(_mm_getcsr() & ~(kTrapped << kMaskShift));
  return saved;
}

void end_fp_fault_record(const SavedFpState& saved) {
  resume_fp_traps(saved);
  const std::lock_guard<std::mutex> hold(recording_lock);
  if (--recording_threads == 0) {
    RemoveVectoredExceptionHandler(recording_handler);
    recording_handler = nullptr;
  }
}

bool first_recorded_fp_fault(FpFault& fault) {
  if (first_fault == kNoFault) return false;
  fault = static_cast<FpFault>(first_fault);
  return true;
}

void resume_fp_traps(const SavedFpState& saved) {
  __asm__ __volatile__("fnclex");
  _mm_setcsr(static_cast<unsigned>(saved.control | saved.flags));
}

}  // namespace platform
