#pragma once
// The orders and error estimates of one scheme's meshes, each on the row of the finest mesh it
// uses.
#include <array>
#include <vector>

#include "malhas/verification/convergence_type.h"
#include "malhas/verification/mesh_outcome.h"
#include "malhas/verification/orders.h"

namespace malhas {

// Safety factors of the grid convergence index: with the apparent order of three meshes, and
// with the asymptotic order assumed from two.
constexpr double kSafetyApparent = 1.25;
constexpr double kSafetyAsymptotic = 3;

struct QuantityAnalysis {
  double error = 0;  // E = exact - value
  // E split by the quadruple-precision reference: E_discretizacao, E_iteracao, E_arredondamento;
  // a part below the reference's resolution has no value (kBelowResolution).
  Estimate discretisation_error, iteration_error, round_off_error;
  // The reference's resolution on this mesh, a bound of its own round-off in the quantity's
  // units; none, with the reason, without a reference.
  Estimate reference_resolution;
  Estimate effective_order;     // p_E
  Estimate discretisation_order;  // p_E of E_discretizacao
  Estimate apparent_order;      // p_U
  ConvergenceType convergence;  // of the same three meshes as p_U
  Estimate estimate_asymptotic;  // U with p_L
  Estimate estimate_apparent;    // U with p_U
  Estimate gci_asymptotic, gci_apparent;
  Estimate gci_apparent_relative;  // GCI(p_U) / |value|
  Estimate ratio_asymptotic, ratio_apparent;  // U / E
  // The measured round-off, or iteration error, is not small beside the discretisation error.
  bool round_off = false;
  bool iteration = false;
};

struct SchemeStudy {
  fin::TipScheme scheme{};
  std::vector<MeshOutcome> meshes;  // coarsest first
  std::vector<std::array<QuantityAnalysis, 3>> rows;  // one per mesh
};

// The order a quantity tends to as the mesh is refined, p_L of the scheme table
// (fin/tip_scheme.h).
int asymptotic_order(fin::TipScheme scheme, Quantity q);

// The order of the term-th term of a quantity's error expansion (term 1 is the leading one, of
// order p_L): the term that the term-th level of repeated Richardson extrapolation removes.
int expansion_order(fin::TipScheme scheme, Quantity q, int term);

// A mesh whose value of q the tables warn about: its measured round-off or iteration error is
// not small beside its discretisation error.
inline bool marked(const SchemeStudy& study, std::size_t k, Quantity q) {
  const QuantityAnalysis& a = study.rows[k][index_of(q)];
  return a.round_off || a.iteration;
}

// Everything of the tables for one scheme, from its meshes ordered coarsest first.
SchemeStudy analyse(fin::TipScheme scheme, std::vector<MeshOutcome> meshes);

}  // namespace malhas
