#include "fin/coeficientes.h"

// Every product is formed left to right as written, so that results are reproducible bit for bit.

namespace fin {

void build_base_node(CaseRecord& c) {
  c.aw[1] = 0.0;
  c.ae[1] = 0.0;
  c.ap[1] = 1.0;
  c.bp[1] = c.Tb;
}

void build_interior_nodes(CaseRecord& c) {
  if (c.N < 3) return;
  // Computed once at node 2 and copied, so every interior row is bit-identical.
  c.aw[2] = 1.0;
  c.ae[2] = 1.0;
  c.ap[2] = c.dx * c.dx * c.m * c.m + 2.0;
  c.bp[2] = c.Tinf * c.dx * c.dx * c.m * c.m;
  for (std::int32_t i = 3; i <= c.N - 1; ++i) {
    c.aw[i] = c.aw[2];
    c.ae[i] = c.ae[2];
    c.ap[i] = c.ap[2];
    c.bp[i] = c.bp[2];
  }
}

void build_tip_uds(CaseRecord& c) {
  const std::int32_t n = c.N;
  c.aw[n] = c.k;
  c.ae[n] = 0.0;
  c.ap[n] = c.h * c.dx + c.k;
  c.bp[n] = c.h * c.Tinf * c.dx;
}

void build_tip_uds2(CaseRecord& c) {
  const std::int32_t n = c.N;
  c.aw[n] = 3.0 * c.k;
  c.ae[n] = 0.0;
  c.ap[n] = 3.0 * c.k + c.h * c.dx * 2.0;
  c.bp[n] = 2.0 * c.h * c.Tinf * c.dx + c.k * (c.T[n - 1] - c.T[n - 2]);
}

}  // namespace fin
