// aleta: computes the fin case described by the input files of the current directory and writes
// its report.
#include "aleta/principal.h"
#include "platform/files.h"
#include "process/startup.h"
#include "process/termination.h"
#include "textio/unit_close.h"

int main(int argc, char** argv) {
  process::start_up(argc, argv);
  textio::initialise_unit_layer();
  process::terminate_process(aleta::principal(platform::native_file_system()));
}
