#pragma once
// Weighted linear least squares for the small fits of the uncertainty estimators.
#include <optional>
#include <vector>

namespace malhas {

// The coefficients c minimising sum_i w_i (y_i - sum_j c_j columns[j][i])^2, none when the
// columns are linearly dependent or a number is not finite.
//
// Solved by Householder QR of the weighted design with each column scaled to unit length, not by
// the normal equations: the columns are powers of the spacing over up to four decades, and the
// normal equations would square their condition number and lose most of a double's digits.
std::optional<std::vector<double>> weighted_least_squares(
    const std::vector<std::vector<double>>& columns, const std::vector<double>& y,
    const std::vector<double>& weights);

}  // namespace malhas
