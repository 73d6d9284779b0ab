#pragma once

#include <QMessageBox>
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

// Text copied out of a box shown with UnbrokenPaths, as a player would paste
// it: the word joiners gone and the no-break spaces plain spaces again, so
// that a pasted path names the file.
QString CopiedText(const QString& shown);

// Shows `text` in `box` as plain text with its paths kept whole, and makes
// Ctrl+C copy the message as it was given: the whole message from the box,
// the selection from its text.
void SetMessageText(QMessageBox& box, const QString& text);

} // namespace rivo
