#include "no_line_breaks.h"

#include <algorithm>

namespace rivo {

QValidator::State NoLineBreaks::validate(QString& input, int& pos) const {
    const auto isBreak = [](QChar c) { return c == u'\r' || c == u'\n'; };
    // The caret stays behind the same character.
    const auto before = input.cbegin() + std::clamp<qsizetype>(pos, 0, input.size());
    pos -= static_cast<int>(std::count_if(input.cbegin(), before, isBreak));
    input.removeIf(isBreak);
    return Acceptable;
}

} // namespace rivo
