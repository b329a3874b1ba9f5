// aleta-malhas: a mesh-refinement study of the fin case of the input files in the current
// directory.
#include <cstdlib>

#include "malhas/program.h"
#include "malhas/rename_pause.h"
#include "platform/files.h"
#include "platform/folder_files.h"
#include "process/arguments.h"
#include "process/startup.h"
#include "process/termination.h"
#include "textio/unit_close.h"

int main(int argc, char** argv) {
  // Before any file is opened; no trap ends the run: every mesh records the first fault it
  // raised and is judged by it.
  process::start_up_without_traps();
  textio::initialise_unit_layer();
  // The test hook's variable, when set, pauses the study at one rename of its output files.
  const char* pause = std::getenv(malhas::kRenamePauseVariable);
  malhas::PausedRenames paused(platform::native_folder_files(), pause != nullptr ? pause : "");
  platform::FolderFiles& folder_files =
      pause != nullptr ? static_cast<platform::FolderFiles&>(paused) : platform::native_folder_files();
  process::terminate_process(malhas::run_program(process::utf8_arguments(argc, argv),
                                                 platform::native_file_system(), folder_files));
}
