#include "message_paths.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>

namespace rivo {

namespace {

constexpr QChar kNoBreakSpace(0x00A0);
constexpr QChar kWordJoiner(0x2060);

bool StartsPath(const QString& text, qsizetype i) {
    if (i > 0 && !text[i - 1].isSpace() && text[i - 1] != '(' && text[i - 1] != '"' &&
        text[i - 1] != '\'') {
        return false;
    }
    const qsizetype left = text.size() - i;
    if (left >= 3 && text[i].isLetter() && text[i].unicode() < 0x80 && text[i + 1] == ':' &&
        (text[i + 2] == '\\' || text[i + 2] == '/')) {
        return true;
    }
    if (left >= 2 && text[i] == '\\' && text[i + 1] == '\\') {
        return true;
    }
    return left >= 2 && text[i] == '/' && !text[i + 1].isSpace();
}

// Where the path starting at `i` ends: at a line's end or at a separator
// that a path's words do not hold.
qsizetype PathEnd(const QString& text, qsizetype i) {
    for (qsizetype j = i; j < text.size(); ++j) {
        if (text[j] == '\n') {
            return j;
        }
        if (j + 1 < text.size() && text[j + 1] == ' ' && (text[j] == ':' || text[j] == ',')) {
            return j;
        }
        if (j + 1 < text.size() && text[j] == ' ' && text[j + 1] == '(') {
            return j;
        }
    }
    return text.size();
}

} // namespace

QString UnbrokenPaths(const QString& text) {
    QString shown;
    shown.reserve(text.size() + 16);
    qsizetype i = 0;
    while (i < text.size()) {
        if (!StartsPath(text, i)) {
            shown += text[i++];
            continue;
        }
        const qsizetype end = PathEnd(text, i);
        const qsizetype start = i;
        for (; i < end; ++i) {
            const QChar c = text[i];
            if (c == ' ') {
                shown += kNoBreakSpace;
                continue;
            }
            shown += c;
            if ((c == ':' && i == start + 1) || c == '-') {
                shown += kWordJoiner;
            }
        }
    }
    return shown;
}

QString CopiedText(const QString& shown) {
    QString text = shown;
    text.remove(kWordJoiner);
    text.replace(kNoBreakSpace, QChar(' '));
    return text;
}

namespace {

// Ctrl+C on the box copies the message as given; on its label, the
// selection without the characters that only keep paths whole.
class MessageCopy : public QObject {
public:
    MessageCopy(QMessageBox& box, QLabel* label, QString text)
        : QObject(&box), label_(label), text_(std::move(text)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress ||
            !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
            return false;
        }
        if (watched == label_ && label_->hasSelectedText()) {
            QApplication::clipboard()->setText(CopiedText(label_->selectedText()));
        } else {
            QApplication::clipboard()->setText(text_);
        }
        return true;
    }

private:
    QLabel* label_;
    QString text_;
};

} // namespace

void SetMessageText(QMessageBox& box, const QString& text) {
    // Messages quote file names and game text, which may look like markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(UnbrokenPaths(text));
    auto* label = box.findChild<QLabel*>("qt_msgbox_label");
    auto* copy = new MessageCopy(box, label, text);
    box.installEventFilter(copy);
    if (label != nullptr) {
        label->installEventFilter(copy);
        // The label's own menu would copy the joiners too.
        label->setContextMenuPolicy(Qt::NoContextMenu);
    }
}

} // namespace rivo
