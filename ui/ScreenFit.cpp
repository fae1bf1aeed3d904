#include "ui/ScreenFit.h"
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace {

int FitSide(int stored, int fallback, int room) {
    const int side = stored >= 1 ? stored : fallback;
    return room > 0 ? std::clamp(side, 1, room) : side;
}

int FitStart(int stored, int length, int start, int room) {
    return std::clamp(stored, start, start + std::max(0, room - length));
}

} // namespace

QSize FitSize(QSize stored, QSize fallback, const QRect& area) {
    return {FitSide(stored.width(), fallback.width(), area.width()),
            FitSide(stored.height(), fallback.height(), area.height())};
}

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
