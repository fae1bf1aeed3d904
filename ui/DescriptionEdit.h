#pragma once
// The description box of the event editor. A description holds at most 255
// characters of any script (a line break counts as two): input beyond that
// stops quietly at the limit (a paste is cut there). A character no
// description can store (a control character other than a line break, half
// of a surrogate pair that never gets its other half) is left out as it is
// typed, pasted or dropped, and Refused() says which one, without a message box
// that would interrupt the typing.
#include <QPlainTextEdit>
#include <string>

inline constexpr int kDescriptionMaxChars = 255;

class TDescriptionEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TDescriptionEdit(QWidget* parent = nullptr);
    // The text as the event stores it: line breaks as carriage return + line
    // feed, UTF-8.
    std::string Description() const;
    void SetDescription(const std::string& text);
    // How many more characters the description would hold.
    int RoomLeft() const;
    // What the last input left out and why, for the label under the box;
    // empty when it all went in.
    const QString& Refused() const { return Refusal; }

signals:
    void refusedChanged();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // As much of the text, line breaks made plain and what cannot be stored
    // left out, as fits in place of the selection. Sets what Refused() tells.
    QString Admitted(const QString& inserted, bool pasted);
    void SetRefusal(const QString& why);
    QChar PendingHalf;
    QString Refusal;
};

// The stored length of a text: a line break counts as two characters.
int StoredLength(const QString& text);
// "12 characters left", for the label under the box.
QString RoomLeftText(int left);
