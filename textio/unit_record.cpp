#include "textio/unit_record.h"

namespace textio {

UnitRecord::~UnitRecord() {
  if (owns_handle) files->close(handle);
}

}  // namespace textio
