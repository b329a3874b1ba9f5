#include "fin/reference.h"

#include <algorithm>

#include "fin/processamento.h"
#include "fin/tip_scheme.h"

namespace fin {

template <typename Real>
DiscreteReference<Real> discrete_reference(const FinProperties<double>& fin, CaseSpec mesh_choice,
                                           double T0, std::int32_t solves, unsigned threads) {
  DiscreteReference<Real> reference;
  const CaseOptions ends_only{std::max<std::int64_t>(1, mesh_choice.N - 1), threads};
  {
    const Case<Real> c = compute_converged_case<Real>(fin, mesh_choice, ends_only);
    reference.converged = computed_quantities(c);
    reference.exact = exact_quantities(c);
  }
  reference.iterated =
      iterates(mesh_choice.scheme)
          ? computed_quantities(compute_case_after<Real>(fin, mesh_choice, T0, solves, ends_only))
          : reference.converged;
  return reference;
}

template decltype(discrete_reference<double>) discrete_reference<double>;
template decltype(discrete_reference<Quad>) discrete_reference<Quad>;

}  // namespace fin
