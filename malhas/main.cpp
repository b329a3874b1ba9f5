// aleta-malhas: a mesh-refinement study of the fin case of the input files in the current
// directory.
#include "malhas/program.h"
#include "process/termination.h"
#include "textio/units.h"

int main(int argc, char** argv) {
  textio::initialise_unit_layer();
  process::terminate_process(malhas::run_program(argc, argv));
}
