#include "malhas/study.h"

#include "malhas/presentation/row_text.h"
#include "malhas/program_name.h"
#include "malhas/verification/mesh_sequence.h"

namespace malhas {

StudyPlan plan_study(const StudyOptions& options, std::int32_t file_N, fin::TipScheme file_scheme) {
  StudyPlan plan;
  plan.schemes = options.schemes.empty() ? std::vector<fin::TipScheme>{file_scheme} : options.schemes;
  if (!options.explicit_meshes.empty()) {
    plan.meshes = options.explicit_meshes;
  } else if (file_N < 3) {
    // The reader lets N = 1 through (aleta reports its division by zero); no mesh refines it.
    plan.error = "N = " + std::to_string(file_N) +
                 " no arquivo entradas_geral.ent: o estudo precisa de N >= 3, ou da opção --lista";
  } else {
    plan.meshes = refined_meshes(file_N, options.ratio, options.meshes);
  }
  return plan;
}

std::vector<SchemeStudy> run_study(const StudyPlan& plan, unsigned threads,
                                   const MeshComputation& compute, const ProgressReport& progress) {
  std::vector<MeshJob> jobs;
  for (fin::TipScheme scheme : plan.schemes) {
    for (std::int32_t N : plan.meshes) jobs.push_back({scheme, N});
  }
  std::vector<MeshOutcome> outcomes = compute_meshes(jobs, threads, compute, progress);
  std::vector<SchemeStudy> studies;
  for (std::size_t s = 0; s < plan.schemes.size(); ++s) {
    const auto first = outcomes.begin() + static_cast<std::ptrdiff_t>(s * plan.meshes.size());
    studies.push_back(analyse(plan.schemes[s], {std::make_move_iterator(first),
                                                std::make_move_iterator(first + static_cast<std::ptrdiff_t>(plan.meshes.size()))}));
  }
  return studies;
}

RunDescription describe_run(const StudyOptions& options, const fin::GeneralInput& general,
                            const std::optional<fin::IterationInput>& iteration) {
  RunDescription run;
  run.program = std::string(kProgram) + " " + ALETA_VERSION;
  run.options = repeating_options(options);
  run.fin = general;
  run.N = general.N;
  run.scheme = general.scheme;
  run.iteration = iteration;
  run.quad_reference = options.quad_reference;
  run.least_squares_meshes = options.least_squares_meshes;
  return run;
}

std::string failure_lines(const std::vector<SchemeStudy>& studies) {
  std::string lines;
  for (const SchemeStudy& study : studies) {
    for (const MeshOutcome& mesh : study.meshes) {
      if (!mesh.failed()) continue;
      lines += std::string(kProgram) + ": malha N = " + std::to_string(mesh.N) + " (" +
               std::string(scheme_name(study.scheme)) + ") falhou: " + mesh.failure + "\n";
    }
  }
  return lines;
}

}  // namespace malhas
