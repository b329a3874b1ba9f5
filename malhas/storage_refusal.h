#pragma once
// A computation that may be refused the storage of its arrays, by the storage budget or by the
// allocator: the study marks the mesh and goes on, instead of ending.
#include <new>

#include "process/storage.h"

namespace malhas {

// Runs `compute`; true when it was refused storage.
template <typename Compute>
bool refused_storage(Compute&& compute) {
  try {
    compute();
  } catch (const process::StorageUnavailable&) {
    return true;
  } catch (const std::bad_alloc&) {
    return true;
  }
  return false;
}

}  // namespace malhas
