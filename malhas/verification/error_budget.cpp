#include "malhas/verification/error_budget.h"

#include <cmath>

namespace malhas {
namespace {

// |part| >= kMarkedShare·|discretisation|, for a part that is not 0.
bool marked(double part, double discretisation) {
  return part != 0 && std::fabs(part) >= kMarkedShare * std::fabs(discretisation);
}

}  // namespace

ErrorBudget error_budget(const MeshOutcome& mesh, Quantity q, fin::TipScheme scheme) {
  ErrorBudget budget;
  if (!mesh.reference) {
    budget.discretisation = budget.iteration = budget.round_off = budget.resolution =
        undefined_because(mesh.no_reference);
    return budget;
  }
  const std::size_t i = index_of(q);
  const QuadReference& r = *mesh.reference;
  const double discretisation = static_cast<double>(r.exact[i] - r.converged[i]);
  const double iteration = static_cast<double>(r.converged[i] - r.iterated[i]);
  const double round_off = static_cast<double>(r.iterated[i] - static_cast<fin::Quad>(mesh.value[i]));
  const double resolution = r.resolution[i];
  const auto measured = [resolution](double part) {
    return std::fabs(part) < resolution ? undefined_because(kBelowResolution) : defined_as(part);
  };
  budget.discretisation = measured(discretisation);
  budget.iteration = fin::iterates(scheme) ? measured(iteration) : defined_as(iteration);
  budget.round_off = measured(round_off);
  budget.resolution = defined_as(resolution);
  budget.round_off_marked = budget.round_off.defined && marked(round_off, discretisation);
  budget.iteration_marked = budget.iteration.defined && marked(iteration, discretisation);
  return budget;
}

}  // namespace malhas
