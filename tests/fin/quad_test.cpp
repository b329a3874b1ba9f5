// The core in its two arithmetics: the converged UDS-2 solution computed directly, the
// quadruple-precision case beside the double one, and the text of a quadruple value.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <thread>

#include "fin/processamento.h"
#include "fin/quad_number.h"
#include "tests/fin/worked_case.h"

namespace fin {
namespace {

using testing::iteration_controls;
using testing::worked_input;

template <typename Real>
Real epsilon() {
  return RealTraits<Real>::epsilon();
}

template <typename Real>
class BothArithmetics : public ::testing::Test {};
using Arithmetics = ::testing::Types<double, Quad>;
TYPED_TEST_SUITE(BothArithmetics, Arithmetics);

// The iteration from a uniform field, solved again and again until its L1 norm stops falling,
// ends where the direct solve of the eliminated tip row lands, to within the arithmetic's
// round-off; and both satisfy the second-order tip row.
TYPED_TEST(BothArithmetics, DirectConvergedUds2IsTheIterationsFixedPoint) {
  using Real = TypeParam;
  for (const std::int32_t N : {3, 21, 161}) {
    const GeneralInput in = worked_input(TipScheme::Uds2, N);
    const Case<Real> direct = compute_converged_case<Real>(in, in.mesh_choice());
    EXPECT_TRUE(direct.solution.converged);

    Case<Real> iterated = prepare_case<Real>(in, in.mesh_choice());
    solve_iterated(iteration_controls(0, 0.0, 25), iterated);  // the uniform field and its norm
    TridiagonalSolver<Real> solver;
    const NormArray<Real>& L1 = iterated.solution.L1;
    for (std::int64_t c = 1; c < 2000; ++c) {
      deferred_correction_step(iterated, solver);
      // The first solve raises the norm from that of the uniform field; from then on it falls.
      if (c >= 2 && !(L1[c] < L1[c - 1])) break;
    }
    ASSERT_LT(L1.count(), 2000) << "the norm kept falling";

    const Real bound = 16 * N * epsilon<Real>() * in.Tb;
    for (std::int32_t i = 1; i <= N; ++i) {
      const Real difference = iterated.solution.T[i] - direct.solution.T[i];
      EXPECT_LE(RealTraits<Real>::fabs(difference), bound)
          << "N " << N << " node " << i << ": " << QuadNumber(difference).text();
    }
    const NodeArray<Real>& T = direct.solution.T;
    const Real dx = direct.mesh.dx;
    const Real tip = (3 * in.k + 2 * in.h * dx) * T[N] - 4 * in.k * T[N - 1] + in.k * T[N - 2] -
                     2 * in.h * dx * in.Tinf;
    EXPECT_LE(RealTraits<Real>::fabs(tip), 64 * epsilon<Real>() * in.k * in.Tb) << "N " << N;
  }
}

// Every scheme's solution after 0, 1, 2 and 40 solves from a field far from the solution is the
// one its computation makes with that many solves: for UDS-2 the iterate from the scalar
// recurrence on bp(N), to within the arithmetic's round-off; for a direct scheme its one solve,
// bit for bit, whatever the count.
TYPED_TEST(BothArithmetics, SolutionAfterSolvesIsTheComputedOne) {
  using Real = TypeParam;
  const std::int32_t N = 161;
  for (const TipSchemeTraits& row : kTipSchemes) {
    const GeneralInput in = worked_input(row.scheme, N);
    for (const std::int32_t solves : {0, 1, 2, 40}) {
      SCOPED_TRACE(std::string(row.name) + ", " + std::to_string(solves) + " solves");
      // tol = 0: no normalised norm falls below it, so an iteration makes exactly itmax solves.
      const Case<Real> solved =
          compute_case<Real>(in, in.mesh_choice(), iteration_controls(solves, 0.0, 400));
      const Case<Real> after = compute_case_after<Real>(in, in.mesh_choice(), 400, solves);
      const Real bound = row.iterates ? 16 * N * epsilon<Real>() * 400 : Real(0);
      for (std::int32_t i = 1; i <= N; ++i) {
        const Real difference = solved.solution.T[i] - after.solution.T[i];
        EXPECT_LE(RealTraits<Real>::fabs(difference), bound)
            << "node " << i << ": " << QuadNumber(difference).text();
      }
      EXPECT_EQ(after.solution.it, row.iterates ? solves : 0);
    }
  }
}

// The raw bits, so that values compare exactly.
template <typename Real>
std::string bits_of(Real value) {
  std::string bytes(sizeof value, '\0');
  std::memcpy(bytes.data(), &value, sizeof value);
  return bytes;
}

// What a case leaves, as bits.
template <typename Real>
std::string fingerprint(const Case<Real>& c) {
  std::string all;
  for (std::int32_t i = 1; i <= c.mesh.N; ++i) {
    all += bits_of(c.solution.T[i]) + bits_of(c.exact.Ta[i]);
  }
  for (std::int64_t j = 0; j < c.solution.L1.count(); ++j) {
    all += bits_of(c.solution.L1[j]) + bits_of(c.solution.L2[j]) + bits_of(c.solution.Linf[j]);
  }
  for (Real v : {c.exact.qa, c.rates.qdds1, c.rates.qdds2}) all += bits_of(v);
  return all + std::to_string(c.solution.it) + (c.solution.converged ? "+" : "-");
}

// A scheme that does not iterate converges to its one solve: its converged case is its case, bit
// for bit (the converged UDS-2 is the iteration's fixed point, above).
TYPED_TEST(BothArithmetics, ConvergedCaseOfADirectSchemeIsItsCase) {
  using Real = TypeParam;
  for (const TipSchemeTraits& row : kTipSchemes) {
    if (row.iterates) continue;
    const GeneralInput in = worked_input(row.scheme, 161);
    const Case<Real> converged = compute_converged_case<Real>(in, in.mesh_choice());
    const Case<Real> direct = compute_case<Real>(in, in.mesh_choice(), {});
    std::string expected = fingerprint(direct);
    expected.back() = '+';  // and marked converged
    EXPECT_EQ(fingerprint(converged), expected) << row.name;
  }
}

// A double case and a quadruple one computed at once on two threads share nothing: each comes
// out bit for bit as it does alone.
TEST(ComputeCase, DoubleAndQuadOnTwoThreadsGiveTheBitsOfEachAlone) {
  const GeneralInput in = worked_input(TipScheme::Uds2, 2001);
  const IterationInput iteration = iteration_controls(60, 1e-12, 25);
  const std::string double_alone = fingerprint(compute_case<double>(in, in.mesh_choice(), iteration));
  const std::string quad_alone = fingerprint(compute_case<Quad>(in, in.mesh_choice(), iteration));
  for (int round = 0; round < 2; ++round) {
    std::string quad_together;
    std::thread worker(
        [&] { quad_together = fingerprint(compute_case<Quad>(in, in.mesh_choice(), iteration)); });
    const std::string double_together =
        fingerprint(compute_case<double>(in, in.mesh_choice(), iteration));
    worker.join();
    ASSERT_EQ(double_together, double_alone);
    ASSERT_EQ(quad_together, quad_alone);
  }
}

// A fin too long for sinh and cosh even in quadruple precision (m·L ≈ 13416 against a limit of
// about 11357) takes the scaled form there too, and agrees with the double evaluation.
TEST(ExactSolution, LongFinsInQuadAgreeWithDouble) {
  for (const double L : {300.0, 3000.0}) {
    GeneralInput in = worked_input(TipScheme::Uds, 11);
    in.L = L;
    const Case<double> d = compute_case<double>(in, in.mesh_choice(), {});
    const Case<Quad> q = compute_case<Quad>(in, in.mesh_choice(), {});
    EXPECT_NEAR(static_cast<double>(q.exact.qa), d.exact.qa, 1e-15 * d.exact.qa) << L;
    for (std::int32_t i = 1; i <= 11; ++i) {
      EXPECT_NEAR(static_cast<double>(q.exact.Ta[i]), d.exact.Ta[i], 1e-13) << L << " " << i;
    }
  }
}

TEST(NodeArray, QuadElementsAreAlignedForTheirType) {
  for (const std::int32_t n : {1, 3, 1000, 100000}) {
    NodeArray<Quad> a(n);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(&a[0]) % alignof(Quad), 0u) << n;
    EXPECT_EQ(a[n], 0) << "zero bits are a zero quadruple real";
  }
}

TEST(QuadNumber, ThirtySixDigitsReadBackExactly) {
  const Quad third = Quad(1) / 3;
  const Quad values[] = {third,
                         -third * ldexpq(1, 1000),
                         nextafterq(Quad(1), Quad(2)),         // 1 + 2^-112
                         RealTraits<Quad>::largest(),
                         ldexpq(1, -16494),                     // the smallest subnormal
                         sqrtq(Quad(2)) * Quad(1e-300)};
  for (const Quad v : values) {
    const std::string text = QuadNumber(v).text();
    const std::string mantissa = text.substr(0, text.find('e'));
    std::string digits;
    for (char c : mantissa) {
      if (c >= '0' && c <= '9') digits += c;
    }
    EXPECT_EQ(digits.size(), 36u) << text;
    const auto back = QuadNumber::parse(text);
    ASSERT_TRUE(back.has_value()) << text;
    EXPECT_EQ(bits_of(back->value()), bits_of(v)) << text;
  }
  EXPECT_EQ(QuadNumber(third).text(), "3.33333333333333333333333333333333317e-01");
  for (const char* bad : {"", " 1", "1x", "0x", "e5"}) {
    EXPECT_FALSE(QuadNumber::parse(bad).has_value()) << '"' << bad << '"';
  }
}

}  // namespace
}  // namespace fin
