#pragma once
// The quadruple-precision case of a study's mesh, against which the double values are measured:
// its error budget splits E = exact - value into discretisation, iteration and round-off.
#include "fin/variaveis.h"
#include "malhas/verification/mesh_outcome.h"

namespace malhas {

// Why a mesh has no reference, in Portuguese.
constexpr std::string_view kReferenceOff = "sem referência em precisão quádrupla (--sem-referencia)";
constexpr std::string_view kReferenceFailed = "a referência em precisão quádrupla falhou";
constexpr std::string_view kReferenceNoStorage =
    "memória insuficiente para a referência em precisão quádrupla";

// The reference of the completed double mesh `outcome` (of job.scheme, with its iterations),
// computed on at most `threads` threads, or the reason there is none. Storage refused marks the
// outcome lacked_storage, as for the mesh itself, so that the mesh is computed again alone when
// the others are done. Its storage is released before this returns.
void attach_quad_reference(const fin::FinProperties<double>& fin,
                           const fin::IterationInput& iteration, fin::TipScheme scheme,
                           unsigned threads, MeshOutcome& outcome);

}  // namespace malhas
