#include "originals_folder.h"

#include <QDir>
#include <QStandardPaths>

namespace rivo {

std::filesystem::path OriginalsRoot() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty()) {
        return {};
    }
    const std::filesystem::path folder = QDir(data).filesystemAbsolutePath();
#ifdef _WIN32
    return folder / "RivoEdit" / "Originals";
#else
    return folder / "rivoedit" / "originals";
#endif
}

} // namespace rivo
