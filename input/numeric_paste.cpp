#include "numeric_paste.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QToolTip>

namespace rivo {

namespace {

// What copying from a list, a table or a text adds around a number.
bool isBlankOrBreak(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

QString clipboardText(QClipboard::Mode mode = QClipboard::Clipboard) {
    return QGuiApplication::clipboard()->text(mode);
}

} // namespace

void NumericPaste::pasteClipboard(QLineEdit* box) {
    if (box->isEnabled() && !box->isReadOnly()) {
        paste(box, clipboardText());
    }
}

bool NumericPaste::paste(QLineEdit* box, const QString& text, bool dropped) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBlankOrBreak(text[first])) {
        ++first;
    }
    while (last > first && isBlankOrBreak(text[last - 1])) {
        --last;
    }
    const QString pasted = text.sliced(first, last - first);
    const QString before = box->text();
    QString after = before;
    const int at = box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
    after.replace(at, box->selectionLength(), pasted);
    if (after == before) {
        return true;
    }
    if (!accepts || !accepts(after)) {
        QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())), kNotANumber, box);
        return false;
    }
    if (onInsert) {
        onInsert(dropped);
    }
    box->insert(pasted);
    return true;
}

bool NumericPaste::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box == nullptr || !box->isEnabled() || box->isReadOnly()) {
        return false;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
        if (!static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
            return false;
        }
        paste(box, clipboardText());
        return true;
    case QEvent::MouseButtonRelease:
        // Where the system has a selection to paste, the press placed the caret.
        if (static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton ||
            !QGuiApplication::clipboard()->supportsSelection()) {
            return false;
        }
        box->deselect();
        paste(box, clipboardText(QClipboard::Selection));
        return true;
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        // Text moved within the box brings nothing new; a copy would.
        if ((drop->source() == box && drop->dropAction() == Qt::MoveAction) ||
            !drop->mimeData()->hasText()) {
            return false;
        }
        box->setCursorPosition(box->cursorPositionAt(drop->position().toPoint()));
        if (paste(box, drop->mimeData()->text(), true)) {
            // A copy: the box it came from keeps its text.
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
        } else {
            drop->ignore();
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace rivo
