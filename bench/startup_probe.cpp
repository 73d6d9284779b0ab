// One start-up, ended as soon as the window is on screen; the start-up
// benchmark runs it as a process. "startup_probe rivoedit [options]" starts
// the editor as the installed program does; "startup_probe label" shows a
// bare Qt window with one label, the yardstick.
#include "program.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <cstring>

int main(int argc, char* argv[]) {
    if (argc >= 2 && std::strcmp(argv[1], "rivoedit") == 0) {
        return rivo::runProgram(argc - 1, argv + 1, [](QWidget&) { QApplication::quit(); });
    }
    QApplication app(argc, argv);
    QLabel label("RivoEdit");
    label.show();
    QTimer::singleShot(0, &label, [] { QApplication::quit(); });
    return QApplication::exec();
}
