#include "app/TrayArt.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <cmath>

namespace {

// Drawn on a 32 by 32 grid scaled to the size asked.
void DrawFace(QPainter& p, bool suspended) {
    const QColor rim = suspended ? QColor(110, 110, 110) : QColor(30, 60, 140);
    const QColor face = suspended ? QColor(225, 225, 225) : QColor(255, 252, 235);
    const QColor hands = suspended ? QColor(90, 90, 90) : QColor(25, 25, 25);
    p.setPen(QPen(rim, 3));
    p.setBrush(face);
    p.drawEllipse(QPointF(16, 16), 13.5, 13.5);
    // Hour marks at twelve, three, six and nine.
    p.setPen(QPen(rim, 2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 4; ++i) {
        const double a = i * M_PI / 2;
        p.drawLine(QPointF(16 + 9.5 * std::sin(a), 16 - 9.5 * std::cos(a)),
                   QPointF(16 + 11.5 * std::sin(a), 16 - 11.5 * std::cos(a)));
    }
    p.setPen(QPen(hands, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 16), QPointF(16, 7));
    p.drawLine(QPointF(16, 16), QPointF(22.5, 19));
    if (!suspended) {
        // A red seconds hand: the schedule is running.
        p.setPen(QPen(QColor(210, 30, 30), 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16, 16), QPointF(10, 23));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(hands);
    p.drawEllipse(QPointF(16, 16), 1.8, 1.8);
    if (suspended) {
        p.setBrush(QColor(200, 40, 40));
        p.drawRoundedRect(QRectF(18, 18, 13, 13), 3, 3);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(21, 21, 2.5, 7));
        p.drawRect(QRectF(25.5, 21, 2.5, 7));
    }
}

class TTrayIconEngine : public QIconEngine {
public:
    explicit TTrayIconEngine(bool suspended) : Suspended(suspended) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 32.0, rect.height() / 32.0);
        DrawFace(*painter, Suspended);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        pm.setDevicePixelRatio(scale > 0 ? scale : 1.0);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(0, 0), pm.deviceIndependentSize().toSize()), mode, state);
        return pm;
    }

    // The tray asks which sizes there are before it picks one.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}};
    }

    QIconEngine* clone() const override { return new TTrayIconEngine(Suspended); }

private:
    bool Suspended;
};

} // namespace

QIcon TrayImage(bool suspended) {
    return QIcon(new TTrayIconEngine(suspended));
}
