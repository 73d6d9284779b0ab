#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <mutex>
#include <string>
#include <vector>

namespace rivo {

// Qt ends the process with abort (status 134) when no platform plugin
// starts, as when the display that DISPLAY or -display names cannot be
// reached, after lines of its own about plugins. While one of these lives
// (around the making of the QApplication), Qt's messages are held back; if
// Qt gives up, `line` is written to standard error in their place and the
// process ends at once with `status` (nothing has been opened yet that would
// need closing). When it goes, the messages held are passed on as they
// would have been.
class PlatformStartWatch {
public:
    PlatformStartWatch(std::string line, int status);
    ~PlatformStartWatch();
    PlatformStartWatch(const PlatformStartWatch&) = delete;
    PlatformStartWatch& operator=(const PlatformStartWatch&) = delete;

private:
    struct Held {
        QtMsgType type;
        QByteArray file;
        int line;
        QByteArray function;
        QByteArray category;
        QString message;
    };
    static void hold(QtMsgType type, const QMessageLogContext& context, const QString& message);

    std::string line_;
    int status_;
    QtMessageHandler previous_;
    std::mutex heldLock_;
    std::vector<Held> held_;
    // Qt's handler is a plain function: it finds the watch here, which is
    // set only while a watch lives.
    static PlatformStartWatch* active_;
};

} // namespace rivo
