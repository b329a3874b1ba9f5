#pragma once
// The command line of aleta-malhas.
#include <cstdint>
#include <string>
#include <vector>

#include "fin/tip_scheme.h"
#include "malhas/verification/estimators.h"

namespace malhas {

struct StudyOptions {
  std::int32_t meshes = 10;  // meshes refined from the N of the input file
  std::int32_t ratio = 2;    // refinement ratio between consecutive meshes
  std::vector<std::int32_t> explicit_meshes;  // instead of the two above, when given
  std::vector<fin::TipScheme> schemes;  // the tip schemes to study; none: the input file's
  std::string folder = "estudo_malhas";
  unsigned threads = 1;
  // Each mesh also in quadruple precision, to measure its error budget.
  bool quad_reference = true;
  // The meshes the least-squares uncertainty procedure fits, ending at each mesh (kEveryMesh: all).
  std::int32_t least_squares_meshes = kDefaultLeastSquaresMeshes;
};

// The options, or what to print and the exit code when there is no study to run (--help,
// --version, or a bad option, whose message in Portuguese goes to the standard error stream).
struct ParsedOptions {
  bool run = false;
  StudyOptions options;
  int exit_code = 0;
  std::string out, err;
};

// The options that repeat a study of `options`, as a command line takes them: the meshes (-m and
// -r, or -l), the schemes (-e, when not the file's) and --sem-referencia; not the folder or the
// threads, which change no result. E.g. "-m 14 -r 2 -e ambos".
std::string repeating_options(const StudyOptions& options);

// `default_threads` is the number of cores, the count used when none is asked for.
ParsedOptions parse_options(int argc, const char* const* argv, unsigned default_threads);

}  // namespace malhas
