#pragma once
// A label that is a hyperlink: in the palette's link colour (blue on a light
// desktop) and underlined, a hand cursor, opens its URL (or its own text)
// when clicked, and offers "Copy" of its text.
#include <QColor>
#include <QLabel>
#include <QPalette>
#include <functional>

class TUrlLabel : public QLabel {
    Q_OBJECT
public:
    explicit TUrlLabel(const QString& caption = QString(), QWidget* parent = nullptr);

    QString URL;
    // The text colour while the left button is held down, made lighter when
    // it would not read on a dark background.
    QColor ActiveColor = QColor(0x80, 0x00, 0x80);

    // The address a click opens: URL trimmed, else the caption trimmed.
    QString Target() const;
    // Opens Target() when it is not empty.
    void Click();
    void CopyClick();

    // How a link is opened; QDesktopServices unless a test replaces it.
    using TOpener = std::function<void(const QString&)>;
    static TOpener SetOpener(TOpener opener);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    // The palette before the button went down: its link colour is the
    // desktop's unless the label's own was set.
    QPalette SavedPalette;
};
