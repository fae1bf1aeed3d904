#include "ui/DescriptionEdit.h"
#include "core/Cp1252.h"
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <utility>

namespace {

QString WithPlainBreaks(QString text) {
    return text.replace("\r\n", "\n").replace('\r', '\n');
}

QString CodeText(uint code) {
    return QString::number(code, 16).toUpper().rightJustified(4, QChar('0'));
}

} // namespace

int StoredLength(const QString& text) {
    // Code points, not UTF-16 units, with each line break stored as CR LF.
    int n = 0;
    for (const char32_t c : text.toUcs4())
        n += c == U'\n' ? 2 : 1;
    return n;
}

QString RoomLeftText(int left) {
    return left == 1
               ? QCoreApplication::translate("TDescriptionEdit", "1 character left")
               : QCoreApplication::translate("TDescriptionEdit", "%1 characters left").arg(left);
}

TDescriptionEdit::TDescriptionEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
}

std::string TDescriptionEdit::Description() const {
    QString text = toPlainText();
    text.replace("\n", "\r\n");
    return text.toStdString();
}

void TDescriptionEdit::SetDescription(const std::string& text) {
    QString t = QString::fromStdString(text);
    t.replace("\r\n", "\n");
    setPlainText(t);
    SetRefusal(QString());
}

int TDescriptionEdit::RoomLeft() const {
    return kDescriptionMaxChars - StoredLength(toPlainText());
}

void TDescriptionEdit::SetRefusal(const QString& why) {
    if (why == Refusal)
        return;
    Refusal = why;
    emit refusedChanged();
}

QString TDescriptionEdit::Admitted(const QString& inserted, bool pasted) {
    const QTextCursor cur = textCursor();
    const QString all = toPlainText();
    int room = RoomLeft() + StoredLength(all.mid(cur.selectionStart(),
                                                 cur.selectionEnd() - cur.selectionStart()));
    QString fitting;
    QString firstRefused;
    int refused = 0;
    const QString plain = WithPlainBreaks(inserted);
    for (qsizetype i = 0; i < plain.size() && room > 0; ++i) {
        QString one(plain[i]);
        QString why;
        if (plain[i].isHighSurrogate() && i + 1 < plain.size() && plain[i + 1].isLowSurrogate())
            one += plain[++i];
        else if (plain[i].isSurrogate())
            // Checked here, by the halves themselves: on the way to UTF-8 a
            // lone half would quietly become a storable replacement.
            why = tr("the lone surrogate half U+%1").arg(CodeText(plain[i].unicode()));
        else
            why = QString::fromStdString(FirstUnstorable(one.toStdString()));
        if (!why.isEmpty()) {
            if (refused++ == 0)
                firstRefused = why;
            continue;
        }
        room -= one == "\n" ? 2 : 1;
        if (room >= 0)
            fitting += one;
    }
    if (refused == 0)
        SetRefusal(QString());
    else if (!pasted)
        SetRefusal(tr("The description cannot hold %1").arg(firstRefused));
    else if (refused == 1)
        SetRefusal(tr("Left out of the pasted text: %1").arg(firstRefused));
    else
        SetRefusal(
            tr("Left out of the pasted text: %1 and %2 more").arg(firstRefused).arg(refused - 1));
    return fitting;
}

void TDescriptionEdit::keyPressEvent(QKeyEvent* e) {
    QString text = e->text();
    // A character beyond the 16-bit range may come as its two halves in two
    // key events: the first half waits for the second, and goes to Admitted()
    // on its own, to be named, when something else follows.
    if (text.size() == 1 && text[0].isHighSurrogate() && PendingHalf.isNull()) {
        PendingHalf = text[0];
        e->accept();
        return;
    }
    QChar pending = std::exchange(PendingHalf, QChar());
    // A control character from a key that has no meaning of its own was
    // typed as a character; from any other key (Backspace, Escape, Tab, a
    // shortcut) it is that key's doing.
    const bool typedControl = !text.isEmpty() && text[0].category() == QChar::Other_Control &&
                              (e->key() == Qt::Key_unknown || e->key() == 0);
    QString inserted;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        inserted = "\n";
    else if (!text.isEmpty() && (typedControl || text[0].category() != QChar::Other_Control))
        inserted = text;
    const bool shortcut = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (!pending.isNull() && (inserted.isEmpty() || shortcut)) {
        // The half never gets its pair: it is named, the key does its work.
        Admitted(QString(pending), false);
        pending = QChar();
    } else if (!pending.isNull()) {
        inserted.prepend(pending);
    }
    if (!inserted.isEmpty() && !shortcut) {
        // Taken here whether or not it goes in, so that Enter at the limit
        // does not reach the dialog's default button.
        e->accept();
        const QString admitted = Admitted(inserted, false);
        if (admitted == inserted && pending.isNull() && !typedControl)
            QPlainTextEdit::keyPressEvent(e);
        else if (!admitted.isEmpty())
            insertPlainText(admitted);
        return;
    }
    QPlainTextEdit::keyPressEvent(e);
}

void TDescriptionEdit::inputMethodEvent(QInputMethodEvent* e) {
    if (e->commitString().isEmpty()) {
        QPlainTextEdit::inputMethodEvent(e);
        return;
    }
    QInputMethodEvent cut(e->preeditString(), e->attributes());
    cut.setCommitString(Admitted(e->commitString(), false), e->replacementStart(),
                        e->replacementLength());
    QPlainTextEdit::inputMethodEvent(&cut);
    e->accept();
}

void TDescriptionEdit::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText())
        return;
    const QString fitting = Admitted(source->text(), true);
    if (!fitting.isEmpty()) {
        insertPlainText(fitting);
        ensureCursorVisible();
    }
}
