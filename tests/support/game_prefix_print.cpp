#include "game_prefix_print.h"

namespace rivo {

void PrintTo(const GamePrefix& prefix, std::ostream* out) {
    *out << prefix.place << " " << prefix.path << " " << prefix.InstallDir << " " << prefix.name;
}

} // namespace rivo
