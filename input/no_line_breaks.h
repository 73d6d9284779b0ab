#pragma once

#include <QValidator>

namespace rivo {

// Keeps CR and LF out of a one-line box. Typed characters pass the key
// filter, but pasted or dropped text arrives whole; a line break stored in a
// value would be written into the game's file as a line of its own and cut
// the record short. The box calls this for every change of its text
// (typing, paste, drop, undo, setText) before anyone is told of it, so the
// breaks are dropped and the rest is kept as it came.
class NoLineBreaks : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override;
};

} // namespace rivo
