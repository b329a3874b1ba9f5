#include "fin/coeficientes.h"

// Every product is formed left to right as written, so that results are reproducible bit for bit.

namespace fin {

void build_base_node(const GeneralInput& in, DiscreteSystem& s) {
  s.aw[1] = 0.0;
  s.ae[1] = 0.0;
  s.ap[1] = 1.0;
  s.bp[1] = in.Tb;
}

void build_interior_nodes(const GeneralInput& in, const Mesh& mesh, DiscreteSystem& s) {
  if (mesh.N < 3) return;
  const double dx = mesh.dx;
  const double m = mesh.m;
  // Computed once at node 2 and copied, so every interior row is bit-identical.
  s.aw[2] = 1.0;
  s.ae[2] = 1.0;
  s.ap[2] = dx * dx * m * m + 2.0;
  s.bp[2] = in.Tinf * dx * dx * m * m;
  for (std::int64_t i = 3; i <= mesh.N - 1; ++i) {
    s.aw[i] = s.aw[2];
    s.ae[i] = s.ae[2];
    s.ap[i] = s.ap[2];
    s.bp[i] = s.bp[2];
  }
}

void build_tip_uds(const GeneralInput& in, const Mesh& mesh, DiscreteSystem& s) {
  const std::int32_t n = mesh.N;
  s.aw[n] = in.k;
  s.ae[n] = 0.0;
  s.ap[n] = in.h * mesh.dx + in.k;
  s.bp[n] = in.h * in.Tinf * mesh.dx;
}

void build_tip_uds2(const GeneralInput& in, const Mesh& mesh, const NodeArray& T,
                    DiscreteSystem& s) {
  const std::int32_t n = mesh.N;
  s.aw[n] = 3.0 * in.k;
  s.ae[n] = 0.0;
  s.ap[n] = 3.0 * in.k + in.h * mesh.dx * 2.0;
  s.bp[n] = 2.0 * in.h * in.Tinf * mesh.dx + in.k * (T[n - 1] - T[n - 2]);
}

}  // namespace fin
