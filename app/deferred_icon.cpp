#include "deferred_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <optional>

namespace rivo {

namespace {

class DeferredIconEngine : public QIconEngine {
public:
    explicit DeferredIconEngine(QList<std::pair<QString, QSize>> files)
        : files_(std::move(files)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    // The sizes are known without decoding; the files were added for the
    // normal mode and the off state, as QIcon::addFile adds them.
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        QList<QSize> sizes;
        if (mode == QIcon::Normal && state == QIcon::Off) {
            for (const auto& file : files_) {
                sizes << file.second;
            }
        }
        return sizes;
    }
    bool isNull() override { return files_.isEmpty(); }
    QString key() const override { return QStringLiteral("DeferredIconEngine"); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    DeferredIconEngine(const DeferredIconEngine&) = default;

    const QIcon& icon() {
        if (!decoded_) {
            decoded_.emplace();
            for (const auto& [name, size] : files_) {
                decoded_->addFile(name, size);
            }
        }
        return *decoded_;
    }

    QList<std::pair<QString, QSize>> files_;
    std::optional<QIcon> decoded_;
};

} // namespace

QIcon deferredIcon(const QList<std::pair<QString, QSize>>& files) {
    // The icon owns its engine.
    return QIcon(new DeferredIconEngine(files));
}

} // namespace rivo
