#include "malhas/fin_mesh.h"

#include "fin/processamento.h"
#include "fin/quantities.h"
#include "fin/tip_scheme.h"
#include "malhas/quad_reference.h"
#include "process/first_fp_fault.h"
#include "malhas/storage_refusal.h"

namespace malhas {
namespace {

constexpr const char* kNoStorage = "memória insuficiente para as malhas em cálculo";

// Each mesh, and its reference, may share its long loops over the nodes and the putting in
// place of its large arrays' pages with a second thread, whatever --threads says of the meshes
// computed at once: the study's choice since the core first shared them.
constexpr unsigned kThreadsPerMesh = 2;

// The spacing in nodes of the profile kept of a mesh of N nodes: at most kProfilePoints nodes.
std::int64_t profile_stride(std::int64_t N) {
  return std::max<std::int64_t>(1, (N - 1 + kProfilePoints - 2) / (kProfilePoints - 1));
}

// The nodes whose exact temperature the case computed, with their positions and numerical
// temperatures.
ProfileSample sample_profile(const fin::Case<double>& c) {
  ProfileSample sample;
  const fin::ProfileNodes& nodes = c.exact.nodes;
  for (std::int64_t j = 1; j <= nodes.count(); ++j) {
    const std::int64_t i = nodes.node(j);
    sample.x.push_back(c.mesh.x[i]);
    sample.T.push_back(c.solution.T[i]);
    sample.Ta.push_back(c.exact.Ta[j]);
  }
  return sample;
}

void keep_results(const fin::Case<double>& c, MeshOutcome& outcome) {
  outcome.value = fin::computed_quantities(c);
  outcome.exact = fin::exact_quantities(c);
  if (fin::iterates(c.scheme)) {
    outcome.iterations = c.solution.it;
    outcome.final_l1 = c.solution.final_l1();
    outcome.converged = c.solution.converged;
  }
  outcome.profile = sample_profile(c);
}

// The fault that makes the mesh's numbers meaningless, in Portuguese: the first raised, at which
// aleta would have ended the run of this mesh. Empty when none was raised.
std::string arithmetic_fault(const process::FirstFpFault& faults) {
  const std::optional<platform::FpFault> first = faults.first();
  if (!first) return {};
  switch (*first) {
    case platform::FpFault::Invalid: return "operação inválida (invalid)";
    case platform::FpFault::DivideByZero: return "divisão por zero";
    case platform::FpFault::Overflow: return "estouro (overflow)";
  }
  return {};
}

}  // namespace

MeshOutcome compute_fin_mesh(const fin::FinProperties<double>& fin,
                             const fin::IterationInput& iteration, const MeshJob& job,
                             bool quad_reference) {
  MeshOutcome outcome;
  outcome.N = job.N;
  outcome.dx = fin::mesh_spacing(fin.L, job.N);  // shown on a failed mesh's rows too
  process::FirstFpFault faults;
  if (refused_storage([&] {
        keep_results(fin::compute_case<double>(fin, {job.scheme, job.N}, iteration,
                                               {profile_stride(job.N), kThreadsPerMesh}),
                     outcome);
      })) {
    outcome.failure = kNoStorage;
    outcome.lacked_storage = true;
  }
  if (outcome.failure.empty()) outcome.failure = arithmetic_fault(faults);
  if (outcome.failed()) {
    outcome.profile = {};
  } else if (quad_reference) {
    attach_quad_reference(fin, iteration, job.scheme, kThreadsPerMesh, outcome);
  } else {
    outcome.no_reference = kReferenceOff;
  }
  return outcome;
}

}  // namespace malhas
