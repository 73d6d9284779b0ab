#pragma once

#include <string>
#include <string_view>

namespace rivo {

// Bytes in the user's own encoding (the code set of the C library's current
// locale, which the window program sets from the environment) as UTF-8, for
// host file names in messages. A byte that is not valid there is taken as
// Windows-1252, the game's own code page, so that no name ever shows a
// replacement character.
std::string localeBytesToUtf8(std::string_view bytes);

} // namespace rivo
