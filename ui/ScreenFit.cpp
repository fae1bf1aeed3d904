#include "ui/ScreenFit.h"
#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <algorithm>

namespace {

int FitStart(int stored, int length, int start, int room) {
    return std::clamp(stored, start, start + std::max(0, room - length));
}

} // namespace

QPoint FitPosition(QPoint stored, QSize size, const QRect& area) {
    if (area.isEmpty())
        return stored;
    return {FitStart(stored.x(), size.width(), area.left(), area.width()),
            FitStart(stored.y(), size.height(), area.top(), area.height())};
}

QRect AvailableArea(QPoint at) {
    QScreen* screen = QGuiApplication::screenAt(at);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

namespace {

// The size a window had before the screen cut it, and the size it was cut to.
constexpr char kSizeAsGiven[] = "tickwellSizeAsGiven";
constexpr char kSizeAsFitted[] = "tickwellSizeAsFitted";
// Shown before the window manager framed it.
constexpr char kFramePending[] = "tickwellFramePending";

QRect AreaOf(const QWidget* window) {
    const QScreen* s = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect();
}

} // namespace

void ApplyStoredSize(QWidget* window, QSize stored, QSize fallback) {
    window->resize(stored.width() >= 1 ? stored.width() : fallback.width(),
                   stored.height() >= 1 ? stored.height() : fallback.height());
    FitToScreen(window);
}

void FitToScreen(QWidget* window) {
    const QRect area = AreaOf(window);
    if (area.isEmpty() || window->isMaximized() || window->isFullScreen())
        return;
    // Known once the window manager has framed the window; until then none.
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    const QSize room = (area.size() - frame).expandedTo(QSize(1, 1));
    const QSize minimum = window->minimumSize();
    if (minimum.width() > room.width() || minimum.height() > room.height())
        window->setMinimumSize(minimum.boundedTo(room));
    const QSize size = window->size();
    if (size.width() > room.width() || size.height() > room.height()) {
        if (!window->property(kSizeAsGiven).isValid())
            window->setProperty(kSizeAsGiven, size);
        window->resize(size.boundedTo(room));
        window->setProperty(kSizeAsFitted, window->size());
    }
    const QRect outer = window->frameGeometry();
    if (!area.contains(outer))
        window->move(FitPosition(outer.topLeft(), outer.size(), area));
}

QSize SizeToStore(const QWidget* window) {
    const QSize now = window->isMaximized() || window->isMinimized() || window->isFullScreen()
                          ? window->normalGeometry().size()
                          : window->size();
    const QVariant given = window->property(kSizeAsGiven);
    if (given.isValid() && window->property(kSizeAsFitted).toSize() == now)
        return given.toSize();
    return now;
}

bool TScreenFitter::eventFilter(QObject* watched, QEvent* e) {
    const QEvent::Type type = e->type();
    if (type != QEvent::Show && type != QEvent::ScreenChangeInternal && type != QEvent::Move &&
        type != QEvent::Resize)
        return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || !w->isWindow() || w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip)
        return false;
    const bool framed = w->frameGeometry() != w->geometry();
    if (type == QEvent::Show || type == QEvent::ScreenChangeInternal) {
        FitToScreen(w);
        // The window manager adds its frame after the window is shown: fit
        // again once it has.
        w->setProperty(kFramePending, !framed);
    } else if (framed && w->property(kFramePending).toBool()) {
        w->setProperty(kFramePending, false);
        FitToScreen(w);
    }
    return false;
}
