#pragma once
// Disconnecting units: one at a time, and every one still open when the process ends.

namespace textio {

// Registers the end-of-run handler that closes every unit still open when the process ends.
void initialise_unit_layer();

// Disconnects `unit`, writing out any buffered output. Does nothing if it is not connected.
void close_unit(int unit);

}  // namespace textio
