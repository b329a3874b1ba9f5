#pragma once
// The process's standard streams, as raw bytes: nothing is translated or buffered.
#include <cstddef>
#include <string>

namespace platform {

// Writes the bytes to the standard error stream in one unbuffered write.
void write_standard_error(const char* bytes, std::size_t count);

// Writes the bytes to the standard output stream, unbuffered.
void write_standard_output(const char* bytes, std::size_t count);

// UTF-8 text to the standard error or output stream: a Windows console is handed the characters,
// which it shows whatever its code page; anything else gets the bytes as they are. False when
// the stream did not take them all (a full device, a closed pipe).
bool write_standard_error_text(const char* utf8, std::size_t count);
bool write_standard_output_text(const char* utf8, std::size_t count);

// Whether the standard error stream is a terminal (a console on Windows), where a person reads it.
bool standard_error_is_terminal();

// Reads one line from standard input through its LF and keeps its first `max_bytes` bytes in
// `line`, without the LF and a CR just before it. False at the end of the input when not a
// single byte came.
bool read_standard_input_line(std::string& line, std::size_t max_bytes);

}  // namespace platform
