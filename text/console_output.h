#pragma once

// Standard output and error for a program that has no console of its own.
namespace rivo {

// On Windows a GUI program starts without a console: when its output goes
// nowhere, this sends it to the console of the program that started it (the
// command prompt that ran `rivoedit --help`), if there is one. Output that
// is already redirected to a file or pipe stays where it goes. Elsewhere it
// does nothing.
void attachParentConsole();

} // namespace rivo
