#pragma once
// The description box of the event editor. The data file holds at most 255
// characters of Windows-1252 text (a line break counts as two): input beyond
// that stops quietly at the limit (a paste is cut there), and a character
// the file cannot store is refused as it is typed, pasted or dropped, with
// the user told why.
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
    // How many more characters the file would hold.
    int RoomLeft() const;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // Why the text cannot go in at all, or empty when it can.
    QString RefusalFor(const QString& inserted) const;
    // As much of the text, line breaks made plain, as fits in place of the
    // selection; empty (after telling the user) when it holds a character
    // the file cannot store.
    QString Admitted(const QString& inserted);
    QChar PendingHalf;
};

// The stored length of a text: a line break counts as two characters.
int StoredLength(const QString& text);
// "12 characters left", for the label under the box.
QString RoomLeftText(int left);
