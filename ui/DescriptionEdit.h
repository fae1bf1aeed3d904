#pragma once
// The description box of the event editor. The data file holds at most 255
// characters of Windows-1252 text (a line break counts as two), so input that
// would go beyond that, or that holds a character the file cannot store, is
// refused as it is typed, pasted or dropped, and the user is told why.
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
    // Why the insertion would be refused, or empty when it can go in.
    QString RefusalFor(const QString& inserted) const;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // False (after telling the user) when the text cannot go in.
    bool Admit(const QString& inserted);
    QChar PendingHalf;
};

// The stored length of a text: a line break counts as two characters.
int StoredLength(const QString& text);
