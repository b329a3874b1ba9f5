#pragma once
// The study's files: each is written in full under a temporary name in the output folder, then
// renamed over the final name, so an interrupted study never leaves a partial file there.
#include <string>
#include <vector>

namespace malhas {

struct OutputFile {
  std::string name;   // e.g. "malhas.csv"
  std::string bytes;  // the whole content
};

// Creates `folder` when missing and writes every file into it. On failure returns the reason in
// Portuguese (and the files not yet renamed are left out, their temporary copies removed);
// returns an empty text when all were written.
std::string write_output_files(const std::string& folder, const std::vector<OutputFile>& files);

}  // namespace malhas
