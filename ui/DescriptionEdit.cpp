#include "ui/DescriptionEdit.h"
#include "core/Cp1252.h"
#include "core/Messages.h"
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

int StoredLength(const QString& text) {
    // Code points, not UTF-16 units, with each line break stored as CR LF.
    int n = 0;
    for (const char32_t c : text.toUcs4())
        n += c == U'\n' ? 2 : 1;
    return n;
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

QString TDescriptionEdit::RefusalFor(const QString& inserted) const {
    QString text = inserted;
    text.replace("\r\n", "\n").replace('\r', '\n');
    // Each character on its own: a lone half of a surrogate pair would turn
    // into a storable "?" if the text went to UTF-8 as a whole.
    for (const char32_t c : text.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        if ((c >= 0xD800 && c <= 0xDFFF) || !IsCp1252Representable(one.toStdString()))
            return QString("The description cannot hold the character \"%1\" (U+%2). "
                           "Only Western European (Windows-1252) characters can be "
                           "stored in the events file.")
                .arg(one, QString::number(static_cast<uint>(c), 16)
                              .toUpper()
                              .rightJustified(4, QChar('0')));
    }
    const QTextCursor cur = textCursor();
    const QString all = toPlainText();
    const int selected =
        StoredLength(all.mid(cur.selectionStart(), cur.selectionEnd() - cur.selectionStart()));
    if (StoredLength(all) - selected + StoredLength(text) > kDescriptionMaxChars)
        return QString("A description can hold at most %1 characters (a line break counts as two).")
            .arg(kDescriptionMaxChars);
    return QString();
}

bool TDescriptionEdit::Admit(const QString& inserted) {
    const QString why = RefusalFor(inserted);
    if (why.isEmpty())
        return true;
    ShowMsg(why.toStdString(), mkWarning);
    return false;
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
        if (!Admit(inserted)) {
            e->accept();
            return;
        }
        if (joined) {
            insertPlainText(inserted);
            e->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(e);
}

void TDescriptionEdit::inputMethodEvent(QInputMethodEvent* e) {
    if (!e->commitString().isEmpty() && !Admit(e->commitString())) {
        e->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(e);
}

void TDescriptionEdit::insertFromMimeData(const QMimeData* source) {
    if (source && source->hasText() && !Admit(source->text()))
        return;
    QPlainTextEdit::insertFromMimeData(source);
}
