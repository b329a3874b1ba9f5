#include "textio/unit_record.h"

#include "textio/unit_file_system.h"

namespace textio {

UnitRecord::~UnitRecord() {
  if (owns_handle) unit_file_system().close(handle);
}

}  // namespace textio
