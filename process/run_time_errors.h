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

// Values that cannot be read.
inline constexpr RunTimeError kIntegerOutOfRange{6100, 'F', "integer value out of range", true};
inline constexpr RunTimeError kInvalidInteger{6101, 'F', "invalid integer", true};
inline constexpr RunTimeError kRealOutOfRange{6102, 'F', "real value out of range", true};
inline constexpr RunTimeError kInvalidReal{6103, 'F', "invalid real", true};
inline constexpr RunTimeError kSecondRadixMark{6302, 'F', "more than one radix mark in an integer", true};
inline constexpr RunTimeError kRadixOutOfRange{6303, 'F', "radix out of range 2 to 36", true};
inline constexpr RunTimeError kReadFailure{6500, 'F', "read error reported by the system", true};
inline constexpr RunTimeError kEndOfFile{6501, 'F', "end of file", true};
inline constexpr RunTimeError kZeroRepeatCount{6502, 'F', "repeat count of zero", true};
inline constexpr RunTimeError kSecondRepeatCount{6503, 'F', "more than one repeat count in a value", true};
inline constexpr RunTimeError kDelimitedNumber{6504, 'F', "quoted or parenthesised value for a number", true};

// Files that cannot be opened or written.
inline constexpr RunTimeError kInvalidOpen{6412, 'F', "invalid file name or open request", true};
inline constexpr RunTimeError kAlreadyConnected{6413, 'F', "file already connected to another unit", true};
inline constexpr RunTimeError kAccessDenied{6414, 'F', "access to file denied", true};
inline constexpr RunTimeError kFileExists{6415, 'F', "file already exists", true};
inline constexpr RunTimeError kFileNotFound{6416, 'F', "file not found", true};
inline constexpr RunTimeError kTooManyOpenFiles{6417, 'F', "too many open files", true};
inline constexpr RunTimeError kTooManyUnits{6418, 'F', "too many units connected", true};
inline constexpr RunTimeError kWriteDenied{6421, 'F', "cannot write file: access denied or file locked", true};
inline constexpr RunTimeError kDiskFull{6422, 'F', "cannot write file: disk full", true};
inline constexpr RunTimeError kNoUnitStorage{6700, 'F', "out of memory for the unit", true};

// Storage for the arrays of the computation.
inline constexpr RunTimeError kNoArrayStorage{6772, 'F', "not enough memory for an array", false};

// Trapped arithmetic faults, and the overflow of sinh or cosh, whose text the function's name
// begins ("cosh: OVERFLOW error").
inline constexpr RunTimeError kFpInvalid{6101, 'M', "floating-point error: invalid", false};
inline constexpr RunTimeError kFpDivideByZero{6103, 'M', "floating-point error: divide by zero", false};
inline constexpr RunTimeError kFpOverflow{6104, 'M', "floating-point error: overflow", false};
inline constexpr RunTimeError kHyperbolicOverflow{6203, 'M', "OVERFLOW error", false};

// All of them, in the order above.
inline constexpr const RunTimeError* kAllRunTimeErrors[] = {
    &kIntegerOutOfRange, &kInvalidInteger,   &kRealOutOfRange,    &kInvalidReal,
    &kSecondRadixMark,   &kRadixOutOfRange,  &kReadFailure,       &kEndOfFile,
    &kZeroRepeatCount,   &kSecondRepeatCount, &kDelimitedNumber,  &kInvalidOpen,
    &kAlreadyConnected,  &kAccessDenied,     &kFileExists,        &kFileNotFound,
    &kTooManyOpenFiles,  &kTooManyUnits,     &kWriteDenied,       &kDiskFull,
    &kNoUnitStorage,     &kNoArrayStorage,   &kFpInvalid,         &kFpDivideByZero,
    &kFpOverflow,        &kHyperbolicOverflow,
};

}  // namespace process
