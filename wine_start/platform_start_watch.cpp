#include "platform_start_watch.h"

#include <cstdio>
#include <cstdlib>

namespace rivo {

PlatformStartWatch* PlatformStartWatch::active_ = nullptr;

PlatformStartWatch::PlatformStartWatch(std::string line, int status)
    : line_(std::move(line)), status_(status), previous_(nullptr) {
    active_ = this;
    previous_ = qInstallMessageHandler(&PlatformStartWatch::hold);
}

PlatformStartWatch::~PlatformStartWatch() {
    qInstallMessageHandler(previous_);
    active_ = nullptr;
    for (const Held& held : held_) {
        const QMessageLogContext context(
            held.file.isEmpty() ? nullptr : held.file.constData(), held.line,
            held.function.isEmpty() ? nullptr : held.function.constData(),
            held.category.isEmpty() ? nullptr : held.category.constData());
        previous_(held.type, context, held.message);
    }
}

void PlatformStartWatch::hold(QtMsgType type, const QMessageLogContext& context,
                              const QString& message) {
    PlatformStartWatch* watch = active_;
    if (watch == nullptr) {
        return;
    }
    if (type == QtFatalMsg) {
        // Qt would abort once this returns: end here, with the line that says
        // what happened instead of Qt's words about plugins.
        std::fputs(watch->line_.c_str(), stderr);
        std::fflush(stderr);
        std::_Exit(watch->status_);
    }
    const std::lock_guard<std::mutex> lock(watch->heldLock_);
    watch->held_.push_back({type, QByteArray(context.file), context.line,
                            QByteArray(context.function), QByteArray(context.category), message});
}

} // namespace rivo
