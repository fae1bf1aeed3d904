#include "ui/PaintedIcon.h"
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <utility>

namespace {

class TPaintedIconEngine : public QIconEngine {
public:
    TPaintedIconEngine(std::function<void(QPainter&)> draw, qreal gridSize)
        : Draw(std::move(draw)), GridSize(gridSize) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / GridSize, rect.height() / GridSize);
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.45);
        Draw(*painter);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // The size asked is in device pixels; the image is drawn at that
    // resolution.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        pm.setDevicePixelRatio(scale > 0 ? scale : 1.0);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(0, 0), pm.deviceIndependentSize().toSize()), mode, state);
        return pm;
    }

    QIconEngine* clone() const override { return new TPaintedIconEngine(Draw, GridSize); }

private:
    std::function<void(QPainter&)> Draw;
    qreal GridSize;
};

} // namespace

QIcon PaintedIcon(std::function<void(QPainter&)> draw, qreal gridSize) {
    return QIcon(new TPaintedIconEngine(std::move(draw), gridSize));
}
