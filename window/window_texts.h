#pragma once

#include "file_error.h"

#include <QAction>
#include <QMenu>
#include <string>

namespace rivo {

// "Could not save C:\...\config.ini: the reason": what the window shows for
// a file that failed.
inline std::string failureText(const char* verb, const FileError& error) {
    return std::string(verb) + " " + error.path() + ": " + error.reason();
}

// A menu command with its caption and the object name tests find it by.
inline QAction* addCommand(QMenu* menu, const char* name, const char* caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

} // namespace rivo
