#pragma once
// The uncertainties of three consecutive meshes that come beside the grid convergence index
// (orders.h): the index of an oscillating sequence and the factor-of-safety method.
#include "malhas/verification/convergence_type.h"
#include "malhas/verification/orders.h"

namespace malhas {

// Safety factor of the oscillation index: that of the index without an observed order.
constexpr double kSafetyOscillation = 3;

// For oscillatory convergence (-1 < R < 0), where Richardson extrapolation has no order to work
// with, the index from the range the three values span:
//   U = Fs (max phi - min phi),  Fs = 3.
// Empty, with the reason, for any other behaviour.
Estimate oscillation_uncertainty(const ConvergenceType& type, double coarsest, double middle,
                                 double finest);

// The factor of safety of Xing & Stern (J. Fluids Eng. 132, 061403, 2010), linear in
// P = p_RE / p_th on each side of the asymptotic range P = 1:
//   FS = FS1 P + FS0 (1 - P)   for 0 < P <= 1,
//   FS = FS1 P + FS2 (P - 1)   for P > 1,
// with their constants FS0 = 2.45, FS1 = 1.6 and FS2 = 14.8. P must be > 0. (The paper's text
// was not at hand: the method as its abstract, its authors' closure to Roache's discussion and
// later restatements give it, without equation numbers.)
double xing_stern_factor(double P);

// Their uncertainty U = FS |delta_RE|, delta_RE the Richardson estimate of the fine mesh's error
// with the observed order p_RE (here p_U of the three meshes) and P = p_RE / p_L. Empty, with
// the estimate's reason, where p_U gives no estimate (it is <= 0, or the differences change
// sign).
Estimate factor_of_safety_uncertainty(const Estimate& richardson_estimate,
                                      const Estimate& apparent_order, int asymptotic_order);

}  // namespace malhas
