#pragma once

#include "game_prefixes.h"

#include <ostream>

namespace rivo {
// How a test failure shows a candidate prefix.
void PrintTo(const GamePrefix& prefix, std::ostream* out);
} // namespace rivo
