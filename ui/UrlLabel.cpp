#include "ui/UrlLabel.h"
#include "ui/Theme.h"
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
    setForegroundRole(QPalette::Link);
    setCursor(Qt::PointingHandCursor);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copy = new QAction(tr("Copy"), this);
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

void TUrlLabel::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        SavedPalette = palette();
        QPalette pal = SavedPalette;
        pal.setColor(QPalette::Link, ReadableOn(ActiveColor, pal.color(backgroundRole())));
        setPalette(pal);
    }
    QLabel::mousePressEvent(e);
}

void TUrlLabel::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        setPalette(SavedPalette);
        if (rect().contains(e->position().toPoint()))
            Click();
    }
    QLabel::mouseReleaseEvent(e);
}
