#include "fin/principal.h"

#include "fin/processamento.h"
#include "process/run_time_error.h"
#include "process/storage.h"

namespace fin {

int principal(platform::FileSystem& files) {
  try {
    run_processing(files);
  } catch (const process::StorageUnavailable&) {
    // No unit is open while arrays are created: nothing is lost by reporting it here.
    process::raise_run_time_error(process::kNoArrayStorage);
  }
  return 0;
}

}  // namespace fin
