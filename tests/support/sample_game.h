#pragma once

#include <string>

namespace rivo::test {

// A config.ini as the game keeps it: Season 1, rating 3, windowed,
// "3D Accelerator", A3D off, EAX on, CR LF line ends.
std::string SampleConfig();

} // namespace rivo::test
