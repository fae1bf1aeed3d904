#include "ui/DueIcons.h"
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

namespace {

// Each image is drawn on a 16 by 16 grid that is scaled to the size asked.
void DrawCalendarPage(QPainter& p) {
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(1.5, 2.5, 13, 12), 1.2, 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 40, 40));
    p.drawRect(QRectF(2, 3, 12, 3));
    // Binding rings.
    p.setBrush(QColor(70, 70, 70));
    p.drawRect(QRectF(4.5, 1, 1.5, 3));
    p.drawRect(QRectF(10, 1, 1.5, 3));
    // Days of the month, on whole pixels so they stay sharp at 16 by 16.
    p.setBrush(QColor(60, 90, 160));
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 4; ++col)
            p.drawRect(QRectF(3 + col * 3, 7 + row * 3, 2, 2));
    p.setBrush(QColor(200, 40, 40));
    p.drawRect(QRectF(12, 10, 2, 2));
}

void DrawSun(QPainter& p) {
    const QPointF c(8, 8);
    p.setPen(QPen(QColor(230, 140, 0), 1.4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        p.drawLine(c + QPointF(5.0 * std::cos(a), 5.0 * std::sin(a)),
                   c + QPointF(7.2 * std::cos(a), 7.2 * std::sin(a)));
    }
    QRadialGradient g(QPointF(7, 7), 4.5);
    g.setColorAt(0, QColor(255, 245, 120));
    g.setColorAt(1, QColor(250, 190, 0));
    p.setPen(QPen(QColor(220, 130, 0), 0.8));
    p.setBrush(g);
    p.drawEllipse(c, 3.8, 3.8);
}

void DrawAlarmClock(QPainter& p) {
    const QColor dark(60, 60, 60);
    // Bells and feet.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 40, 40));
    p.drawPie(QRectF(0.5, 0.5, 6, 6), 45 * 16, 180 * 16);
    p.drawPie(QRectF(9.5, 0.5, 6, 6), -45 * 16, 180 * 16);
    p.setPen(QPen(dark, 1.3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4.5, 13.5), QPointF(3, 15));
    p.drawLine(QPointF(11.5, 13.5), QPointF(13, 15));
    // Face.
    p.setPen(QPen(QColor(200, 40, 40), 1.4));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 9), 5.3, 5.3);
    // Hands.
    p.setPen(QPen(dark, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 9), QPointF(8, 5.6));
    p.drawLine(QPointF(8, 9), QPointF(10.6, 10.4));
}

void DrawNoEntry(QPainter& p) {
    p.setPen(QPen(QColor(150, 0, 0), 0.8));
    p.setBrush(QColor(220, 20, 20));
    p.drawEllipse(QPointF(8, 8), 7, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3, 6, 10, 4));
}

class TDueIconEngine : public QIconEngine {
public:
    explicit TDueIconEngine(int kind) : Kind(kind) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 16.0, rect.height() / 16.0);
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.45);
        switch (Kind) {
        case 0:
            DrawCalendarPage(*painter);
            break;
        case 1:
            DrawSun(*painter);
            break;
        case 2:
            DrawAlarmClock(*painter);
            break;
        default:
            DrawNoEntry(*painter);
            break;
        }
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // The size asked is in device pixels; the image is drawn at that
    // resolution, not scaled up from 16 by 16.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        pm.setDevicePixelRatio(scale > 0 ? scale : 1.0);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(0, 0), pm.deviceIndependentSize().toSize()), mode, state);
        return pm;
    }

    QIconEngine* clone() const override { return new TDueIconEngine(Kind); }

private:
    int Kind;
};

} // namespace

QIcon DueKindIcon(int kind) {
    if (kind < 0 || kind >= kDueKindIcons)
        return QIcon();
    return QIcon(new TDueIconEngine(kind));
}
