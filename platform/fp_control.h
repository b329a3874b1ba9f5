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

// Masks every trap and clears the flags; returns the settings for resume_fp_traps.
unsigned long suspend_fp_traps();

// The FpFlag bits raised since suspend_fp_traps.
unsigned raised_fp_flags();

// Restores the settings saved by suspend_fp_traps with the flags cleared, so nothing fires.
void resume_fp_traps(unsigned long saved);

}  // namespace platform
