#include "frm_main.h"
#include "qt_user_dialogs.h"
#include "rivo_version.h"

#include <QApplication>
#include <cstdlib>

#ifdef _WIN32
#include "native_paths.h"
#include "windows_registry.h"
#else
#include "wine_paths.h"
#include "wine_registry.h"
#endif

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setApplicationName(rivo::version::kProductName);

#ifdef _WIN32
    rivo::WindowsRegistry registry;
    rivo::NativePaths paths;
#else
    // The game runs under Wine: its registry and its C: drive are the
    // prefix's.
    const std::filesystem::path prefix =
        rivo::winePrefixFrom(std::getenv("WINEPREFIX"), std::getenv("HOME"));
    rivo::WineRegistry registry(prefix / "system.reg");
    rivo::WinePaths paths(prefix);
#endif

    rivo::QtUserDialogs dialogs(rivo::version::kProductName);
    rivo::frmMain window(registry, paths, dialogs);
    dialogs.setParentWindow(&window);
    if (!window.Form_Load()) {
        // The game is not installed: the user has been told.
        return 1;
    }
    window.show();
    return QApplication::exec();
}
