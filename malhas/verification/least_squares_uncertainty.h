#pragma once
// The least-squares uncertainty procedure of Eca & Hoekstra (J. Comput. Phys. 262, 104-130,
// 2014) for the value on the finest of four or more meshes.
//
// The error of the values is fitted, in the least-squares sense, with four power series in the
// spacing h, each with and without weights:
//   observed order  phi_i = phi_0 + alpha h_i^p              (phi_0, alpha, p unknown)
//   first order     phi_i = phi_0 + alpha h_i
//   second order    phi_i = phi_0 + alpha h_i^2
//   first + second  phi_i = phi_0 + alpha_1 h_i + alpha_2 h_i^2
// The unweighted fits minimise sum_i (phi_i - fit_i)^2, the weighted ones
// sum_i w_i (phi_i - fit_i)^2 with w_i = (1/h_i) / sum_j (1/h_j), leaning on the fine meshes. A
// fit's standard deviation is
//   sigma = sqrt( sum_i n w_i (phi_i - fit_i)^2 / (n - n_u) )
// (w_i = 1/n without weights), n meshes and n_u unknowns; of the two versions of a fit the one
// of smaller sigma is kept.
//
// The observed order p comes from the first fit. With 0.5 <= p <= 2 its error estimate
// eps = |fit_1 - phi_0| on the finest mesh is taken; otherwise the fixed-order fits replace it
// (first and second order, and first + second when p < 0.5), the one of smallest sigma. With the
// data range Delta = (max phi - min phi) / (n - 1),
//   Fs = 1.25 if 0.5 <= p < 2.1 and sigma < Delta, else 3,
//   U  = Fs eps + sigma + |phi_1 - fit_1|                 if sigma < Delta,
//   U  = 3 sigma / Delta (eps + sigma + |phi_1 - fit_1|)  otherwise.
// The paper's text was not at hand when this was written: the procedure follows the method as
// its abstract and later restatements give it, without the paper's equation numbers. The README
// says which parts are the study's reading where the published procedure leaves a case open.
#include <string_view>
#include <vector>

#include "malhas/verification/orders.h"

namespace malhas {

// The fewest meshes the procedure takes: with three, the observed-order fit passes through its
// data and has no standard deviation.
constexpr int kLeastSquaresFewestMeshes = 4;

enum class Expansion { ObservedOrder, FirstOrder, SecondOrder, FirstAndSecondOrder };

struct LeastSquaresUncertainty {
  Estimate uncertainty;      // U of the finest mesh's value, or why there is none
  Estimate exact_estimate;   // phi_0 of the chosen fit
  Estimate order;            // p of the observed-order fit; none at an end of its search
  double safety = 0;         // what multiplies eps: 1.25, 3, or 3 sigma / Delta
  Expansion expansion = Expansion::ObservedOrder;  // the chosen fit
  bool weighted = false;
  double deviation = 0;   // sigma of the chosen fit
  double data_range = 0;  // Delta
};

// From the spacings and values of n >= 4 meshes (in any order; the finest is the one of smallest
// spacing), the uncertainty of the finest mesh's value.
LeastSquaresUncertainty least_squares_uncertainty(const std::vector<double>& spacings,
                                                  const std::vector<double>& values);

}  // namespace malhas
