// Prints the quadruple-precision solutions of a fin, for tests/quad/check_quad_cases.py and
// check_reference_resolution.py to compare with their own high-precision computation of the same
// discrete system.
//   quad_cases Tb Tinf h k Ab P L N...
// One line per scheme and N: the scheme's name, N, then T(N), qdds1, qdds2, Ta(N) and qa with
// 36 significant digits, then the resolution the mesh study gives those values for T(N), qdds1
// and qdds2. UDS-2 is the converged solution, computed directly.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fin/processamento.h"
#include "fin/quad_number.h"
#include "fin/tip_scheme.h"
#include "malhas/verification/reference_resolution.h"

namespace {

void print_case(const fin::FinProperties<double>& fin, const fin::Case<fin::Quad>& c) {
  const std::int32_t N = c.mesh.N;
  std::string line = std::string(fin::scheme_name(c.scheme)) + " " + std::to_string(N);
  for (fin::Quad v : {c.solution.T[N], c.rates.qdds1, c.rates.qdds2, c.exact.Ta[N], c.exact.qa}) {
    line += " " + fin::QuadNumber(v).text();
  }
  for (double r : malhas::reference_resolution(fin, N, static_cast<double>(c.exact.qa))) {
    char text[32];
    std::snprintf(text, sizeof text, " %.17e", r);
    line += text;
  }
  std::printf("%s\n", line.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 9) {
    std::fprintf(stderr, "usage: quad_cases Tb Tinf h k Ab P L N...\n");
    return 2;
  }
  fin::FinProperties<double> fin;
  double* fields[] = {&fin.Tb, &fin.Tinf, &fin.h, &fin.k, &fin.Ab, &fin.P, &fin.L};
  for (int i = 0; i < 7; ++i) *fields[i] = std::strtod(argv[i + 1], nullptr);
  for (int a = 8; a < argc; ++a) {
    const auto N = static_cast<std::int32_t>(std::atoi(argv[a]));
    print_case(fin, fin::compute_case<fin::Quad>(fin, {fin::TipScheme::Uds, N}, {}));
    print_case(fin, fin::compute_converged_case<fin::Quad>(fin, {fin::TipScheme::Uds2, N}));
  }
  return 0;
}
