#pragma once
// Every run-time error the program can raise: its number, the letter shown before the number,
// its text and whether its message names the file of a unit operation. Each is declared once
// here and raised by name.
#include <string_view>

namespace process {

struct RunTimeError {
  int number;
  char letter;            // 'F', or 'M' for arithmetic faults and errors of sinh and cosh
  std::string_view text;  // what follows "- " on the message's last line
  bool names_file;        // an error of a unit operation: the message names the unit's file
};

// Each error as X(name, number, letter, text, names_file), in the order of the list below: the
// one place they are declared, from which their constants and the list of all are made.
#define ALETA_RUN_TIME_ERRORS(X) \
  /* Values that cannot be read. */ \
  X(kIntegerOutOfRange, 6100, 'F', "integer value out of range", true) \
  X(kInvalidInteger, 6101, 'F', "invalid integer", true) \
  X(kRealOutOfRange, 6102, 'F', "real value out of range", true) \
  X(kInvalidReal, 6103, 'F', "invalid real", true) \
  X(kSecondRadixMark, 6302, 'F', "more than one radix mark in an integer", true) \
  X(kRadixOutOfRange, 6303, 'F', "radix out of range 2 to 36", true) \
  X(kReadFailure, 6500, 'F', "read error reported by the system", true) \
  X(kEndOfFile, 6501, 'F', "end of file", true) \
  X(kZeroRepeatCount, 6502, 'F', "repeat count of zero", true) \
  X(kSecondRepeatCount, 6503, 'F', "more than one repeat count in a value", true) \
  X(kDelimitedNumber, 6504, 'F', "quoted or parenthesised value for a number", true) \
  /* Files that cannot be opened or written. */ \
  X(kInvalidOpen, 6412, 'F', "invalid file name or open request", true) \
  X(kAlreadyConnected, 6413, 'F', "file already connected to another unit", true) \
  X(kAccessDenied, 6414, 'F', "access to file denied", true) \
  X(kFileExists, 6415, 'F', "file already exists", true) \
  X(kFileNotFound, 6416, 'F', "file not found", true) \
  X(kTooManyOpenFiles, 6417, 'F', "too many open files", true) \
  X(kTooManyUnits, 6418, 'F', "too many units connected", true) \
  X(kWriteDenied, 6421, 'F', "cannot write file: access denied or file locked", true) \
  X(kDiskFull, 6422, 'F', "cannot write file: disk full", true) \
  X(kNoUnitStorage, 6700, 'F', "out of memory for the unit", true) \
  /* Storage for the arrays of the computation. */ \
  X(kNoArrayStorage, 6772, 'F', "not enough memory for an array", false) \
  /* Trapped arithmetic faults, and the overflow of sinh or cosh, whose text the function's name */ \
  /* begins ("cosh: OVERFLOW error"). */ \
  X(kFpInvalid, 6101, 'M', "floating-point error: invalid", false) \
  X(kFpDivideByZero, 6103, 'M', "floating-point error: divide by zero", false) \
  X(kFpOverflow, 6104, 'M', "floating-point error: overflow", false) \
  X(kHyperbolicOverflow, 6203, 'M', "OVERFLOW error", false)

#define ALETA_DECLARE_RUN_TIME_ERROR(name, number, letter, text, names_file) \
  inline constexpr RunTimeError name{number, letter, text, names_file};
ALETA_RUN_TIME_ERRORS(ALETA_DECLARE_RUN_TIME_ERROR)
#undef ALETA_DECLARE_RUN_TIME_ERROR

// All of them, in the order above.
#define ALETA_ADDRESS_OF_RUN_TIME_ERROR(name, number, letter, text, names_file) &name,
inline constexpr const RunTimeError* kAllRunTimeErrors[] = {
    ALETA_RUN_TIME_ERRORS(ALETA_ADDRESS_OF_RUN_TIME_ERROR)};
#undef ALETA_ADDRESS_OF_RUN_TIME_ERROR
#undef ALETA_RUN_TIME_ERRORS

}  // namespace process
