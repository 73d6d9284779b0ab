#pragma once

#include <QString>

namespace rivo {

// A message's text as a message box shows it, with each path in it kept
// whole: a box wraps its text at spaces, after a hyphen and between "C:" and
// the backslash, which cut a path inside a folder's name. Within each path
// (from "X:\", "X:/", "\\" or "/" at the start of a word to the end of the
// line, or to ": ", ", " or " (") a space becomes a no-break space and
// a word joiner follows the drive's colon and each hyphen. The rest of the
// text is left as it is.
QString UnbrokenPaths(const QString& text);

} // namespace rivo
