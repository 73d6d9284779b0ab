#pragma once

#include "driver_roster.h"

#include <string>

namespace rivo {

// Why the record cannot be written as lines: "the value of Age holds a line
// break" for the first field that holds CR or LF (such a value would end its
// line early, and the reader would take the rest for another line). Empty
// when every field can be written.
std::string LineBreakReason(const DriverRecord& record);

} // namespace rivo
