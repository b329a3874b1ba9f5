#pragma once
// What a study ran, as its page tells it: the case of the input files, the options that repeat
// it and the program. Nothing that changes from one run of the same study to the next (the
// clock, the threads, the folder), so that the page does not either.
#include <optional>
#include <string>

#include "fin/tip_scheme.h"
#include "fin/variaveis.h"
#include "malhas/verification/estimators.h"

namespace malhas {

struct RunDescription {
  std::string program;  // name and version, e.g. "aleta-malhas 1.1.0"
  // The options of the command line that repeat the study (meshes, schemes, reference), e.g.
  // "-m 14 -r 2 -e ambos"; without the output folder and the threads, which change no result.
  std::string options;
  // entradas_geral.ent: the fin, and the N and the tip scheme that the options start from.
  fin::FinProperties<double> fin;
  std::int32_t N = 0;
  fin::TipScheme scheme{};
  // entradas_uds.ent, read when a scheme studied iterates.
  std::optional<fin::IterationInput> iteration;
  bool quad_reference = true;  // each mesh also in quadruple precision
  // The meshes the least-squares uncertainty procedure fits, ending at each mesh (kEveryMesh: all).
  std::int32_t least_squares_meshes = kDefaultLeastSquaresMeshes;
};

}  // namespace malhas
