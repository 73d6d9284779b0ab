#pragma once

#include <QWidget>
#include <functional>

namespace rivo {

// The whole run of the program: the command line (answered without a
// display), the choice of the Wine prefix, then the main window until it is
// closed. Returns the exit code. `onShown`, when given, runs once the main
// window is on screen (the start-up benchmark ends the run there).
int runProgram(int argc, char* argv[], const std::function<void(QWidget&)>& onShown = {});

// The program's icon at every size it is built in.
void setProgramIcon();

} // namespace rivo
