#pragma once

#include <QFont>

namespace rivo {

// The window's font, given the system's font for programs (Qt's default
// application font). On Windows it is that font, as the menus, the message
// boxes and every other Windows program use it. Elsewhere the layout's own
// choice: drawn for an 8 pt dialog font (11 pixels), a condensed face keeps
// every caption inside its place. Headings derive from it and add only their
// underline or weight.
inline QFont WindowFont(const QFont& system) {
#ifdef Q_OS_WIN
    return system;
#else
    QFont font = system;
    font.setFamilies({"DejaVu Sans Condensed", "Microsoft Sans Serif", "Arial", "DejaVu Sans"});
    font.setPixelSize(11);
    return font;
#endif
}

} // namespace rivo
