#pragma once
// A mesh-refinement study from the case of the input files: which meshes and schemes, their
// computation and analysis.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "malhas/mesh_runner.h"
#include "malhas/options.h"
#include "malhas/presentation/run_description.h"
#include "malhas/verification/analysis.h"

namespace malhas {

struct StudyPlan {
  std::vector<fin::TipScheme> schemes;  // in the order of their table
  std::vector<std::int32_t> meshes;   // ascending
  std::string error;                  // why no study can be made, in Portuguese
};

// The meshes and schemes the options ask for, from the N and scheme of the input file.
StudyPlan plan_study(const StudyOptions& options, std::int32_t file_N, fin::TipScheme file_scheme);

// Every mesh of every scheme computed by `threads` workers, then analysed, one study per scheme.
std::vector<SchemeStudy> run_study(const StudyPlan& plan, unsigned threads,
                                   const MeshComputation& compute, const ProgressReport& progress);

// What the study runs, for its page: the inputs read (`iteration` when a scheme of the study
// iterates), the options that repeat it and this program's version.
RunDescription describe_run(const StudyOptions& options, const fin::GeneralInput& general,
                            const std::optional<fin::IterationInput>& iteration);

// One line per failed mesh, for the standard error stream; empty when all completed.
std::string failure_lines(const std::vector<SchemeStudy>& studies);

}  // namespace malhas
