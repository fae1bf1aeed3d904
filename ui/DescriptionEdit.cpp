#include "ui/DescriptionEdit.h"
#include "core/Cp1252.h"
#include "core/Messages.h"
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

namespace {

QString WithPlainBreaks(QString text) {
    return text.replace("\r\n", "\n").replace('\r', '\n');
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
    return left == 1 ? QString("1 character left") : QString("%1 characters left").arg(left);
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
}

int TDescriptionEdit::RoomLeft() const {
    return kDescriptionMaxChars - StoredLength(toPlainText());
}

QString TDescriptionEdit::RefusalFor(const QString& inserted) const {
    // Each character on its own: a lone half of a surrogate pair would turn
    // into a storable "?" if the text went to UTF-8 as a whole.
    for (const char32_t c : WithPlainBreaks(inserted).toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        if ((c >= 0xD800 && c <= 0xDFFF) || !IsCp1252Representable(one.toStdString()))
            return QString("The description cannot hold the character \"%1\" (U+%2). "
                           "Only Western European (Windows-1252) characters can be "
                           "stored in the events file.")
                .arg(one, QString::number(static_cast<uint>(c), 16)
                              .toUpper()
                              .rightJustified(4, QChar('0')));
    }
    return QString();
}

QString TDescriptionEdit::Admitted(const QString& inserted) {
    if (const QString why = RefusalFor(inserted); !why.isEmpty()) {
        ShowMsg(why.toStdString(), mkWarning);
        return QString();
    }
    const QTextCursor cur = textCursor();
    const QString all = toPlainText();
    int room = RoomLeft() + StoredLength(all.mid(cur.selectionStart(),
                                                 cur.selectionEnd() - cur.selectionStart()));
    QString fitting;
    for (const char32_t c : WithPlainBreaks(inserted).toUcs4()) {
        room -= c == U'\n' ? 2 : 1;
        if (room < 0)
            break;
        fitting += QString::fromUcs4(&c, 1);
    }
    return fitting;
}

void TDescriptionEdit::keyPressEvent(QKeyEvent* e) {
    QString text = e->text();
    // A character beyond the 16-bit range may come as its two halves in two
    // key events: the first half waits for the second.
    if (text.size() == 1 && text[0].isHighSurrogate()) {
        PendingHalf = text[0];
        e->accept();
        return;
    }
    const bool joined = !PendingHalf.isNull() && text.size() == 1 && text[0].isLowSurrogate();
    if (joined)
        text.prepend(PendingHalf);
    PendingHalf = QChar();
    QString inserted;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        inserted = "\n";
    else if (!text.isEmpty() && text[0].category() != QChar::Other_Control)
        inserted = text;
    if (!inserted.isEmpty() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        // Taken here whether or not it goes in, so that Enter at the limit
        // does not reach the dialog's default button.
        e->accept();
        if (Admitted(inserted) != WithPlainBreaks(inserted))
            return;
        if (joined) {
            insertPlainText(inserted);
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(e);
}

void TDescriptionEdit::inputMethodEvent(QInputMethodEvent* e) {
    if (e->commitString().isEmpty()) {
        QPlainTextEdit::inputMethodEvent(e);
        return;
    }
    QInputMethodEvent cut(e->preeditString(), e->attributes());
    cut.setCommitString(Admitted(e->commitString()), e->replacementStart(), e->replacementLength());
    QPlainTextEdit::inputMethodEvent(&cut);
    e->accept();
}

void TDescriptionEdit::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText())
        return;
    const QString fitting = Admitted(source->text());
    if (!fitting.isEmpty()) {
        insertPlainText(fitting);
        ensureCursorVisible();
    }
}
