#pragma once
// Floating-point traps: invalid operation, division by zero and overflow end the run; underflow,
// denormal operands and inexact results give their default IEEE results silently.

namespace platform {

enum FpFlag : unsigned { kFpInvalid = 1, kFpDivideByZero = 2, kFpOverflow = 4, kFpUnderflow = 8 };

enum class FpFault { Invalid, DivideByZero, Overflow };

// Clears any pending flags and traps invalid operation, division by zero and overflow.
void enable_fp_traps();

// Routes trapped faults to `handler`, which must not return to the faulting instruction.
void install_fp_fault_handler(void (*handler)(FpFault fault));

// The trap settings and the raised flags of the calling thread, in the platform's own form.
struct SavedFpState {
  unsigned long control = 0;
  unsigned long flags = 0;
};

// Masks every trap and clears the flags; returns what resume_fp_traps puts back.
SavedFpState suspend_fp_traps();

// The FpFlag bits raised since suspend_fp_traps.
unsigned raised_fp_flags();

// Restores the traps and the flags saved by suspend_fp_traps, forgetting the flags raised since.
// The flags saved are never those of trapped faults (each would have ended the run), so
// nothing fires.
void resume_fp_traps(const SavedFpState& saved);

// Traps invalid operation, division by zero and overflow on the calling thread, each only to be
// recorded: the first one raised is kept, and from it on every trap is masked, so the
// computation goes on with the default IEEE results, as with its traps suspended. The fault a
// trapping run would have ended at is thus known, with the flags of every later one. Returns
// what end_fp_fault_record puts back.
SavedFpState record_first_fp_fault();

// Ends a record_first_fp_fault on the calling thread: resumes its traps and flags as
// resume_fp_traps does, and when no other thread is recording, gives trapped faults back to the
// handler they had before (a trapping program's report).
void end_fp_fault_record(const SavedFpState& saved);

// The first fault since record_first_fp_fault on this thread; false when none was raised.
bool first_recorded_fp_fault(FpFault& fault);

}  // namespace platform
