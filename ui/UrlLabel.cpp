#include "ui/UrlLabel.h"
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>
#include <utility>

namespace {

TUrlLabel::TOpener& Opener() {
    static TUrlLabel::TOpener opener;
    return opener;
}

} // namespace

TUrlLabel::TUrlLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setTextFormat(Qt::PlainText);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    SetTextColor(Qt::blue);
    setCursor(Qt::PointingHandCursor);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copy = new QAction(QStringLiteral("Copy"), this);
    connect(copy, &QAction::triggered, this, &TUrlLabel::CopyClick);
    addAction(copy);
}

TUrlLabel::TOpener TUrlLabel::SetOpener(TOpener opener) {
    return std::exchange(Opener(), std::move(opener));
}

QString TUrlLabel::Target() const {
    const QString url = URL.trimmed();
    return url.isEmpty() ? text().trimmed() : url;
}

void TUrlLabel::Click() {
    const QString target = Target();
    if (target.isEmpty())
        return;
    if (Opener())
        Opener()(target);
    else
        QDesktopServices::openUrl(QUrl::fromUserInput(target));
}

void TUrlLabel::CopyClick() {
    QApplication::clipboard()->setText(text());
}

void TUrlLabel::SetTextColor(const QColor& c) {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, c);
    setPalette(pal);
}

void TUrlLabel::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        SavedColor = palette().color(QPalette::WindowText);
        SetTextColor(ActiveColor);
    }
    QLabel::mousePressEvent(e);
}

void TUrlLabel::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        SetTextColor(SavedColor);
        if (rect().contains(e->position().toPoint()))
            Click();
    }
    QLabel::mouseReleaseEvent(e);
}
