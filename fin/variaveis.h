#pragma once
// The values of one fin case, in the order they are made: the inputs read from the two files,
// the mesh, the discrete system, its solution, the exact solution and the heat rates at the
// base. Each computation takes the values it reads and fills the ones it makes, so that two
// cases share nothing. Everything computed is a template over the arithmetic (fin/real.h); the
// inputs are the files' doubles, which every wider arithmetic holds exactly.
#include <cstdint>

#include "fin/arrays.h"

namespace fin {

enum class TipScheme;  // fin/tip_scheme.h

// The fin itself.
template <typename Real>
struct FinProperties {
  Real Tb = 0;    // base temperature [ºC]
  Real Tinf = 0;  // fluid temperature [ºC]
  Real h = 0;     // convection coefficient [W/m2*K]
  Real k = 0;     // thermal conductivity [W/m*K]
  Real Ab = 0;    // area of the fin base [m2]
  Real P = 0;     // perimeter of the fin base [m]
  Real L = 0;     // fin length [m]
};

// The same fin in another arithmetic: every value converted exactly.
template <typename Real>
FinProperties<Real> converted(const FinProperties<double>& fin) {
  return {fin.Tb, fin.Tinf, fin.h, fin.k, fin.Ab, fin.P, fin.L};
}

// What is computed of a fin: its tip closure on a mesh of N nodes.
struct CaseSpec {
  TipScheme scheme{};
  std::int32_t N = 0;
};

// How a case is computed beyond what: the part of the exact profile the caller keeps, and the
// threads the core may run at once for it.
struct CaseOptions {
  // Every profile_stride-th node from the base, and the tip; 1 (or less) for every node.
  std::int64_t profile_stride = 1;
  // 1: the calling thread alone; 2 or more: long loops over the nodes and the putting in place
  // of large arrays' pages may be shared with a second thread.
  unsigned threads = 1;
};

// The nodes of a mesh of N nodes at which a case has its exact temperatures: every stride-th
// node from the base, and the tip. Sample j (1 <= j <= count()) is node node(j).
struct ProfileNodes {
  std::int32_t N = 0;
  std::int64_t stride = 1;

  std::int32_t count() const {
    return N <= 1 ? N : static_cast<std::int32_t>((N - 2) / stride + 2);
  }
  std::int64_t node(std::int64_t j) const { return j == count() ? N : 1 + (j - 1) * stride; }
  // The sample that node i (1 <= i <= N) is, or 0 when it is none.
  std::int64_t sample_of(std::int64_t i) const {
    if (i == N) return count();
    return (i - 1) % stride == 0 ? (i - 1) / stride + 1 : 0;
  }
};

// The case of entradas_geral.ent. Every value is zero until it is read.
struct GeneralInput : FinProperties<double> {
  std::int32_t N = 0;    // mesh nodes
  TipScheme scheme{};    // tip condition

  CaseSpec mesh_choice() const { return {scheme, N}; }
};

// entradas_uds.ent: the controls of the iteration of a scheme that iterates.
struct IterationInput {
  std::int32_t itmax = 0;
  double tol = 0;  // tolerance on the L1 norm normalised by its initial value
  double T0 = 0;   // initial uniform temperature field
};

template <typename Real>
struct Mesh {
  std::int32_t N = 0;
  Real dx = 0;         // mesh spacing
  NodeArray<Real> x;   // node positions [m]
};

// Node i satisfies ap(i)·T(i) = aw(i)·T(i-1) + ae(i)·T(i+1) + bp(i).
template <typename Real>
struct DiscreteSystem {
  NodeArray<Real> aw, ae, ap, bp;
};

template <typename Real>
struct Solution {
  NodeArray<Real> T;  // numerical temperatures
  // The iteration's residual norms: element 0 for the initial field, element c after solve c.
  NormArray<Real> L1, L2, Linf;
  std::int32_t it = 0;     // iterations made
  bool converged = false;  // the last normalised L1 norm fell below tol

  // The L1 norm of the last iteration over that of the initial field, as the report states it;
  // only for a solution made by the iteration (a direct solve records no norms).
  Real final_l1() const { return L1[it] / L1[0]; }
};

template <typename Real>
struct ExactSolution {
  ProfileNodes nodes;
  NodeArray<Real> Ta;  // Ta[j]: the analytical temperature at node nodes.node(j)
  Real qa = 0;         // exact heat rate at the base [W]

  Real tip() const { return Ta[nodes.count()]; }
};

// Heat rates at the base from the numerical temperatures [W].
template <typename Real>
struct HeatRates {
  Real qdds1 = 0;  // first-order difference
  Real qdds2 = 0;  // second-order difference
};

// Everything computed for one fin, scheme and mesh.
template <typename Real>
struct Case {
  TipScheme scheme{};
  unsigned threads = 1;  // as CaseOptions
  FinProperties<Real> fin;
  Real m = 0;  // fin parameter √(h·P/(k·Ab)) [1/m]
  Mesh<Real> mesh;
  DiscreteSystem<Real> system;
  Solution<Real> solution;
  ExactSolution<Real> exact;
  HeatRates<Real> rates;
};

}  // namespace fin
